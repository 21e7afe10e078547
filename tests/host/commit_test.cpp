#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "engine/online_word_state.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/symbol_conversion.h"
#include "support/engine_session.h"
#include "settings/settings.h"
#include "engine/mode_state.h"

namespace {

using Texts = std::vector<std::string>;

class CommitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.UseWords(
            {
                {"ab", "中"},
                {"ab", "工"},
                {"ab", "人"},
                {"abcd", "中国"},
                {"acd", "中国人"},
                {"aef", "中间"},
                {"bcd", "中华"},  // another group: never offered after an 'a' code
                {"bx", "不"},
            },
            {{"zzz", "中文"}, {"zzy", "人们"}});
        session.TakeMessages();
    }
    EngineSession session;
};

TEST_F(CommitTest, HintIsStrippedFromTheCommittedText) {
    Settings.WordAssociation = 0;
    session.Type("a");
    ASSERT_EQ(session.Candidates()[0], "中b");
    session.Type("1");
    EXPECT_EQ(session.TakeCommitted(), "中");
    Settings.CodeHint = 0;
    session.Type("a1");
    EXPECT_EQ(session.TakeCommitted(), "中");
}

TEST_F(CommitTest, AssociationOffersUserWordsThenTheFirstKeyGroup) {
    session.Type("ab1");
    EXPECT_EQ(session.TakeCommitted(), "中");
    EXPECT_EQ(Conversion.AssociationShown, 1);
    EXPECT_EQ(Conversion.CandidatesOpen, 1);
    EXPECT_EQ(session.Candidates(), (Texts{"中文", "中国", "中国人", "中间"}));
    EXPECT_STREQ(Conversion.SavedCode, "ab");
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_STARTCOMPOSITION", "WM_IME_COMPOSITION 0x1BF",
                     "WM_IME_NOTIFY IMN_OPENCANDIDATE", "WM_IME_NOTIFY IMN_CHANGECANDIDATE",
                     "WM_IME_COMPOSITION 0x1BF", "WM_IME_NOTIFY IMN_OPENCANDIDATE",
                     "WM_IME_NOTIFY IMN_CHANGECANDIDATE", "WM_IME_NOTIFY IMN_CHANGECANDIDATE",
                     "WM_IME_COMPOSITION 0x800", "WM_IME_ENDCOMPOSITION", "WM_IME_STARTCOMPOSITION",
                     "WM_IME_COMPOSITION 0x8", "WM_IME_NOTIFY IMN_OPENCANDIDATE",
                     "WM_IME_NOTIFY IMN_CHANGECANDIDATE"}));
}

TEST_F(CommitTest, ChoosingAnAssociationCommitsOnlyItsRestAndChains) {
    session.Type("ab1");
    session.TakeCommitted();
    session.Type("2");  // 中国
    EXPECT_EQ(session.TakeCommitted(), "国");
    EXPECT_STREQ(Conversion.SavedCode, "ab");
    EXPECT_EQ(session.Candidates(), (Texts{"中国人"}));
    session.Type(" ");
    CommitFirstCandidate(session.context());
    EXPECT_EQ(session.TakeCommitted(), "人");
    EXPECT_EQ(Conversion.AssociationShown, 0);
}

TEST_F(CommitTest, CodeKeyLeavesTheAssociationList) {
    session.Type("ab1");
    session.Type("b");
    EXPECT_STREQ(Conversion.CodeBuffer, "b");
    EXPECT_EQ(Conversion.AssociationShown, 0);
    EXPECT_EQ(session.Candidates(), (Texts{"中华cd", "不x"}));
}

TEST_F(CommitTest, FollowingPunctuationIsAppendedAndOffersNoAssociation) {
    session.Type("ab,");
    EXPECT_EQ(session.TakeCommitted(), "中，");
    EXPECT_EQ(Conversion.AssociationShown, 0);
    SetMode(ChinesePunctuation, false);
    CommitCandidate(session.context(), '1', ',', 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
}

TEST_F(CommitTest, SelectionsOutsideTheListOrTheGateCommitNothing) {
    session.Type("ab");
    CommitCandidate(session.context(), 'x', 0, 0);
    CommitCandidate(session.context(), '6', 0, 0);
    EXPECT_EQ(session.TakeCommitted(), "");
    Conversion.VisibleCandidates = 1;
    CommitCandidate(session.context(), '2', 0, 0);
    EXPECT_EQ(session.TakeCommitted(), "");
    CommitCandidate(session.context(), '1', 0, 1);  // the offset moves it to the second
    EXPECT_EQ(session.TakeCommitted(), "");
    Settings.ProgressiveHint = 0;
    CommitCandidate(session.context(), '1', 0, 1);
    EXPECT_EQ(session.TakeCommitted(), "工");
}

TEST_F(CommitTest, GbkModeCommitsTheCharacterAlone) {
    Settings.GbkMode = 1;
    session.Type("aaar");
    EXPECT_EQ(session.TakeCommitted(), "菚");
    EXPECT_EQ(Conversion.AssociationShown, 0);
    session.Type("aaa1");
    EXPECT_EQ(session.TakeCommitted(), "菚");
}

TEST_F(CommitTest, NoAssociationBeforeAnyCodeWasTyped) {
    // An association candidate is recognised by beginning with the last committed text.
    std::strcpy(Conversion.ResultText, Gbk("中").c_str());
    std::memset(Conversion.SavedCode, 0, sizeof Conversion.SavedCode);
    EXPECT_FALSE(AssociationLookup(Conversion.SavedCode, Gbk("中").c_str()));
}

TEST_F(CommitTest, CollectedTextKeepsWholeCharactersUnderOneHundredBytes) {
    OnlineWord.OnlineWordActive = 1;
    OnlineWord.OnlineWordBuffer[0] = '\0';
    RecordCommittedText((Gbk("中") + ",").c_str());
    EXPECT_EQ(std::string(OnlineWord.OnlineWordBuffer), Gbk("中"));
    std::string full(95, 'x');
    std::strcpy(OnlineWord.OnlineWordBuffer, full.c_str());
    RecordCommittedText(Gbk("中国人").c_str());
    EXPECT_EQ(std::string(OnlineWord.OnlineWordBuffer), full);
    RecordCommittedText(Gbk("中国").c_str());
    EXPECT_EQ(std::string(OnlineWord.OnlineWordBuffer), full + Gbk("中国"));

    OnlineWord.OnlineWordBuffer[0] = '\0';
    session.Type("ab1");
    session.Type("2");
    EXPECT_EQ(Utf8(OnlineWord.OnlineWordBuffer), "中国");
}

TEST_F(CommitTest, WordPartStopsAtTheHintButNeverSplitsACharacter) {
    EXPECT_EQ(WordPartLength((Gbk("工人") + "cd").c_str()), 4u);
    EXPECT_EQ(WordPartLength("abc"), 0u);
    // 0x81 0x61: a GBK character whose trail byte is the letter 'a'.
    EXPECT_EQ(WordPartLength("\x81\x61"
                             "b"),
              2u);
}

}  // namespace
