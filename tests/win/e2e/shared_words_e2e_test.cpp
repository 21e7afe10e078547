// Two programs with the installed input method loaded: a word made on line in one is offered by
// the other within its next composition, and a word made in the second does not push the first
// one's out of the user file. The other program is this test program again, started for its half.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <thread>
#include <vector>

#include "common/gbk_text.h"
#include "dict/data_places.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

const char kHalfVariable[] = "ZELK_SHARED_WORDS_HALF";

TEST(SharedWordsTest, AWordMadeInOneProgramIsOfferedInAnotherAndBothAreKept) {
    InstallWithDefaults();
    char path[kPathBufferSize];
    ASSERT_TRUE(UserFilePath("zelk2006.emb", path));
    const std::string userFile = path;
    const std::string otherWord = Gbk("工工");  // aaaa
    const std::string ownWord = Gbk("中人");    // khww
    {
        TypingWindow typing;
        ASSERT_TRUE(typing.ready());
        typing.Type("aaaa");
        EXPECT_FALSE(Offers(typing, otherWord)) << "not a word before the other program makes it";
        typing.Type("<Esc>");

        // The other program makes "工工" while this one has its user words loaded.
        EXPECT_EQ(RunTestInAnotherProcess("", kHalfVariable, "SharedWordsTest.OtherProgramHalf"),
                  0u);
        EXPECT_NE(ReadWholeFile(userFile).find("aaaa     " + otherWord + "\r\n"),
                  std::string::npos);

        typing.Focus();
        typing.Type("aaaa");
        EXPECT_TRUE(Offers(typing, otherWord))
            << "the other program's word in the next composition";
        typing.Type("<Esc>");

        // This program makes "中人": the other program's word stays on disk beside it.
        typing.Clear();
        BoxAnswerer answerer;
        MakeWord(typing, "khk wwww ");
        EXPECT_GE(answerer.answered(), 1);
    }
    const std::string words = ReadWholeFile(userFile);
    EXPECT_NE(words.find("aaaa     " + otherWord + "\r\n"), std::string::npos) << words;
    EXPECT_NE(words.find("khww     " + ownWord + "\r\n"), std::string::npos) << words;
}

// Started by the test above: makes "工工" on line and ends.
TEST(SharedWordsTest, OtherProgramHalf) {
    if (std::getenv(kHalfVariable) == nullptr) {
        GTEST_SKIP() << "the other program's half of AWordMadeInOneProgramIsOfferedInAnother...";
    }
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    BoxAnswerer answerer;
    // Ctrl+` tapped quickly: both keys are up before the input method handles the press.
    EXPECT_EQ(typing.Type("<C-`>aaaa aaaa <C-`>"), "工工");
    EXPECT_EQ(answerer.answered(), 1) << "one question, no notice";
}

}  // namespace
