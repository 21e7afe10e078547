// Typing into an ordinary EDIT control through the system's IMM32 with the installed input method:
// real key events, the text the control receives.
#include <gtest/gtest.h>

#include "win/e2e/e2e_support.h"

namespace {

class TypingTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallWithDefaults(); }
    void SetUp() override { ASSERT_TRUE(typing.ready()) << "the zelk layout is not active"; }
    TypingWindow typing;
};

TEST_F(TypingTest, ACodeAndSpaceGiveItsFirstCandidate) {
    // (Wine's EDIT control shows the code being typed inline, so only the end is checked.)
    typing.Type("aaaa");
    EXPECT_EQ(typing.Type(" "), "工");
}

TEST_F(TypingTest, AUniquePhraseCodeCommitsItself) {
    EXPECT_EQ(typing.Type("aaww"), "工人");
    EXPECT_EQ(typing.Type("khlg2"), "工人跨国");
}

TEST_F(TypingTest, PunctuationBecomesChinese) {
    EXPECT_EQ(typing.Type(","), "，");
    EXPECT_EQ(typing.Type("aaaa."), "，工。") << "punctuation commits the first candidate too";
}

TEST_F(TypingTest, ShiftTapsSwitchToEnglishAndBack) {
    EXPECT_EQ(typing.Type("<LShift>"), "");
    EXPECT_EQ(typing.Type("ab,"), "ab,");
    EXPECT_EQ(typing.Type("<LShift>aaaa "), "ab,工");
}

TEST_F(TypingTest, EnterDiscardsTheCode) {
    EXPECT_EQ(typing.Type("aa<Enter>"), "");
    EXPECT_EQ(typing.Type("aaaa "), "工") << "nothing of the discarded code is left";
}

TEST_F(TypingTest, CtrlJSwitchesToTheSecondaryCodeSet) {
    EXPECT_EQ(typing.Type("<C-j>kebm"), "中国");
    EXPECT_EQ(typing.Type("dsii2"), "中国招人");
    EXPECT_EQ(typing.Type("<C-j>aaww"), "中国招人工人");
    EXPECT_EQ(ReadSetting("IMESETZ") & 1u, 1u) << "the switch is not stored";
}

}  // namespace
