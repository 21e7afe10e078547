// Saving the learned order: the user's copy of the main file is replaced whole or not at all,
// never through a link, after retries while another program holds it open, never from a table no
// file filled; and a save never discards what another program learned since this one loaded.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "dict/learned_order.h"
#include "engine/user_words.h"
#include "ui/common/window_sink.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "dict/tables.h"

namespace {

class MainTableSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings = SettingsRecord{};
        Settings.CodeSet = kCodeSetPrimary;
        folders_ = CopyShippedDictionaries();
        ResetTableState();
        InstallUiSink(WindowsUiSink());
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
        ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
        file_ = folders_.user + "zelk2006.mb";
        HostResetRecords();
    }
    void TearDown() override { HostSetReplaceFailures(0); }
    // Moves entry `from` before entry `to` in MainTable, as a promotion does.
    void Promote(std::int32_t from, std::int32_t to) {
        RecordPromotion(Tables.MainTable[from], Tables.MainTable[to]);
        std::rotate(Tables.MainTable + to, Tables.MainTable + from, Tables.MainTable + from + 1);
        Tables.MainTableModified = true;
    }
    DataFolders folders_;
    std::string file_;
};

TEST_F(MainTableSaveTest, TheUsersCopyIsReplacedWholeOrNotAtAll) {
    enum class Standing { Nothing, BrokenCopy, LinkToElsewhere };
    const struct {
        const char* name;
        Standing standing;
        int replaceFailures;
        bool loaded;
        OrderSaveResult result;
        int attempts;
        bool told;
    } cases[] = {
        {"made", Standing::Nothing, 0, true, OrderSaveResult::Saved, 1, false},
        {"a broken copy replaced", Standing::BrokenCopy, 0, true, OrderSaveResult::Saved, 1, false},
        {"held open a while", Standing::Nothing, 3, true, OrderSaveResult::Saved, 4, false},
        {"held open too long", Standing::Nothing, 1000, true, OrderSaveResult::WriteFailed, 10,
         true},
        {"a link in its place", Standing::LinkToElsewhere, 0, true, OrderSaveResult::WriteFailed, 0,
         true},
        {"loaded from no file", Standing::Nothing, 0, false, OrderSaveResult::NotLoaded, 0, false},
    };
    for (const auto& c : cases) {
        SetUp();
        const std::string elsewhere = folders_.machine + "elsewhere.txt";
        WriteWholeFile(elsewhere, "not a dictionary");
        if (c.standing == Standing::BrokenCopy) {
            WriteWholeFile(file_, "old order");
        } else if (c.standing == Standing::LinkToElsewhere) {
            ASSERT_EQ(symlink(elsewhere.c_str(), file_.c_str()), 0);
        }
        if (!c.loaded) {
            Tables.MainSource = TableSource::None;
        }
        const std::string before = ReadWholeFile(file_);
        HostSetReplaceFailures(c.replaceFailures);
        Promote(1, 0);
        EXPECT_EQ(SaveLearnedOrderOrTell(Settings.CodeSet), c.result) << c.name;
        EXPECT_EQ(HostReplaceAttempts(), c.attempts) << c.name;
        HostSetReplaceFailures(0);
        const bool saved = c.result == OrderSaveResult::Saved;
        EXPECT_EQ(ReadWholeFile(file_).substr(0, 8),
                  saved ? "akg_" + Gbk("或") + "\r\n" : before.substr(0, 8))
            << c.name;
        EXPECT_EQ(Tables.MainTableModified, !saved) << c.name << ": tried again later";
        EXPECT_EQ(ReadWholeFile(elsewhere), "not a dictionary") << c.name;
        const bool fileThere = saved || c.standing != Standing::Nothing;
        EXPECT_EQ(FolderListing(folders_.user), std::string(fileThere ? "zelk2006.mb\n" : "") +
                                                    (c.loaded ? "zelk2006.mb.lock\n" : ""))
            << c.name << ": nothing else";
        ASSERT_EQ(HostMessageBoxCount(), c.told ? 1 : 0) << c.name;
        if (c.told) {
            EXPECT_EQ(Utf8(HostMessageBoxAt(0).text), "打开文件错误!");
            // Told once: the next failed attempt is quiet.
            HostSetReplaceFailures(1000);
            SaveLearnedOrderOrTell(Settings.CodeSet);
            EXPECT_EQ(HostMessageBoxCount(), 1) << c.name;
            HostSetReplaceFailures(0);
        }
    }
}

