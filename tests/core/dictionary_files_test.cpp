#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "dict/dictionary_files.h"
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
        CopyShippedDictionaries();
        char path[kPathBufferSize];
        EXPECT_TRUE(DictionaryDirectory(path));
        zelk_ = path;
    }
    std::size_t UsedEntries(const DictEntry* table, std::size_t capacity) {
        std::size_t n = 0;
        while (n < capacity && !IsEmptyEntry(table[n])) {
            ++n;
        }
        return n;
    }
    std::string zelk_;
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
        const std::string before = ReadWholeFile(zelk_ + MainFileName(Settings.CodeSet));
        std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, false), 1);
        SaveMainTable(Settings.CodeSet);
        EXPECT_EQ(ReadWholeFile(zelk_ + MainFileName(Settings.CodeSet)), before);
        EXPECT_FALSE(FileExists(zelk_ + MainFileName(Settings.CodeSet) + ".new"));
    }
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
    ASSERT_TRUE(SaveUserTable(Settings.CodeSet, words, 4));

    const std::string file = ReadWholeFile(zelk_ + "zelk2006.emb");
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
    ASSERT_TRUE(ReadDictionaryLines(backup.c_str(), '_', Tables.UserTable, kUserTableCapacity,
                                    LineRules::UserWords));
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

TEST_F(DictionaryFilesTest, MissingUserFileFailsAfterTheMainTableLoaded) {
    ASSERT_TRUE(DeleteFileA((zelk_ + "zelk2006.emb").c_str()));
    EXPECT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 0);
    EXPECT_STREQ(Tables.MainTable[0].code, "aqi");
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[0]));
    EXPECT_TRUE(Tables.UserFile.Unreadable);
    // Until a load succeeds; that load is remembered as the file's content.
    WriteWholeFile(zelk_ + "zelk2006.emb", "ab       " + Gbk("工人") + "\r\n");
    EXPECT_EQ(LoadDictionaries(Settings.CodeSet, false, true), 1);
    EXPECT_FALSE(Tables.UserFile.Unreadable);
    ASSERT_EQ(Tables.UserFile.BaseCount, 1u);
    EXPECT_STREQ(Tables.UserFile.Base[0].code, "ab");
    EXPECT_EQ(Tables.UserFile.WriteTime, UserFileWriteTime(Settings.CodeSet));
    EXPECT_NE(Tables.UserFile.WriteTime, 0u);
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
        const std::string path = zelk_ + (separator == ' ' ? "zelk2006.emb" : "words.mbk");
        ASSERT_TRUE(separator == ' '
                        ? SaveUserTable(Settings.CodeSet, entries.data(), entries.size())
                        : SaveBackupFile(path.c_str(), entries.data(), entries.size()));
        std::vector<DictEntry> read(entries.size() + 1);
        ASSERT_TRUE(ReadDictionaryLines(path.c_str(), separator, read.data(), read.size(),
                                        LineRules::UserWords));
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

TEST_F(DictionaryFilesTest, FailedRewriteLeavesTheOldUserFile) {
    const std::string before = ReadWholeFile(zelk_ + "zelk2006.emb");
    // A folder where the new file would be written makes the write fail.
    ASSERT_TRUE(CreateBlockingFolder(zelk_ + "zelk2006.emb.new"));
    DictEntry word = {};
    std::strcpy(word.code, "zz");
    std::strcpy(word.word, Gbk("人").c_str());
    EXPECT_FALSE(SaveUserTable(Settings.CodeSet, &word, 1));
    EXPECT_EQ(ReadWholeFile(zelk_ + "zelk2006.emb"), before);
}

TEST_F(DictionaryFilesTest, TheUserFileLockIsHeldByOneAtATime) {
    const std::string before = ReadWholeFile(zelk_ + "zelk2006.emb");
    {
        UserFileLock held(Settings.CodeSet, 1);
        ASSERT_TRUE(held.Held());
        EXPECT_FALSE(UserFileLock(Settings.CodeSet, 2).Held());
        // The other code set's file has a lock of its own.
        EXPECT_TRUE(UserFileLock(kCodeSetSecondary, 1).Held());
    }
    EXPECT_TRUE(UserFileLock(Settings.CodeSet, 1).Held());
    EXPECT_EQ(ReadWholeFile(zelk_ + "zelk2006.emb"), before);
}

TEST_F(DictionaryFilesTest, DictionaryDirectoryEndsInZelk) {
    const std::string separator(1, kPathSeparator);
    ASSERT_GE(zelk_.size(), 6u);
    EXPECT_EQ(zelk_.substr(zelk_.size() - 6), separator + "zelk" + separator);
    char path[kPathBufferSize];
    ASSERT_TRUE(DictionaryFilePath("shm28.emb", path));
    EXPECT_EQ(std::string(path), zelk_ + "shm28.emb");
}

}  // namespace
