#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "support/engine_session.h"
#include "settings/settings.h"
#include "engine/mode_state.h"

namespace {

using Texts = std::vector<std::string>;

const WordList kMain = {
    {"ab", "工"}, {"ab", "中"}, {"ab", "人"}, {"abc", "工人"},
    {"b", "不"},  {"bx", "吧"}, {"c", "从"},  {"cd", "此"},
};

class DispatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings.WordAssociation = 0;
        session.UseWords(kMain);
        session.TakeMessages();
    }
    EngineSession session;
};

TEST_F(DispatchTest, FirstCharacterOpensTheComposition) {
    session.Type("a");
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_STARTCOMPOSITION", "WM_IME_COMPOSITION 0x1BF",
                     "WM_IME_NOTIFY IMN_OPENCANDIDATE", "WM_IME_NOTIFY IMN_CHANGECANDIDATE"}));
    session.Type("b");
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_COMPOSITION 0x1BF", "WM_IME_NOTIFY IMN_OPENCANDIDATE",
                     "WM_IME_NOTIFY IMN_CHANGECANDIDATE"}));
}

TEST_F(DispatchTest, CodeKeyAfterACompleteCodeCommitsTheFirstAndStartsAgain) {
    session.Type("cd");  // 此, complete and alone: committed at once
    EXPECT_EQ(session.TakeCommitted(), "此");
    Settings.CodeHint = 0;
    session.UseWords({{"ab", "工"}, {"ab", "中"}, {"c", "从"}, {"cd", "此"}});
    session.Type("ab");
    ASSERT_EQ(Conversion.CodeComplete, 1);
    session.Type("c");
    EXPECT_EQ(session.TakeCommitted(), "工");
    EXPECT_STREQ(Conversion.CodeBuffer, "c");
    EXPECT_EQ(session.Candidates(), (Texts{"从", "此"}));
}

TEST_F(DispatchTest, NewOneKeyCodeThatIsCompleteIsCommittedToo) {
    session.UseWords({{"ab", "工"}, {"ab", "中"}, {"c", "从"}});
    session.Type("ab");
    session.Type("c");
    EXPECT_EQ(session.TakeCommitted(), "工从");
    EXPECT_EQ(Conversion.CodeLength, 0);
}

TEST_F(DispatchTest, DigitSelectsAndClears) {
    session.Type("ab");
    session.Type("3");
    EXPECT_EQ(session.TakeCommitted(), "人");
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidatesOpen, 0);
}

TEST_F(DispatchTest, DigitWithoutACandidateCommitsNothingButClears) {
    session.Type("ab");
    session.Type("9");
    EXPECT_EQ(session.TakeCommitted(), "");
    EXPECT_EQ(Conversion.CodeLength, 0);
}

TEST_F(DispatchTest, DigitOutsideTheDrawnCandidatesCommitsNothing) {
    Settings.ProgressiveHint = 1;
    session.Type("ab");
    Conversion.VisibleCandidates = 2;
    session.Type("3");
    EXPECT_EQ(session.TakeCommitted(), "");
    Settings.ProgressiveHint = 0;
    session.Type("ab");
    Conversion.VisibleCandidates = 2;
    session.Type("3");
    EXPECT_EQ(session.TakeCommitted(), "人");
}

TEST_F(DispatchTest, AClickOnALineChoosesItsCandidateAndNothingElse) {
    session.Type("ab");
    EXPECT_EQ(ChooseCandidateLine(session.context(), '2'), 1);
    EXPECT_EQ(session.TakeCommitted(), "中");
    EXPECT_EQ(Conversion.CodeLength, 0);
    // Without a list on offer a typed digit would reach the application: a click does nothing.
    EXPECT_EQ(ChooseCandidateLine(session.context(), '2'), 0);
    EXPECT_EQ(session.TakeCommitted(), "");
    Settings.ProgressiveHint = 1;
    session.Type("ab");
    Conversion.VisibleCandidates = 2;
    EXPECT_EQ(ChooseCandidateLine(session.context(), '3'), 1);
    EXPECT_EQ(session.TakeCommitted(), "") << "a line the window did not show";
    Settings.ProgressiveHint = 0;
}

