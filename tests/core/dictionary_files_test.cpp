#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
#include "dict/entry_rules.h"
#include "dict/file_io.h"
#include "dict/learned_order.h"
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
        std::memset(Tables.MainTable, 0, kMainTableBytes);
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, false), 1);
        EXPECT_EQ(Tables.MainSource, TableSource::Machine);
        EXPECT_EQ(SaveLearnedOrder(Settings.CodeSet), OrderSaveResult::NothingToSave);
        Tables.MainTableModified = true;
        EXPECT_EQ(SaveLearnedOrder(Settings.CodeSet), OrderSaveResult::Saved);
        EXPECT_FALSE(Tables.MainTableModified);
        // The user's copy, and nothing else: no temporary file stays, the machine's is untouched.
        EXPECT_EQ(ReadWholeFile(user_ + name), before);
        EXPECT_EQ(ReadWholeFile(zelk_ + name), before);
        EXPECT_EQ(Tables.MainSource, TableSource::User);
    }
    EXPECT_EQ(FolderListing(user_), "shm28.mb\nshm28.mb.lock\nzelk2006.mb\nzelk2006.mb.lock\n");
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
    ASSERT_TRUE(SaveBackupFile(backup.c_str(), words, 2, Settings.CodeSet).written);
    EXPECT_EQ(ReadWholeFile(backup), "ab_" + Gbk("工人") + "\r\n");
    std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
    ASSERT_EQ(ReadDictionaryLines(backup.c_str(), '_', Tables.UserTable, kUserTableCapacity,
                                  LineRules::UserWords, Settings.CodeSet)
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
    // A broken main file fails the whole-file test; a folder in a file's place cannot be read.
    enum class Own { None, Good, Broken, Folder };
    // The shipped file with its first two lines the other way round: a learned order.
    std::string ownMain = ReadWholeFile(ShippedDataDirectory() + "zelk/zelk2006.mb");
    const std::size_t second = ownMain.find('\n') + 1;
    const std::size_t third = ownMain.find('\n', second) + 1;
    ownMain =
        ownMain.substr(second, third - second) + ownMain.substr(0, second) + ownMain.substr(third);
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
        {Own::Good, Own::None, true, TableSource::User, "akg", "eyyy", false},
        {Own::Broken, Own::None, true, TableSource::Machine, "aqi", "eyyy", false},
        {Own::Folder, Own::None, true, TableSource::Machine, "aqi", "eyyy", false},
        {Own::None, Own::Good, true, TableSource::Machine, "aqi", "ow", false},
        {Own::None, Own::None, false, TableSource::Machine, "aqi", "", false},
        {Own::Good, Own::Good, false, TableSource::User, "akg", "ow", false},
        {Own::None, Own::Folder, true, TableSource::Machine, "aqi", "", true},
        // A user file that breaks in a line loses that line, not the words around it.
        {Own::None, Own::Broken, true, TableSource::Machine, "aqi", "ow", false},
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
        const std::string brokenWords = "x\x01y" + ownWords.substr(1) + ownWords;
        for (const auto& [own, name, bytes, broken] :
             {std::make_tuple(c.main, "zelk2006.mb", ownMain, ownMain + "\r\n"),
              std::make_tuple(c.words, "zelk2006.emb", ownWords, brokenWords)}) {
            if (own == Own::Good || own == Own::Broken) {
                WriteWholeFile(user_ + name, own == Own::Good ? bytes : broken);
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
        EXPECT_EQ(Tables.BadMainFileNotice, c.main == Own::Broken || c.main == Own::Folder)
            << row << ": the user is told at the next activation";
        const bool ownWordsRead = c.words == Own::Good || c.words == Own::Broken;
        EXPECT_EQ(Tables.UserFile.WriteTime, ownWordsRead ? UserFileWriteTime(1) : 0u) << row;
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
        {"ab", Gbk("工") + " " + Gbk("人"), false, true},
        {"ab", Gbk("工") + "_" + Gbk("人"), true, false},
        // A trail byte 0x5F is part of its character, never a separator.
        {"ab", "\x81\x5F\x81\x40", true, true},
        {"abcdef", std::string(98, 'x') + "y", true, true},
        // Control bytes never reach a program: not a CR, not a backspace, not an escape.
        {"ab", Gbk("工") + "\r" + Gbk("人"), false, false},
        {"ab", Gbk("工") + "\x08\x08", false, false},
        {"ab", Gbk("工") + "\x1B", false, false},
        {"ab", Gbk("工") + "\x7F", false, false},
        {"ab", Gbk("工") + "\n" + Gbk("人"), false, false},
        {"ab", Gbk("工") + "\r", false, false},
        {"ab", "\xB9", false, false},      // a lead byte without its trail
        {"ab", "\xB9\x30", false, false},  // with no trail byte after it
        {"ab", "", false, false},
        {"a b", Gbk("工"), false, false},
        {"a_b", Gbk("工"), false, false},
        {"aB", Gbk("工"), false, false},   // code keys only
        {"ab;", Gbk("工"), false, false},  // no Primary key
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
        EXPECT_EQ(IsUsableEntry(entry, ' ', kCodeSetPrimary), c.user)
            << static_cast<int>(&c - cases);
        EXPECT_EQ(IsUsableEntry(entry, '_', kCodeSetPrimary), c.backup)
            << static_cast<int>(&c - cases);
        if (entry.code[0] != '\0') {
            entries.push_back(entry);
        }
    }
    // Whatever is written reads back as exactly the entries that pass.
    for (const char separator : {' ', '_'}) {
        ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
        const std::string path = separator == ' ' ? user_ + "zelk2006.emb" : zelk_ + "words.mbk";
        std::size_t leftOut = 0;
        if (separator == ' ') {
            ASSERT_TRUE(SaveUserTable(Settings.CodeSet, entries.data(), entries.size()));
        } else {
            const BackupResult backup =
                SaveBackupFile(path.c_str(), entries.data(), entries.size(), Settings.CodeSet);
            ASSERT_TRUE(backup.written);
            leftOut = backup.leftOut.size();
        }
        std::vector<DictEntry> read(entries.size() + 1);
        ASSERT_EQ(ReadDictionaryLines(path.c_str(), separator, read.data(), read.size(),
                                      LineRules::UserWords, Settings.CodeSet)
                      .status,
                  FileReadStatus::Read);
        std::size_t r = 0;
        std::size_t unusable = 0;
        for (const DictEntry& entry : entries) {
            if (!IsUsableEntry(entry, separator, Settings.CodeSet)) {
                ++unusable;
                continue;
            }
            EXPECT_STREQ(read[r].code, entry.code);
            EXPECT_STREQ(read[r].word, entry.word);
            ++r;
        }
        EXPECT_TRUE(IsEmptyEntry(read[r])) << separator;
        // A backup names every word it could not hold.
        EXPECT_EQ(leftOut, separator == '_' ? unusable : 0u);
    }
}

// Only a main file with exactly the code set's groups is used: one line more or less would move
// every group after it.
TEST_F(DictionaryFilesTest, AMainFileOfOtherSizesIsNotUsedAndUserWordsStopAtCapacity) {
    const std::string shipped = ReadWholeFile(zelk_ + "zelk2006.mb");
    const std::size_t lastLine = shipped.rfind('\n', shipped.size() - 2) + 1;
    std::string longer;
    for (std::size_t i = 0; i < kMainTableCapacity + 50; ++i) {
        longer += "a_" + Gbk("工") + "\r\n";
    }
    for (const std::string& bytes :
         {longer, shipped.substr(0, lastLine), shipped + shipped.substr(lastLine),
          shipped.substr(0, shipped.size() - 2) + "\n"}) {
        WriteWholeFile(zelk_ + "zelk2006.mb", bytes);
        EXPECT_EQ(LoadDictionaries(Settings.CodeSet, true, false), 0) << bytes.size();
        EXPECT_TRUE(IsEmptyEntry(Tables.MainTable[0]));
        EXPECT_EQ(Tables.MainSource, TableSource::None);
    }
    WriteWholeFile(zelk_ + "zelk2006.mb", shipped);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, false), 1);

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
