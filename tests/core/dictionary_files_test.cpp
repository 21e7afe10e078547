#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "dict/file_io.h"
#include "dict/user_file_sync.h"
#include "platform/win32.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "dict/tables.h"

namespace {

class DictionaryFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Settings = SettingsRecord{};
        Settings.CodeSet = kCodeSetPrimary;
        const DataFolders folders = CopyShippedDictionaries();
        zelk_ = folders.machine;
        user_ = folders.user;
    }
    std::size_t UsedEntries(const DictEntry* table, std::size_t capacity) {
        std::size_t n = 0;
        while (n < capacity && !IsEmptyEntry(table[n])) {
            ++n;
        }
        return n;
    }
    std::string zelk_;  // the machine's data folder
    std::string user_;  // the user's
};

TEST_F(DictionaryFilesTest, ShippedFilesLoadIntoTheirGroups) {
    for (int codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        Settings.CodeSet = codeSet;
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
        const std::int32_t* starts =
            codeSet == kCodeSetPrimary ? LetterStartPrimary : LetterStartSecondary;
        EXPECT_EQ(std::memcmp(Tables.LetterStart, starts, sizeof Tables.LetterStart), 0);
        EXPECT_EQ(UsedEntries(Tables.MainTable, kMainTableCapacity),
                  static_cast<std::size_t>(starts[28]));
        for (int ordinal = 1; ordinal <= 28; ++ordinal) {
            for (std::int32_t i = Tables.LetterStart[ordinal - 1]; i < Tables.LetterStart[ordinal];
                 ++i) {
                ASSERT_EQ(GroupOrdinal(static_cast<unsigned char>(Tables.MainTable[i].code[0])),
                          ordinal)
                    << "entry " << i;
            }
        }
        EXPECT_EQ(UsedEntries(Tables.UserTable, kUserTableCapacity), 4u);
    }
    Settings.CodeSet = kCodeSetPrimary;
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_STREQ(Tables.MainTable[0].code, "aqi");
    EXPECT_EQ(std::string(Tables.MainTable[0].word), Gbk("区"));
    EXPECT_STREQ(Tables.MainTable[95].code, "a");
    EXPECT_EQ(std::string(Tables.MainTable[95].word), Gbk("工"));
}

TEST_F(DictionaryFilesTest, SavedMainTableIsTheShippedFileByteForByte) {
    for (int codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        Settings.CodeSet = codeSet;
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
        const std::string name = MainFileName(Settings.CodeSet);
        const std::string before = ReadWholeFile(zelk_ + name);
        std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, false), 1);
        EXPECT_EQ(Tables.MainSource, TableSource::Machine);
        EXPECT_EQ(SaveMainTable(Settings.CodeSet), MainSaveResult::Saved);
        // The user's copy, and nothing else: no temporary file stays, the machine's is untouched.
        EXPECT_EQ(ReadWholeFile(user_ + name), before);
        EXPECT_EQ(ReadWholeFile(zelk_ + name), before);
        EXPECT_EQ(Tables.MainSource, TableSource::User);
    }
    EXPECT_EQ(FolderListing(user_), "shm28.mb\nzelk2006.mb\n");
}

TEST_F(DictionaryFilesTest, UserWordsKeepTheirPaddedLayoutThroughSaveAndLoad) {
    DictEntry words[4] = {};
    std::strcpy(words[0].code, "a");
    std::strcpy(words[0].word, Gbk("工").c_str());
    std::strcpy(words[1].code, "ab");
    std::strcpy(words[1].word, Gbk("工人").c_str());
    std::strcpy(words[2].code, "abcd");
    std::strcpy(words[2].word, Gbk("中国").c_str());
    std::strcpy(words[3].code, "abcdef");
    std::string longest;
    for (int i = 0; i < 49; ++i) {
        longest += Gbk("人");
    }
    longest += "x";
    std::strcpy(words[3].word, longest.c_str());
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    ASSERT_TRUE(SaveUserTable(Settings.CodeSet, words, 4));

    const std::string file = ReadWholeFile(user_ + "zelk2006.emb");
    EXPECT_EQ(file.substr(0, 28), "a        " + Gbk("工") + "\r\nab       " + Gbk("工人") + "\r\n");
    EXPECT_NE(file.find("abcd     " + Gbk("中国") + "\r\n"), std::string::npos);
    EXPECT_NE(file.find("abcdef     " + longest + "\r\n"), std::string::npos);

    std::memset(Tables.UserTable, 0x33, sizeof Tables.UserTable);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, false, true), 1);
    for (const DictEntry& word : words) {
        const std::size_t i = static_cast<std::size_t>(&word - words);
        EXPECT_STREQ(Tables.UserTable[i].code, word.code);
        EXPECT_STREQ(Tables.UserTable[i].word, word.word);
    }
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[4]));
}