TEST_F(DispatchTest, SemicolonAndQuoteSelectSecondAndThird) {
    Settings.SemicolonQuoteKeys = 1;
    Settings.CodeSet = kCodeSetPrimary;
    session.Type("ab;");
    EXPECT_EQ(session.TakeCommitted(), "中");
    session.Type("ab'");
    EXPECT_EQ(session.TakeCommitted(), "人");
    // With one candidate ';' drops it and commits the converted ';'.
    session.UseWords({{"bx", "吧"}});
    session.Type("b;");
    EXPECT_EQ(session.TakeCommitted(), "；");
    EXPECT_EQ(Conversion.CodeLength, 0);
}

TEST_F(DispatchTest, QuoteSelectsThirdOnlyInThePrimaryCodeSet) {
    Settings.SemicolonQuoteKeys = 1;
    Settings.CodeSet = kCodeSetSecondary;
    session.Type("ab'");
    // Not a selection: the candidates are dropped and the quote passes through, converted.
    EXPECT_EQ(session.TakeCommitted(), "‘");
}

TEST_F(DispatchTest, CommaAndPeriodSelectWithTheirOption) {
    Settings.CommaPeriodKeys = 1;
    session.Type("ab,");
    EXPECT_EQ(session.TakeCommitted(), "中");
    session.Type("ab.");
    EXPECT_EQ(session.TakeCommitted(), "人");
}

TEST_F(DispatchTest, PunctuationCommitsTheFirstCandidateWithTheConvertedMark) {
    Settings.WordAssociation = 1;
    session.Type("ab,");
    EXPECT_EQ(session.TakeCommitted(), "工，");
    EXPECT_EQ(Conversion.AssociationShown, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    SetMode(ChinesePunctuation, false);
    session.Type("ab!");
    EXPECT_EQ(session.TakeCommitted(), "工!");
}

TEST_F(DispatchTest, SemicolonIsACodeKeyInTheSecondaryCodeSet) {
    Settings.CodeSet = kCodeSetSecondary;
    Settings.SemicolonQuoteKeys = 1;
    session.UseWords({{"ab", "工"}, {"ab", "中"}, {"ab;", "人"}, {"ab;x", "从"}});
    session.Type("ab;");
    EXPECT_STREQ(Conversion.CodeBuffer, "ab;");
    EXPECT_EQ(session.TakeCommitted(), "");
}

TEST_F(DispatchTest, CtrlNDeletesTheLastKey) {
    session.Type("ab");
    session.Key(14);
    EXPECT_STREQ(Conversion.CodeBuffer, "a");
    EXPECT_EQ(session.Candidates().size(), 4u);
}

TEST_F(DispatchTest, OtherCharacterDropsTheCandidatesAndPassesThrough) {
    session.Type("abA");
    EXPECT_EQ(session.TakeCommitted(), "A");
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    // Punctuation too, once a key-pair option takes rule 8 away.
    Settings.SemicolonQuoteKeys = 1;
    session.Type("ab!");
    EXPECT_EQ(session.TakeCommitted(), "！");
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    // Without candidates the character just passes through.
    session.Type("7");
    EXPECT_EQ(session.TakeCommitted(), "7");
}

TEST_F(DispatchTest, SpaceAndCarriageReturnAreNotDispatched) {
    session.Type("ab");
    session.Type(" \r");
    EXPECT_STREQ(Conversion.CodeBuffer, "ab");
    EXPECT_EQ(session.TakeCommitted(), "");
}

TEST_F(DispatchTest, CommitFirstCandidateTakesTheCurrentPage) {
    session.Type("ab");
    CommitFirstCandidate(session.context());
    EXPECT_EQ(session.TakeCommitted(), "工");
}

TEST_F(DispatchTest, LockFailureIsReported) {
    HostSetContextLockFailure(session.context(), true);
    EXPECT_EQ(ProcessCharacter(session.context(), 'a', 0), 0);
    EXPECT_EQ(CommitCharacter(session.context(), 'a'), 0);
    HostSetContextLockFailure(session.context(), false);
    EXPECT_EQ(Conversion.CodeLength, 0);
}

}  // namespace
