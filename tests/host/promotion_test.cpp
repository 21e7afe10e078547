#include <gtest/gtest.h>

#include "ime/ime_calls.h"

#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "dict/learned_order.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "engine/paging.h"
#include "engine/promotion.h"
#include "support/engine_session.h"
#include "support/key_session.h"
#include "settings/settings.h"

namespace {

using Texts = std::vector<std::string>;

std::string WordAt(int index) {
    return Utf8(Tables.MainTable[index].word);
}

class PromotionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings.WordAssociation = 0;
        Settings.CodeHint = 0;
    }
    EngineSession session;
};

TEST_F(PromotionTest, ManualPromotionMovesTheThirdToTheTopAndShowsItAtOnce) {
    Settings.AutoFrequency = 0;
    session.UseWords({{"a", "阿"}, {"ab", "一"}, {"abc", "长"}, {"ab", "二"}, {"ab", "三"}},
                     {{"ab", "用"}});
    session.Type("ab");
    ASSERT_EQ(session.Candidates(), (Texts{"一", "二", "三", "用", "长"}));
    PromoteCandidate(session.context(), '3');
    EXPECT_TRUE(Tables.MainTableModified);
    EXPECT_EQ(session.Candidates(), (Texts{"三", "一", "二", "用", "长"}));
    // Only the places of the exact candidates took part.
    EXPECT_EQ(WordAt(0), "阿");
    EXPECT_EQ(WordAt(1), "三");
    EXPECT_EQ(WordAt(2), "长");
    EXPECT_EQ(WordAt(3), "一");
    EXPECT_EQ(WordAt(4), "二");
}

TEST_F(PromotionTest, UserWordsAndLongerCodesNeverMove) {
    Settings.AutoFrequency = 0;
    session.UseWords({{"ab", "一"}, {"abc", "长"}, {"ab", "二"}}, {{"ab", "用"}});
    session.Type("ab");
    PromoteCandidate(session.context(), '3');  // the user word
    PromoteCandidate(session.context(), '4');  // the longer code
    EXPECT_FALSE(Tables.MainTableModified);
    EXPECT_EQ(session.Candidates(), (Texts{"一", "二", "用", "长"}));
}

TEST_F(PromotionTest, AutomaticPromotionOnALaterPageMovesToThatPagesFirstPlace) {
    Settings.AutoFrequency = 1;
    WordList words;
    for (int i = 0; i < 25; ++i) {
        words.push_back({"ab", i == 17 ? "八" : "工"});
    }
    words.push_back({"abc", "长"});
    session.UseWords(words);
    session.Type("ab");
    PageDown(session.context());
    session.Type("8");  // slot 19: the 18th candidate, table place 17
    EXPECT_EQ(session.TakeCommitted(), "八");
    EXPECT_EQ(WordAt(10), "八");
    EXPECT_EQ(WordAt(17), "工");
    session.Type("ab");
    PageDown(session.context());
    EXPECT_EQ(session.Candidates()[10], "八");
}

TEST_F(PromotionTest, NothingMovesWithoutCandidatesOrDuringAssociation) {
    session.UseWords({{"ab", "一"}, {"ab", "二"}, {"abc", "长"}});
    PromoteCandidate(session.context(), '2');
    EXPECT_FALSE(Tables.MainTableModified);
    session.Type("ab");
    Conversion.AssociationShown = 1;
    PromoteCandidate(session.context(), '2');
    EXPECT_FALSE(Tables.MainTableModified);
    Conversion.AssociationShown = 0;
    PromoteCandidate(session.context(), '2');
    EXPECT_TRUE(Tables.MainTableModified);
    EXPECT_EQ(WordAt(0), "二");
}

TEST_F(PromotionTest, PromotedOrderSurvivesASaveAndReload) {
    session.UseShippedDictionaries(kCodeSetPrimary);
    Settings.AutoFrequency = 1;
    session.Type("aaaa");
    const Texts before = session.Candidates();
    ASSERT_GE(before.size(), 2u);
    session.Type("2");
    EXPECT_EQ(session.TakeCommitted(), before[1]);
    // Leaving the program (its context deactivated) keeps what it learned.
    ActivateInputContext(FALSE);
    EXPECT_FALSE(Tables.MainTableModified);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    session.Type("aaaa");
    EXPECT_EQ(session.Candidates()[0], before[1]);
    EXPECT_EQ(session.Candidates()[1], before[0]);
}

// The candidate list lies in memory the application may write: a page start of its choosing
// moves nothing (it once made the promotion walk before the start of its index).
TEST_F(PromotionTest, APageStartTheApplicationWroteMovesNothing) {
    Settings.AutoFrequency = 0;
    session.UseWords({{"ab", "一"}, {"ab", "二"}, {"ab", "三"}});
    for (const DWORD pageStart :
         {DWORD{0}, DWORD{1}, DWORD{5}, DWORD{99}, DWORD{0xFFFFFFF0u}, ~DWORD{0}}) {
        session.Type("ab");
        session.List()->dwPageStart = pageStart;
        PromoteCandidate(session.context(), '3');
        EXPECT_FALSE(Tables.MainTableModified) << pageStart;
        EXPECT_EQ(WordAt(0), "一") << pageStart;
        session.Key(0x1B);
    }
}

// Ctrl+J keeps what was learned in the code set it leaves; a load starts with nothing learned.
TEST(PromotionKeysTest, SwitchingTheCodeSetKeepsTheOrderLearnedBefore) {
    KeySession keys;
    keys.engine().UseShippedDictionaries(kCodeSetPrimary);
    Settings.AutoFrequency = 1;
    Settings.WordAssociation = 0;
    EXPECT_EQ(keys.Type("aaaa2"), "恭恭敬敬");
    ASSERT_TRUE(Tables.MainTableModified);
    keys.Type("<C-j>");
    EXPECT_EQ(Settings.CodeSet, kCodeSetSecondary);
    EXPECT_FALSE(Tables.MainTableModified) << "the Secondary table as loaded";
    EXPECT_EQ(Tables.PromotionCount, 0u);
    keys.Type("<C-j>");
    ASSERT_EQ(Settings.CodeSet, kCodeSetPrimary);
    EXPECT_EQ(keys.Type("aaaa "), "恭恭敬敬") << "the order learned before the switch";
}

// More promotions than the log holds before any save: the one that finds it full saves at once.
TEST_F(PromotionTest, AFullLogOfPromotionsIsSavedAtOnce) {
    session.UseShippedDictionaries(kCodeSetPrimary);
    Settings.AutoFrequency = 1;
    for (std::size_t i = 0; i < kMaxPromotions; ++i) {
        session.Type(i % 2 == 0 ? "aaaa2" : "aaaa2");
    }
    EXPECT_EQ(Tables.PromotionCount, kMaxPromotions);
    session.Type("aaaa2");
    EXPECT_EQ(Tables.PromotionCount, 0u);
    EXPECT_FALSE(Tables.MainTableModified);
    char path[kPathBufferSize];
    ASSERT_TRUE(UserFilePath("zelk2006.mb", path));
    ASSERT_EQ(LoadDictionaries(kCodeSetPrimary, true, true), 1);
    EXPECT_EQ(Tables.MainSource, TableSource::User);
}

}  // namespace