TEST_F(DictionaryFilesTest, BackupsUseTheMainLineSyntax) {
    DictEntry words[2] = {};
    std::strcpy(words[0].code, "ab");
    std::strcpy(words[0].word, Gbk("工人").c_str());
    const std::string backup = zelk_ + "words.mbk";
    ASSERT_TRUE(SaveBackupFile(backup.c_str(), words, 2));
    EXPECT_EQ(ReadWholeFile(backup), "ab_" + Gbk("工人") + "\r\n");
    std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
    ASSERT_EQ(ReadDictionaryLines(backup.c_str(), '_', Tables.UserTable, kUserTableCapacity,
                                  LineRules::UserWords)
                  .status,
              FileReadStatus::Read);
    EXPECT_STREQ(Tables.UserTable[0].code, "ab");
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[1]));
}

TEST_F(DictionaryFilesTest, MissingMainFileStillSwitchesTheGroupsAndSkipsTheUserFile) {
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    ASSERT_TRUE(DeleteFileA((zelk_ + "shm28.mb").c_str()));
    Settings.CodeSet = kCodeSetSecondary;
    std::strcpy(Tables.UserTable[0].code, "keep");
    EXPECT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 0);
    EXPECT_EQ(std::memcmp(Tables.LetterStart, LetterStartSecondary, sizeof Tables.LetterStart), 0);
    EXPECT_TRUE(IsEmptyEntry(Tables.MainTable[0]));
    EXPECT_STREQ(Tables.UserTable[0].code, "keep");
    // Those are another code set's words: no save may write them as this one's.
    EXPECT_TRUE(Tables.UserFile.Unreadable);
}

// Each table comes from the user's own file when it can be read, else from the machine's; a user
// without user words starts with the machine's, and nobody's start fails for want of them.
TEST_F(DictionaryFilesTest, EachTableComesFromTheUsersFileElseTheMachines) {
    enum class Own { None, Good, Folder };  // a folder in the file's place cannot be read
    const std::string ownMain = "aaaa_" + Gbk("人") + "\r\n";
    const std::string ownWords = "ow       " + Gbk("我") + "\r\n";
    const struct {
        Own main;
        Own words;
        bool machineWords;
        TableSource source;
        const char* firstMain;
        const char* firstWord;  // "": none
        bool unreadable;
    } cases[] = {
        {Own::None, Own::None, true, TableSource::Machine, "aqi", "eyyy", false},
        {Own::Good, Own::None, true, TableSource::User, "aaaa", "eyyy", false},
        {Own::Folder, Own::None, true, TableSource::Machine, "aqi", "eyyy", false},
        {Own::None, Own::Good, true, TableSource::Machine, "aqi", "ow", false},
        {Own::None, Own::None, false, TableSource::Machine, "aqi", "", false},
        {Own::Good, Own::Good, false, TableSource::User, "aaaa", "ow", false},
        {Own::None, Own::Folder, true, TableSource::Machine, "aqi", "", true},
    };
    const std::string machineWords = ReadWholeFile(zelk_ + "zelk2006.emb");
    for (const auto& c : cases) {
        const int row = static_cast<int>(&c - cases);
        UseFreshDataFolders();
        WriteWholeFile(zelk_ + "zelk2006.mb",
                       ReadWholeFile(ShippedDataDirectory() + "zelk/zelk2006.mb"));
        if (c.machineWords) {
            WriteWholeFile(zelk_ + "zelk2006.emb", machineWords);
        }
        ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
        for (const auto& [own, name, bytes] :
             {std::make_tuple(c.main, "zelk2006.mb", ownMain),
              std::make_tuple(c.words, "zelk2006.emb", ownWords)}) {
            if (own == Own::Good) {
                WriteWholeFile(user_ + name, bytes);
            } else if (own == Own::Folder) {
                ASSERT_TRUE(CreateBlockingFolder(user_ + name));
            }
        }
        ResetTableState();
        ASSERT_EQ(LoadDictionaries(kCodeSetPrimary, true, true), 1) << row;
        EXPECT_EQ(Tables.MainSource, c.source) << row;
        EXPECT_STREQ(Tables.MainTable[0].code, c.firstMain) << row;
        EXPECT_STREQ(Tables.UserTable[0].code, c.firstWord) << row;
        EXPECT_EQ(Tables.UserFile.Unreadable, c.unreadable) << row;
        EXPECT_EQ(Tables.UserFile.WriteTime, c.words == Own::Good ? UserFileWriteTime(1) : 0u)
            << row;
    }
}

