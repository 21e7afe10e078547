#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "engine/special_codes.h"
#include "context/input_context.h"
#include "platform/host/host_control.h"
#include "support/engine_session.h"
#include "settings/settings.h"

namespace {

using Texts = std::vector<std::string>;

class LookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SYSTEMTIME t{};
        t.wYear = 2026;
        t.wMonth = 12;
        t.wDay = 6;
        t.wHour = 21;
        t.wMinute = 8;
        HostSetLocalTime(&t);
    }
    void TearDown() override { HostSetLocalTime(nullptr); }
    EngineSession session;
};

const WordList kMain = {
    {"a", "阿"}, {"ab", "工"}, {"abcd", "人"}, {"ab", "中"}, {"abc", "工人"}, {"b", "不"},
};
const WordList kUser = {{"abx", "用户"}, {"ab", "词"}, {"b", "吧"}};

TEST_F(LookupTest, ExactMainThenSpecialThenUserThenLongerMain) {
    session.UseWords(kMain, kUser);
    session.Type("ab");
    EXPECT_EQ(session.Candidates(), (Texts{"工", "中", "用户x", "词", "人cd", "工人c"}));
    EXPECT_EQ(Conversion.CodeComplete, 0);
    EXPECT_EQ(Conversion.CandidatesOpen, 1);
    EXPECT_EQ(session.List()->dwCount, 8u);
    EXPECT_EQ(session.List()->dwPageStart, 2u);
    EXPECT_EQ(session.List()->dwPageSize, 10u);
    // ExactIndex names the table places of the exact main-table candidates, in list order.
    EXPECT_EQ(Conversion.ExactIndex[0], 2);
    EXPECT_EQ(Conversion.ExactIndex[1], 4);
    EXPECT_EQ(Conversion.ExactIndex[2], 0);
    EXPECT_STREQ(Conversion.ResultText, "ab");
}

TEST_F(LookupTest, HintsOnlyForLongerCodesAndOnlyWithCodeHints) {
    Settings.CodeHint = 0;
    session.UseWords(kMain, kUser);
    session.Type("ab");
    EXPECT_EQ(session.Candidates(), (Texts{"工", "中", "用户", "词", "人", "工人"}));
}

TEST_F(LookupTest, SpecialCandidateFollowsTheExactMatches) {
    session.UseWords({{"d", "在"}, {"dd", "大"}});
    session.Type("d");
    EXPECT_EQ(session.Candidates(), (Texts{"在", "12月6日ate", "大d"}));
    session.Type("a");
    EXPECT_EQ(session.Candidates(), (Texts{"12月6日te"}));
}

TEST_F(LookupTest, SpecialCodeCompleteAtItsLastKey) {
    session.UseWords({{"no", "那"}, {"nowx", "哪"}});
    Settings.CodeHint = 1;
    session.Type("now");
    EXPECT_EQ(session.Candidates(), (Texts{"2026年12月6日21时8分", "哪x"}));
    EXPECT_EQ(Conversion.CodeComplete,
              0);  // made incomplete by the longer table code, not by the special
    session.UseWords({{"no", "那"}});
    EngineSession fresh;
    fresh.UseWords({{"no", "那"}, {"nox", "哪"}});
    fresh.Type("no");
    fresh.Type("w");
    // 'now' has only the special candidate left, complete: it is committed at once.
    EXPECT_EQ(fresh.TakeCommitted(), "2026年12月6日21时8分");
}

TEST_F(LookupTest, PhraseInputOffHidesMainPhrasesButNotUserPhrases) {
    session.UseWords(kMain, kUser);
    Settings.PhraseInput = 0;
    session.Type("ab");
    EXPECT_EQ(session.Candidates(), (Texts{"工", "中", "用户x", "词", "人cd"}));
}

TEST_F(LookupTest, FilteredPhrasesDoNotKeepACodeIncomplete) {
    session.UseWords({{"ab", "工"}, {"abc", "工人"}, {"abd", "工人们"}});
    Settings.PhraseInput = 0;
    session.Type("ab");
    // Only 工 is left and no shown candidate is longer: committed at once.
    EXPECT_EQ(session.TakeCommitted(), "工");
    EXPECT_EQ(Conversion.CodeLength, 0);
}

