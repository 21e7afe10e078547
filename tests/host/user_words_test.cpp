// User words shared by programs: the merge over three lists, saves of two programs in turn, a save
// racing the word-making dialog's "关闭", the refusal after a failed load and the pick-up of a
// change made elsewhere.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/learned_order.h"
#include "dict/user_file_sync.h"
#include "dict/user_word_merge.h"
#include "engine/online_word.h"
#include "engine/user_words.h"
#include "ime/ime_calls.h"
#include "ime/process_state.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

// "code word" pairs, the word in UTF-8.
using Words = std::vector<std::string>;

DictEntry Entry(const std::string& pair) {
    DictEntry entry = {};
    const std::size_t space = pair.find(' ');
    std::strcpy(entry.code, pair.substr(0, space).c_str());
    std::strcpy(entry.word, Gbk(pair.substr(space + 1)).c_str());
    return entry;
}

std::vector<DictEntry> Entries(const Words& words) {
    std::vector<DictEntry> entries;
    for (const std::string& pair : words) {
        entries.push_back(Entry(pair));
    }
    return entries;
}

Words Pairs(const DictEntry* entries, std::size_t count) {
    Words words;
    for (std::size_t i = 0; i < count && !IsEmptyEntry(entries[i]); ++i) {
        words.push_back(std::string(entries[i].code) + " " + Utf8(entries[i].word));
    }
    return words;
}

TEST(MergeUserWords, EveryAdditionAndDeletionOfEitherSideSurvives) {
    const struct {
        const char* name;
        Words base, mine, theirs, merged;
    } cases[] = {
        {"nothing changed", {"a 工", "b 人"}, {"a 工", "b 人"}, {"a 工", "b 人"}, {"a 工", "b 人"}},
        {"mine added", {"a 工"}, {"a 工", "c 中"}, {"a 工"}, {"a 工", "c 中"}},
        {"theirs added", {"a 工"}, {"a 工"}, {"a 工", "d 文"}, {"a 工", "d 文"}},
        {"both added", {"a 工"}, {"a 工", "c 中"}, {"a 工", "d 文"}, {"a 工", "c 中", "d 文"}},
        {"both added the same", {}, {"c 中"}, {"c 中"}, {"c 中"}},
        {"mine deleted", {"a 工", "b 人"}, {"b 人"}, {"a 工", "b 人"}, {"b 人"}},
        {"theirs deleted", {"a 工", "b 人"}, {"a 工", "b 人", "c 中"}, {"b 人"}, {"b 人", "c 中"}},
        {"mine changed a word", {"a 工"}, {"a 工人"}, {"a 工", "d 文"}, {"a 工人", "d 文"}},
        {"nothing known of the file", {}, {"a 工"}, {"b 人"}, {"a 工", "b 人"}},
        {"file emptied elsewhere", {"a 工"}, {"a 工", "c 中"}, {}, {"c 中"}},
        {"mine's order, twice kept", {}, {"b 人", "a 工", "b 人"}, {}, {"b 人", "a 工", "b 人"}},
        {"theirs added twice", {}, {}, {"d 文", "d 文"}, {"d 文"}},
    };
    for (const auto& c : cases) {
        const auto base = Entries(c.base);
        const auto mine = Entries(c.mine);
        auto theirs = Entries(c.theirs);
        theirs.push_back(DictEntry{});  // empty entries are ignored
        const auto merged = MergeUserWords(base.data(), base.size(), mine.data(), mine.size(),
                                           theirs.data(), theirs.size());
        EXPECT_EQ(Pairs(merged.data(), merged.size()), c.merged) << c.name;
    }
}

// One program's view of the user words: its UserTable and what it knows of the file. The tables
// are process-wide, so two programs take turns in them.
struct Program {
    std::vector<DictEntry> table = std::vector<DictEntry>(kUserTableCapacity);
    std::unique_ptr<UserFileRecord> file = std::make_unique<UserFileRecord>();

    void Leave() {
        std::memcpy(table.data(), Tables.UserTable, sizeof Tables.UserTable);
        *file = Tables.UserFile;
    }
    void Enter() {
        std::memcpy(Tables.UserTable, table.data(), sizeof Tables.UserTable);
        Tables.UserFile = *file;
        RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
    }
};

class UserWordsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        Settings = SettingsRecord{};
        Settings.CodeSet = kCodeSetPrimary;
        folders_ = CopyShippedDictionaries();
        userFile_ = folders_.user + UserFileName(Settings.CodeSet);
        HostResetRecords();
    }
    void WriteUserFile(const std::string& gbk) {
        ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
        WriteWholeFile(userFile_, gbk);
        // A later last-write time, as a write a moment later gives.
        const auto path = std::filesystem::path(userFile_);
        std::filesystem::last_write_time(
            path, std::filesystem::last_write_time(path) + std::chrono::seconds(++bumps_));
    }
    Words Table() const { return Pairs(Tables.UserTable, kUserTableCapacity); }
    Words File() const {
        std::vector<DictEntry> read(kUserTableCapacity);
        EXPECT_EQ(ReadDictionaryLines(userFile_.c_str(), ' ', read.data(), read.size(),
                                      LineRules::UserWords, Settings.CodeSet)
                      .status,
                  FileReadStatus::Read);
        return Pairs(read.data(), read.size());
    }
    // A word typed in the current program: its table plus the word, against what it last read.
    UserSaveResult SaveWord(const std::string& pair) {
        std::vector<DictEntry> mine(Tables.UserTable, Tables.UserTable + Table().size());
        mine.push_back(Entry(pair));
        return SaveUserWords(Settings.CodeSet, mine.data(), mine.size(), Tables.UserFile.Base,
                             Tables.UserFile.BaseCount);
    }
    std::string LastBox() const {
        const int n = HostMessageBoxCount();
        return n == 0 ? ""
                      : Utf8(HostMessageBoxAt(n - 1).caption) + ":" +
                            Utf8(HostMessageBoxAt(n - 1).text);
    }
    DataFolders folders_;
    std::string userFile_;  // the user's own
    int bumps_ = 0;
};

TEST_F(UserWordsTest, TwoProgramsSavingInTurnKeepEachOthersWords) {
    WriteUserFile(Gbk("eyyy 用户词库\r\n"));
    Program first;
    Program second;
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, false, true), 1);
    first.Leave();
    second.Leave();

    first.Enter();
    ASSERT_EQ(SaveWord("aaww 工人"), UserSaveResult::Saved);
    first.Leave();
    second.Enter();
    EXPECT_EQ(Table(), (Words{"eyyy 用户词库"}));
    ASSERT_EQ(SaveWord("khyy 中文"), UserSaveResult::Saved);
    EXPECT_EQ(File(), (Words{"eyyy 用户词库", "khyy 中文", "aaww 工人"}));
    EXPECT_EQ(Table(), File());
    second.Leave();

    // The first program notices the change at its next activation (a deactivation does not look).
    first.Enter();
    ActivateInputContext(FALSE);
    EXPECT_EQ(Table(), (Words{"eyyy 用户词库", "aaww 工人"}));
    ActivateInputContext(TRUE);
    EXPECT_EQ(Table(), File());
    EXPECT_FALSE(ReloadUserFileIfChanged(Settings.CodeSet));
}

TEST_F(UserWordsTest, DialogCloseRacingAnotherSaveKeepsBothIntents) {
    WriteUserFile(Gbk("eyyy 用户词库\r\nwtyn 候选词\r\naaww 工人\r\n"));
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, false, true), 1);
    Program dialogProgram;
    Program other;
    dialogProgram.Leave();
    other.Leave();

    // The dialog opens on the table as it is; meanwhile the other program saves a word.
    const std::vector<DictEntry> opened(Tables.UserTable, Tables.UserTable + 3);
    other.Enter();
    ASSERT_EQ(SaveWord("khyy 中文"), UserSaveResult::Saved);
    other.Leave();

    // "关闭": 候选词 deleted, 工人 changed to 工人们, 人 added.
    dialogProgram.Enter();
    const auto list = Entries({"ww 人", "aaww 工人们", "eyyy 用户词库"});
    ASSERT_TRUE(
        SaveDialogWords(Settings.CodeSet, list.data(), list.size(), opened.data(), opened.size()));
    EXPECT_EQ(File(), (Words{"ww 人", "aaww 工人们", "eyyy 用户词库", "khyy 中文"}));
    EXPECT_EQ(Table(), File());
    EXPECT_EQ(HostMessageBoxCount(), 0);

    // The other program still holds the deleted and the changed word; its next save keeps them
    // deleted.
    other.Enter();
    ASSERT_EQ(SaveWord("yygy 文"), UserSaveResult::Saved);
    EXPECT_EQ(File(), (Words{"eyyy 用户词库", "khyy 中文", "yygy 文", "ww 人", "aaww 工人们"}));
}

TEST_F(UserWordsTest, AUserWithoutWordsStartsWithTheMachinesAndKeepsThemInTheirOwnFile) {
    const std::string machineFile = folders_.machine + UserFileName(Settings.CodeSet);
    const std::string machineWords = ReadWholeFile(machineFile);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    const Words shipped = Table();
    ASSERT_EQ(shipped.size(), 4u);
    EXPECT_EQ(Tables.UserFile.WriteTime, 0u) << "the user has no file yet";

    ASSERT_EQ(SaveWord("aaww 工人"), UserSaveResult::Saved);
    Words expected = shipped;
    expected.push_back("aaww 工人");
    EXPECT_EQ(File(), expected);
    EXPECT_EQ(Table(), expected);
    EXPECT_EQ(ReadWholeFile(machineFile), machineWords) << "the machine's words stay as shipped";
    EXPECT_EQ(FolderListing(folders_.user), "zelk2006.emb\nzelk2006.emb.lock\n");
    // From now on the user's file is the one read.
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, false, true), 1);
    EXPECT_EQ(Table(), expected);
    EXPECT_EQ(Tables.UserFile.WriteTime, UserFileWriteTime(Settings.CodeSet));
}