TEST_F(DictionaryFilesTest, AUserFileThatAppearsIsReadAtTheNextLook) {
    ASSERT_TRUE(DeleteFileA((zelk_ + "zelk2006.emb").c_str()));
    ResetTableState();
    EXPECT_FALSE(ReloadUserFileIfChanged(Settings.CodeSet)) << "nothing was ever loaded";
    EXPECT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[0]));
    EXPECT_FALSE(Tables.UserFile.Unreadable);
    EXPECT_FALSE(ReloadUserFileIfChanged(Settings.CodeSet));
    // Another program saved the user's first word.
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    WriteWholeFile(user_ + "zelk2006.emb", "ab       " + Gbk("工人") + "\r\n");
    EXPECT_TRUE(ReloadUserFileIfChanged(Settings.CodeSet));
    ASSERT_EQ(Tables.UserFile.BaseCount, 1u);
    EXPECT_STREQ(Tables.UserFile.Base[0].code, "ab");
    EXPECT_EQ(Tables.UserFile.WriteTime, UserFileWriteTime(Settings.CodeSet));
    EXPECT_NE(Tables.UserFile.WriteTime, 0u);
    EXPECT_FALSE(ReloadUserFileIfChanged(Settings.CodeSet));
}

TEST_F(DictionaryFilesTest, UserWritersLeaveOutWordsThatWouldReadBackDifferently) {
    const struct {
        const char* code;
        std::string word;
        bool user;    // a user-file line (' ') reads back whole
        bool backup;  // a backup line ('_') does
    } cases[] = {
        {"ab", Gbk("工人"), true, true},
        {"ab", Gbk("工") + "\r" + Gbk("人"), true, true},
        {"ab", "", true, true},
        {"ab", Gbk("工") + " " + Gbk("人"), false, true},
        {"ab", Gbk("工") + "_" + Gbk("人"), true, false},
        {"ab", Gbk("工") + "\n" + Gbk("人"), false, false},
        {"ab", Gbk("工") + "\r", false, false},
        {"a b", Gbk("工"), false, false},
        {"a_b", Gbk("工"), true, false},
        {"", Gbk("工"), false, false},
        {"\x01"
         "ab",
         Gbk("工"), false, false},
    };
    std::vector<DictEntry> entries;
    for (const auto& c : cases) {
        DictEntry entry = {};
        std::strcpy(entry.code, c.code);
        std::strcpy(entry.word, c.word.c_str());
        EXPECT_EQ(ReadsBackWhole(entry, ' '), c.user) << c.code << " " << Utf8(c.word);
        EXPECT_EQ(ReadsBackWhole(entry, '_'), c.backup) << c.code << " " << Utf8(c.word);
        if (entry.code[0] != '\0') {
            entries.push_back(entry);
        }
    }
    // Whatever is written reads back as exactly the entries that pass.
    for (const char separator : {' ', '_'}) {
        ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
        const std::string path = separator == ' ' ? user_ + "zelk2006.emb" : zelk_ + "words.mbk";
        ASSERT_TRUE(separator == ' '
                        ? SaveUserTable(Settings.CodeSet, entries.data(), entries.size())
                        : SaveBackupFile(path.c_str(), entries.data(), entries.size()));
        std::vector<DictEntry> read(entries.size() + 1);
        ASSERT_EQ(ReadDictionaryLines(path.c_str(), separator, read.data(), read.size(),
                                      LineRules::UserWords)
                      .status,
                  FileReadStatus::Read);
        std::size_t r = 0;
        for (const DictEntry& entry : entries) {
            if (!ReadsBackWhole(entry, separator)) {
                continue;
            }
            EXPECT_STREQ(read[r].code, entry.code);
            EXPECT_STREQ(read[r].word, entry.word);
            ++r;
        }
        EXPECT_TRUE(IsEmptyEntry(read[r])) << separator;
    }
}

