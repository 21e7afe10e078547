// The narrower scans (by second key, by word head, the kept one-key results) must give exactly
// what a walk over the whole group gives, also after the tables or the options change.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "dict/code_index.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "engine/promotion.h"
#include "support/engine_session.h"
#include "settings/settings.h"
#include "dict/tables.h"

namespace {

using Texts = std::vector<std::string>;

const WordList kMain = {
    {"a", "工"},     {"ab", "中"},   {"ba", "不"},    {"abc", "中国"}, {"ac", "人"},
    {"abd", "中间"}, {"ab", "工人"}, {"acd", "人们"}, {"a", "阿"},     {"b", "吧"},
};

class LookupIndexTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings.WordAssociation = 0;
        session.UseWords(kMain);
    }
    Texts Lookup(const std::string& code) {
        EditCode(session.context(), 0, Clear, false);
        for (char key : code) {
            EditCode(session.context(), static_cast<unsigned char>(key), Append, false);
        }
        return session.Candidates();
    }
    EngineSession session;
};

TEST_F(LookupIndexTest, LongerCodesSeeOnlyTheirSecondKeyInTableOrder) {
    EXPECT_EQ(Lookup("ab"), (Texts{"中", "工人", "中国c", "中间d"}));
    EXPECT_EQ(Lookup("ac"), (Texts{"人", "人们d"}));
    EXPECT_EQ(Lookup("abd"), (Texts{"中间"}));
    EXPECT_EQ(Lookup("ax"), Texts{});
}

TEST_F(LookupIndexTest, ChangedCodesAreFoundUnderTheirNewCode) {
    Lookup("ab");
    std::strcpy(Tables.MainTable[1].code, "ac");  // 中 moves from ab to ac
    IndexEntry(MainIndex, Tables.MainTable[1], 1);
    EXPECT_EQ(Lookup("ab"), (Texts{"工人", "中国c", "中间d"}));
    EXPECT_EQ(Lookup("ac"), (Texts{"中", "人", "人们d"}));
    // An entry emptied ends every scan of its group there.
    std::memset(&Tables.MainTable[3], 0, sizeof Tables.MainTable[3]);
    IndexEntry(MainIndex, Tables.MainTable[3], 3);
    EXPECT_EQ(Lookup("ac"), (Texts{"中"}));
    EXPECT_EQ(Lookup("a"), (Texts{"工", "中c"}));
}

TEST_F(LookupIndexTest, OneKeyResultsFollowTableAndOptionChanges) {
    const Texts before = Lookup("a");
    EXPECT_EQ(before, (Texts{"工", "阿", "中b", "中国bc", "人c", "中间bd", "工人b", "人们cd"}));
    Settings.CodeHint = 0;
    EXPECT_EQ(Lookup("a")[2], "中");
    Settings.PhraseInput = 0;
    EXPECT_EQ(Lookup("a"), (Texts{"工", "阿", "中", "人"}));
    Settings.CodeHint = 1;
    Settings.PhraseInput = 1;
    FillUserTable({{"ax", "用户"}});
    EXPECT_EQ(Lookup("a")[2], "用户x");
    std::strcpy(Tables.MainTable[8].word, Gbk("啊").c_str());
    IndexEntry(MainIndex, Tables.MainTable[8], 8);
    EXPECT_EQ(Lookup("a")[1], "啊");
}

TEST_F(LookupIndexTest, AssociationFollowsPromotedOrder) {
    Settings.WordAssociation = 1;
    Settings.AutoFrequency = 0;
    std::optional<LookupOutcome> words = AssociationLookup("ab", Gbk("中").c_str());
    ASSERT_TRUE(words.has_value());
    const CandidateItems* found = &words->found;
    ASSERT_EQ(found->count, 2);
    EXPECT_EQ(Utf8(found->items[0].text), "中国");
    EXPECT_EQ(Utf8(found->items[1].text), "中间");

    // Two words of code "ab" trade places: 工人 moves before 中.
    EXPECT_EQ(Lookup("ab")[1], "工人");
    PromoteCandidate(session.context(), '2');
    EXPECT_EQ(session.Candidates()[0], "工人");
    ASSERT_EQ(AssociationLookup("ab", Gbk("中").c_str())->found.count, 2);
    words = AssociationLookup("ab", Gbk("工").c_str());
    ASSERT_TRUE(words.has_value());
    found = &words->found;
    ASSERT_EQ(found->count, 1);
    EXPECT_EQ(Utf8(found->items[0].text), "工人");
    EXPECT_EQ(found->items[0].text, Tables.MainTable[1].word);
}

}  // namespace