TEST_F(UserWordsTest, WithoutAUserFolderNothingIsWrittenAnywhere) {
    const std::string before = FolderListing(folders_.machine);
    for (const bool profile : {true, false}) {
        if (profile) {
            // A link where the user's folder should be is no folder of theirs.
            const std::string elsewhere = folders_.machine + "elsewhere";
            ASSERT_TRUE(CreateBlockingFolder(elsewhere));
            std::string link = folders_.user;
            link.pop_back();
            ASSERT_EQ(symlink(elsewhere.c_str(), link.c_str()), 0);
        } else {
            HostSetApplicationDataDirectory(nullptr);
        }
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1) << profile;
        EXPECT_EQ(Table().size(), 4u) << "the machine's words are offered";
        EXPECT_EQ(SaveWord("aaww 工人"), UserSaveResult::NoUserFolder) << profile;
        std::strcpy(OnlineWord.OnlineWordBuffer, Gbk("工人中").c_str());
        SaveOnlineWord();
        EXPECT_EQ(LastBox(), "提示:用户数据文件夹不可用，词语未保存!");
        Tables.MainTableModified = true;
        HostResetRecords();
        EXPECT_EQ(SaveLearnedOrderOrTell(Settings.CodeSet), OrderSaveResult::NoUserFolder);
        EXPECT_EQ(LastBox(), "提示:用户数据文件夹不可用，调整后的字词次序未保存!");
        EXPECT_EQ(HostMessageBoxCount(), 1);
        EXPECT_FALSE(Tables.MainTableModified) << "the order is dropped, once";
        if (profile) {
            EXPECT_EQ(FolderListing(folders_.machine + "elsewhere"), "");
        }
    }
    EXPECT_EQ(FolderListing(folders_.machine), "elsewhere\n" + before);
}

TEST_F(UserWordsTest, AFileThatCouldNotBeReadIsNeverWritten) {
    // What stands at the user file's place cannot be read.
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    ASSERT_TRUE(CreateBlockingFolder(userFile_));
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_TRUE(Tables.UserFile.Unreadable);
    EXPECT_EQ(SaveWord("aaww 工人"), UserSaveResult::Unreadable);

    // Through on-line word creation: the user is told, nothing is written.
    std::strcpy(OnlineWord.OnlineWordBuffer, Gbk("工人中").c_str());
    SaveOnlineWord();
    EXPECT_EQ(LastBox(), "提示:用户词库文件无法读取，词语未保存!");
    const auto list = Entries({"aaww 工人"});
    EXPECT_FALSE(SaveDialogWords(Settings.CodeSet, list.data(), list.size(), nullptr, 0));
    EXPECT_EQ(FolderListing(folders_.user), "zelk2006.emb\n");

    // The file is back (the next check reads it): saves work again and keep its words.
    std::filesystem::remove(userFile_);
    WriteUserFile(Gbk("eyyy 用户词库\r\n"));
    ActivateInputContext(TRUE);
    EXPECT_EQ(Table(), (Words{"eyyy 用户词库"}));
    EXPECT_EQ(SaveWord("aaww 工人"), UserSaveResult::Saved);
    EXPECT_EQ(File(), (Words{"eyyy 用户词库", "aaww 工人"}));
}

// A read that fails part-way is no account of the file: taking what came before the failure for
// the file's words would make a save drop the rest as deleted elsewhere.
TEST_F(UserWordsTest, AFileThatFailsPartWayIsUnreadable) {
    WriteUserFile(Gbk("eyyy 用户词库\r\nwtyn 候选词\r\naaww 工人\r\n"));
    HostSetReadFailureAfter(20);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, false, true), 1);
    HostSetReadFailureAfter(~std::size_t{0});
    EXPECT_TRUE(Tables.UserFile.Unreadable);
    EXPECT_EQ(Table(), Words{});
    EXPECT_EQ(SaveWord("khyy 中文"), UserSaveResult::Unreadable);
    EXPECT_EQ(File(), (Words{"eyyy 用户词库", "wtyn 候选词", "aaww 工人"}));
}

// The word-making dialog saves into the code set it opened with, even after a switch meanwhile,
// and leaves the tables of the code set now in use alone.
TEST_F(UserWordsTest, ADialogSavesIntoTheCodeSetItOpenedWith) {
    WriteUserFile(Gbk("eyyy 用户词库\r\n"));
    ASSERT_EQ(LoadDictionaries(kCodeSetPrimary, true, true), 1);
    const std::vector<DictEntry> opened(Tables.UserTable, Tables.UserTable + 1);
    ASSERT_EQ(LoadDictionaries(kCodeSetSecondary, true, true), 1);  // Ctrl+J meanwhile
    const Words secondary = Table();
    const auto list = Entries({"eyyy 用户词库", "aaww 工人"});
    ASSERT_TRUE(
        SaveDialogWords(kCodeSetPrimary, list.data(), list.size(), opened.data(), opened.size()));
    EXPECT_EQ(File(), (Words{"eyyy 用户词库", "aaww 工人"}));
    EXPECT_EQ(Table(), secondary) << "the Secondary words stay in use";
    EXPECT_FALSE(FileExists(folders_.user + "shm28.emb"));
}
}  // namespace