TEST_F(DictionaryFilesTest, MainFileLongerThanTheTableStopsAtCapacity) {
    std::string lines;
    for (std::size_t i = 0; i < kMainTableCapacity + 50; ++i) {
        lines += "a_" + Gbk("工") + "\r\n";
    }
    WriteWholeFile(zelk_ + "zelk2006.mb", lines);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, false), 1);
    EXPECT_EQ(UsedEntries(Tables.MainTable, kMainTableCapacity), kMainTableCapacity);

    std::string users;
    for (std::size_t i = 0; i < kUserTableCapacity + 50; ++i) {
        users += "b        " + Gbk("人") + "\r\n";
    }
    WriteWholeFile(zelk_ + "zelk2006.emb", users);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, false, true), 1);
    EXPECT_EQ(UsedEntries(Tables.UserTable, kUserTableCapacity), kUserTableCapacity);
}

TEST_F(DictionaryFilesTest, AWriteThatCannotReplaceLeavesNothingBehind) {
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    // A folder where the file would go is never replaced.
    ASSERT_TRUE(CreateBlockingFolder(user_ + "zelk2006.emb"));
    DictEntry word = {};
    std::strcpy(word.code, "zz");
    std::strcpy(word.word, Gbk("人").c_str());
    EXPECT_FALSE(SaveUserTable(Settings.CodeSet, &word, 1));
    EXPECT_EQ(FolderListing(user_), "zelk2006.emb\n");
}

TEST_F(DictionaryFilesTest, TheLockBesideAFileIsHeldByOneAtATime) {
    const std::string file = user_ + "zelk2006.emb";
    ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
    {
        FileLock held(file.c_str(), 1);
        ASSERT_TRUE(held.Held());
        EXPECT_FALSE(FileLock(file.c_str(), 2).Held());
        // Another file has a lock of its own.
        EXPECT_TRUE(FileLock((user_ + "shm28.emb").c_str(), 1).Held());
    }
    EXPECT_TRUE(FileLock(file.c_str(), 1).Held());
    EXPECT_FALSE(FileExists(file));
}

TEST_F(DictionaryFilesTest, MachineDataDirectoryEndsInZelk) {
    const std::string separator(1, kPathSeparator);
    ASSERT_GE(zelk_.size(), 6u);
    EXPECT_EQ(zelk_.substr(zelk_.size() - 6), separator + "zelk" + separator);
    char path[kPathBufferSize];
    ASSERT_TRUE(MachineFilePath("shm28.emb", path));
    EXPECT_EQ(std::string(path), zelk_ + "shm28.emb");
    ASSERT_GE(user_.size(), 6u);
    EXPECT_EQ(user_.substr(user_.size() - 6), separator + "zelk" + separator);
    EXPECT_NE(user_, zelk_);
    ASSERT_TRUE(UserFilePath("shm28.mb", path));
    EXPECT_EQ(std::string(path), user_ + "shm28.mb");
}

}  // namespace