TEST_F(LookupTest, CompleteCodeWithSeveralCandidatesBeepsAndStays) {
    session.UseWords({{"ab", "工"}, {"ab", "中"}});
    session.TakeBeeps();
    session.Type("ab");
    EXPECT_EQ(Conversion.CodeComplete, 1);
    EXPECT_EQ(session.Candidates(), (Texts{"工", "中"}));
    EXPECT_EQ(session.TakeBeeps(), 1);
    EXPECT_EQ(session.TakeCommitted(), "");
}

TEST_F(LookupTest, NoCandidateBeeps) {
    session.UseWords(kMain);
    session.TakeBeeps();
    session.Type("ac");
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_EQ(Conversion.CandidatesOpen, 0);
    EXPECT_EQ(session.List()->dwCount, 2u);
    EXPECT_EQ(Conversion.VisibleCandidates, 0);
    EXPECT_EQ(session.TakeBeeps(), 1);
    EXPECT_EQ(Conversion.ExactIndex[0], 0);
}

TEST_F(LookupTest, AtMostNinetySevenCandidates) {
    WordList many;
    for (int i = 0; i < 120; ++i) {
        many.push_back({"ab", "工"});
    }
    session.UseWords(many);
    session.Type("ab");
    EXPECT_EQ(Conversion.CandidateCount, 99);
    EXPECT_EQ(session.List()->dwCount, 99u);
    EXPECT_EQ(Conversion.ExactIndex[99], 100);
    EXPECT_EQ(Conversion.ExactIndex[100], 0);
}

TEST_F(LookupTest, ByteLimitStopsTheScanBeforeLateMatches) {
    WordList many;
    for (int i = 0; i < 1000; ++i) {
        many.push_back({"abc", "工人工人工"});  // 10 bytes, hint 1, separator: 12 each
    }
    many.push_back({"ab", "中"});
    session.UseWords(many, {{"ab", "词"}});
    session.Type("ab");
    // The exact match after the limit is never reached; the user word came first in the scans.
    ASSERT_EQ(Conversion.CandidateCount, 99);
    EXPECT_EQ(session.Candidates()[0], "词");
    EXPECT_EQ(session.Candidates()[1], "工人工人工c");
    EXPECT_EQ(Conversion.ExactIndex[0], 0);
    EXPECT_EQ(LookupCandidates("ab")->listBytes, 3 + 12 * 853 + 12);

    many.insert(many.begin(), {"ab", "中"});
    session.UseWords(many);
    session.Type("<");  // drops the code
    session.Type("ab");
    EXPECT_EQ(session.Candidates()[0], "中");
}

TEST_F(LookupTest, TooLongItemIsCutAtACharacterBoundary) {
    std::string word;
    for (int i = 0; i < 49; ++i) {
        word += "工";
    }
    word += "x";  // 99 bytes
    session.UseWords({{"abcdef", word}, {"ab", "中"}});
    session.Type("ab");
    const Texts candidates = session.Candidates();
    ASSERT_EQ(candidates.size(), 2u);
    // 99 bytes of word and 4 of hint do not fit a slot: 49 whole characters are kept.
    EXPECT_EQ(candidates[1].size(), 49u * 3 + 1);
}

TEST_F(LookupTest, GbkModeListsRareCharactersByEitherCode) {
    Settings.GbkMode = 1;
    Settings.CodeSet = kCodeSetPrimary;
    session.UseWords(kMain, kUser);
    session.Type("aaa");
    EXPECT_EQ(session.Candidates(), (Texts{"菚r"}));
    EXPECT_EQ(Conversion.ExactIndex[0], 0);

    EngineSession secondary;
    Settings.GbkMode = 1;
    Settings.CodeSet = kCodeSetSecondary;
    Settings.CodeHint = 0;
    secondary.Type(";uu");
    // ';' is a code key of the Secondary set; in GBK mode it still starts a search.
    const Texts found = secondary.Candidates();
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found[0], "岊");
}

TEST_F(LookupTest, GbkModeOffersNoSpecialCandidate) {
    Settings.GbkMode = 1;
    session.Type("d");
    for (const std::string& text : session.Candidates()) {
        EXPECT_EQ(text.find("月"), std::string::npos);
    }
}

TEST_F(LookupTest, FirstKeyWithoutGroupFindsNothing) {
    session.UseWords(kMain, kUser);
    EXPECT_FALSE(LookupCandidates("1a").has_value());
    const std::optional<LookupOutcome> found = LookupCandidates("ab");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->found.count, 6);
}