// Two programs loaded the same file; the other one saved its order first. This one's save keeps
// the other's order and adds its own.
TEST_F(MainTableSaveTest, ASaveKeepsWhatAnotherProgramLearnedSince) {
    const auto loaded = std::make_unique<DictEntry[]>(kMainTableCapacity);
    std::memcpy(loaded.get(), Tables.MainTable, kMainTableBytes);

    // The other program: 或 (aaaa's group starts at 0) and a w-group word moved up, then saved.
    Promote(1, 0);
    const std::int32_t w = Tables.LetterStart[22];
    Promote(w + 5, w + 2);
    ASSERT_EQ(SaveLearnedOrder(Settings.CodeSet), OrderSaveResult::Saved);
    const auto theirs = std::make_unique<DictEntry[]>(kMainTableCapacity);
    std::memcpy(theirs.get(), Tables.MainTable, kMainTableBytes);

    // This program still has the table as it loaded it, and learns something else.
    std::memcpy(Tables.MainTable, loaded.get(), kMainTableBytes);
    Tables.MainSource = TableSource::Machine;
    Tables.PromotionCount = 0;
    const std::int32_t k = Tables.LetterStart[10];
    const DictEntry movedHere = Tables.MainTable[k + 7];
    Promote(k + 7, k + 3);
    ASSERT_EQ(SaveLearnedOrder(Settings.CodeSet), OrderSaveResult::Saved);

    // Both orders are in the file and in the table, which are the same.
    const auto read = std::make_unique<DictEntry[]>(kMainTableCapacity);
    ASSERT_EQ(ReadDictionaryLines(file_.c_str(), '_', read.get(), kMainTableCapacity,
                                  LineRules::MainFile, kCodeSetPrimary)
                  .status,
              FileReadStatus::Read);
    EXPECT_EQ(std::memcmp(read.get(), Tables.MainTable, kMainTableBytes), 0);
    for (std::int32_t i = 0; i < k; ++i) {
        ASSERT_EQ(std::memcmp(&read[i], &theirs[i], sizeof(DictEntry)), 0) << i;
    }
    EXPECT_EQ(std::memcmp(&read[k + 3], &movedHere, sizeof movedHere), 0);
    EXPECT_EQ(std::memcmp(&read[w + 2], &theirs[w + 2], sizeof(DictEntry)), 0);
    EXPECT_EQ(Tables.PromotionCount, 0u);
}

TEST(ApplyPromotionsTest, EachMoveIsMadeAgainWhereItStillMakesSense) {
    DictEntry table[6] = {};
    const char* codes[] = {"a", "ab", "abc", "b", "bc", "bcd"};
    for (int i = 0; i < 6; ++i) {
        std::strcpy(table[i].code, codes[i]);
        std::strcpy(table[i].word, "w");
    }
    std::int32_t starts[kLetterStartCount] = {0, 3};
    for (int k = 2; k < kLetterStartCount; ++k) {
        starts[k] = 6;
    }
    DictEntry unknown{};
    std::strcpy(unknown.code, "azz");
    const Promotion promotions[] = {
        {table[2], table[0]},  // "abc" before "a"
        {table[0], table[1]},  // "a" now stands after "abc", before "ab" already: nothing moves
        {unknown, table[1]},   // an entry the table lacks
        {table[5], table[3]},  // "bcd" before "b", in its own group
        {table[4], table[0]},  // "bc" before "a" of another group: not there
    };
    ApplyPromotions(table, starts, promotions, 5);
    const char* expected[] = {"abc", "a", "ab", "bcd", "b", "bc"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(table[i].code, expected[i]) << i;
    }
}

// An elevated program reads nothing the user's links lead to.
TEST_F(MainTableSaveTest, LinksInTheUsersFolderAreNeverRead) {
    const std::string secret = folders_.machine + "secret.txt";
    WriteWholeFile(secret, "aaaa_" + Gbk("秘") + "\r\n");
    ASSERT_EQ(symlink(secret.c_str(), file_.c_str()), 0);
    ASSERT_EQ(symlink(secret.c_str(), (folders_.user + "zelk2006.emb").c_str()), 0);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_EQ(Tables.MainSource, TableSource::Machine);
    EXPECT_STREQ(Tables.MainTable[0].code, "aqi");
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[0]));
    EXPECT_TRUE(Tables.UserFile.Unreadable);
}

}  // namespace