TEST_F(LookupTest, EditingTheCodeKeepsTheCompositionString) {
    session.UseWords(kMain, kUser);
    session.Type("abc");
    INPUTCONTEXT* data = ImmLockIMC(session.context());
    auto* comp = static_cast<COMPOSITIONSTRING*>(ImmLockIMCC(data->hCompStr));
    EXPECT_EQ(std::string(CompositionText(comp)), "abc");
    EXPECT_EQ(comp->dwCompStrLen, 3u);
    EXPECT_EQ(comp->dwCompReadStrLen, 3u);
    EXPECT_EQ(comp->dwCursorPos, 3u);
    EXPECT_EQ(comp->dwDeltaStart, 2u);
    EXPECT_EQ(CompositionAttributes(comp)[2], 1);

    EXPECT_EQ(EditCode(session.context(), 0, DeleteLast, true), 1);
    EXPECT_STREQ(Conversion.CodeBuffer, "ab");
    EXPECT_EQ(comp->dwCompStrLen, 2u);
    EXPECT_EQ(comp->dwCursorPos, 2u);
    EXPECT_EQ(session.Candidates().size(), 6u);
    ImmUnlockIMCC(data->hCompStr);
    ImmUnlockIMC(session.context());
}

TEST_F(LookupTest, DeletingTheLastKeyCancelsAndStillNotifies) {
    session.UseWords(kMain, kUser);
    session.Type("a");
    session.TakeMessages();
    EXPECT_EQ(EditCode(session.context(), 0, DeleteLast, true), 1);
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    // The composition ends; an empty composition string is not announced outside it.
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_NOTIFY IMN_CHANGECANDIDATE", "WM_IME_ENDCOMPOSITION",
                     "WM_IME_NOTIFY IMN_OPENCANDIDATE", "WM_IME_NOTIFY IMN_CHANGECANDIDATE"}));
    // Once more with no code at all: no second end.
    EXPECT_EQ(EditCode(session.context(), 0, DeleteLast, true), 1);
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_NOTIFY IMN_CHANGECANDIDATE", "WM_IME_NOTIFY IMN_OPENCANDIDATE",
                     "WM_IME_NOTIFY IMN_CHANGECANDIDATE"}));
}

TEST_F(LookupTest, RefreshLooksTheSameCodeUpAgain) {
    session.UseWords(kMain, kUser);
    session.Type("ab");
    EXPECT_EQ(EditCode(session.context(), 'c', Append, false), 1);
    EXPECT_STREQ(Conversion.CodeBuffer, "abc");
    EXPECT_EQ(EditCode(session.context(), 'y', Refresh, false), 1);
    EXPECT_STREQ(Conversion.CodeBuffer, "abc");
    EXPECT_EQ(session.Candidates(), (Texts{"工人", "人d"}));
    // The only candidate, complete: the caller is told to commit it.
    EXPECT_EQ(EditCode(session.context(), 'd', Append, false), 0);
    EXPECT_EQ(Conversion.CandidatesOpen, 1);
}

TEST_F(LookupTest, LockFailureChangesNothing) {
    session.UseWords(kMain, kUser);
    session.Type("a");
    HostSetContextLockFailure(session.context(), true);
    EXPECT_EQ(EditCode(session.context(), 'b', Append, true), 0);
    HostSetContextLockFailure(session.context(), false);
    EXPECT_STREQ(Conversion.CodeBuffer, "a");
}

TEST_F(LookupTest, CodeNeverOutgrowsSixKeys) {
    session.UseWords({{"abcdef", "工"}, {"abcdef", "人"}});
    session.Type("abcdef");
    EditCode(session.context(), 'g', Append, false);
    EXPECT_STREQ(Conversion.CodeBuffer, "abcdef");
    EXPECT_EQ(Conversion.CodeLength, 6);
}

TEST_F(LookupTest, ShippedPrimaryDataGivesTheKnownCharacters) {
    session.UseShippedDictionaries(kCodeSetPrimary);
    session.Type("aaaa");
    EXPECT_EQ(session.Candidates()[0], "工");
    session.Type(" ");
    EngineSession again;
    again.UseShippedDictionaries(kCodeSetPrimary);
    again.Type("khk");
    EXPECT_EQ(again.Candidates()[0], "中");
}

}  // namespace
