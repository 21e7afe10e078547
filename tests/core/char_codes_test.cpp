#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "dict/char_codes.h"
#include "dict/dictionary_files.h"
#include "dict/gbk_extension_index.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "dict/tables.h"

namespace {

std::string Primary(const std::string& utf8) {
    char code[kCharCodeBufferSize];
    LookupCharCode25(Gbk(utf8).c_str(), code);
    return code;
}

std::string Secondary(const std::string& utf8) {
    char code[kCharCodeBufferSize];
    LookupCharCode28(Gbk(utf8).c_str(), code);
    return code;
}

std::string WordCode(int codeSet, const std::string& gbk) {
    Settings.CodeSet = codeSet;
    char code[kCharCodeBufferSize];
    std::memset(code, 'X', sizeof code);
    DeriveWordCode(Settings.CodeSet, gbk.c_str(), code);
    return code;
}

std::string Character(const CharCodeRecord& r) {
    return Utf8(std::string(reinterpret_cast<const char*>(r.character), 2));
}

TEST(CharCodeTable, TellingRowsStandWhereTheyBelong) {
    EXPECT_STREQ(GbkExtensionCodes[0].primary, "aaar");
    EXPECT_EQ(Character(GbkExtensionCodes[0]), "菚");
    EXPECT_STREQ(GbkExtensionCodes[0].secondary, "hllz");
    EXPECT_EQ(Character(GbkExtensionCodes[1]), "匞");
    EXPECT_STREQ(GbkExtensionCodes[2].primary, "aade");
    EXPECT_EQ(Character(GbkExtensionCodes[kGbkExtensionCount - 1]), "譶");
    EXPECT_STREQ(GbkExtensionCodes[kGbkExtensionCount - 1].secondary, "yyyt");
    EXPECT_EQ(Character(Gb2312Codes[0]), "吖");
    EXPECT_EQ(Character(Gb2312Codes[1]), "阿");
    EXPECT_EQ(Character(Gb2312Codes[2]), "啊");
    EXPECT_EQ(Character(Gb2312Codes[kGb2312Count - 1]), "做");
    EXPECT_STREQ(Gb2312Codes[kGb2312Count - 1].secondary, "iyoz");
    // The shipped table's own places of 工, 人 and 中 in its pinyin order.
    EXPECT_EQ(Character(Gb2312Codes[1520]), "工");
    EXPECT_EQ(Character(Gb2312Codes[4245]), "人");
    EXPECT_EQ(Character(Gb2312Codes[6536]), "中");
}

TEST(CharCodeTable, RecordsHaveTheirShapeAndNoCharacterTwice) {
    static bool seen[256][256];
    std::memset(seen, 0, sizeof seen);
    for (std::size_t i = 0; i < kCharCodeCount; ++i) {
        const CharCodeRecord& r = CharCodeTable[i];
        ASSERT_FALSE(seen[r.character[0]][r.character[1]]) << i;
        seen[r.character[0]][r.character[1]] = true;
        const bool gb2312 = i >= kGbkExtensionCount;
        EXPECT_EQ(gb2312,
                  r.character[0] >= 0xB0 && r.character[0] <= 0xF7 && r.character[1] >= 0xA1)
            << i;
        EXPECT_EQ(r.zero[0] | r.zero[1], 0);
        const std::size_t p = strnlen(r.primary, 5);
        const std::size_t s = strnlen(r.secondary, 5);
        EXPECT_TRUE(p >= 3 && p <= 4) << i;
        EXPECT_TRUE(s >= 2 && s <= 4) << i;
        if (i > 0 && i < kGbkExtensionCount) {
            EXPECT_LE(std::strcmp(CharCodeTable[i - 1].primary, r.primary), 0) << i;
        }
    }
}

TEST(CharCodeLookup, GivesTheCodeOfEitherBlock) {
    EXPECT_EQ(Primary("工"), "aaaa");
    EXPECT_EQ(Secondary("工"), "dses");
    EXPECT_EQ(Primary("中"), "khk");
    EXPECT_EQ(Secondary("中"), "kez");
    EXPECT_EQ(Primary("菚"), "aaar");
    EXPECT_EQ(Secondary("匞"), "cdj");

    char code[kCharCodeBufferSize];
    std::memset(code, 'X', sizeof code);
    EXPECT_EQ(LookupCharCode25(Gbk("人").c_str(), code), 1);
    EXPECT_STREQ(code, "wwww");
    // Only the first two bytes count.
    EXPECT_EQ(LookupCharCode28(Gbk("人工").c_str(), code), 1);
    EXPECT_STREQ(code, "iiii");
}

TEST(CharCodeLookup, UnknownCharactersGiveNothing) {
    char code[kCharCodeBufferSize];
    for (const std::string& text : {Gbk("Ａ"), Gbk("，"), std::string("ab"), std::string("")}) {
        std::memset(code, 'X', sizeof code);
        EXPECT_EQ(LookupCharCode25(text.c_str(), code), 0);
        EXPECT_STREQ(code, "");
        std::memset(code, 'X', sizeof code);
        EXPECT_EQ(LookupCharCode28(text.c_str(), code), 0);
        EXPECT_STREQ(code, "");
    }
    Settings.CodeSet = kCodeSetSecondary;
    EXPECT_EQ(LookupCharCode(Settings.CodeSet, Gbk("工").c_str(), code), 1);
    EXPECT_STREQ(code, "dses");
}

TEST(WordCode, TakesKeysByWordLength) {
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工")), "aaaa");
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工人")), "aaww");
    EXPECT_EQ(WordCode(kCodeSetSecondary, Gbk("工人")), "dsii");
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工人中")), "awkh");
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("中工人民")),
              WordCode(kCodeSetPrimary, Gbk("中工人")).substr(0, 3) +
                  WordCode(kCodeSetPrimary, Gbk("民")).substr(0, 1));
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工人中工人中人")), "awkw");
    EXPECT_EQ(WordCode(kCodeSetSecondary, Gbk("工人中")), "dike");
    EXPECT_EQ(WordCode(kCodeSetPrimary, ""), "");
}

TEST(WordCode, MissingCharactersEndTheCode) {
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("Ａ工")), "");
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工Ａ")), "aa");
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工人Ａ中国")), "aw");
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工人中Ａ")), "awk");
    // Odd lengths: bytes past the end read as 0 and match nothing.
    EXPECT_EQ(WordCode(kCodeSetPrimary, "a"), "");
    EXPECT_EQ(WordCode(kCodeSetPrimary, Gbk("工") + "a"), "a");
}

// Every word of the shipped main files whose characters all have codes follows the rule, but for
// the few Primary words that keep an older code of their own.
TEST(WordCode, ShippedDictionariesFollowTheRule) {
    CopyShippedDictionaries();
    for (int codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        Settings = SettingsRecord{};
        Settings.CodeSet = codeSet;
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, false), 1);
        int words = 0;
        int differing = 0;
        for (std::size_t i = 0; i < kMainTableCapacity && !IsEmptyEntry(Tables.MainTable[i]); ++i) {
            const std::size_t length = std::strlen(Tables.MainTable[i].word);
            bool allKnown = length >= 4 && length % 2 == 0;
            char code[kCharCodeBufferSize];
            for (std::size_t b = 0; allKnown && b < length; b += 2) {
                allKnown =
                    LookupCharCode(Settings.CodeSet, Tables.MainTable[i].word + b, code) == 1;
            }
            if (!allKnown) {
                continue;
            }
            ++words;
            DeriveWordCode(Settings.CodeSet, Tables.MainTable[i].word, code);
            differing += std::strcmp(code, Tables.MainTable[i].code) != 0;
        }
        EXPECT_GT(words, 40000);
        EXPECT_EQ(differing, codeSet == kCodeSetPrimary ? 28 : 0);
    }
}

TEST(WordExists, FindsExactEntriesOfBothTables) {
    CopyShippedDictionaries();
    Settings = SettingsRecord{};
    Settings.CodeSet = kCodeSetPrimary;
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_EQ(WordExists("aaaa", Gbk("工").c_str(), false), 1);
    EXPECT_EQ(WordExists("a", Gbk("工").c_str(), false), 1);
    EXPECT_EQ(WordExists("aaaab", Gbk("工").c_str(), false), 0);
    EXPECT_EQ(WordExists("aaaa", Gbk("工").c_str() + 1, false), 0);
    EXPECT_EQ(WordExists("aaaa", Gbk("人").c_str(), false), 0);
    EXPECT_EQ(WordExists("aaaa", Gbk("工人").c_str(), false), 0);

    std::strcpy(Tables.UserTable[4].code, "zzab");
    std::strcpy(Tables.UserTable[4].word, Gbk("工人").c_str());
    EXPECT_EQ(WordExists("zzab", Gbk("工人").c_str(), false), 1);
    EXPECT_EQ(WordExists("zza", Gbk("工人").c_str(), false), 0);
    // A word after the first empty entry is not in the table.
    std::strcpy(Tables.UserTable[6].code, "zzcd");
    std::strcpy(Tables.UserTable[6].word, Gbk("工").c_str());
    EXPECT_EQ(WordExists("zzcd", Gbk("工").c_str(), false), 0);
    // A code whose first byte starts no group finds nothing, even in the user table.
    std::strcpy(Tables.UserTable[5].code, "1ab");
    std::strcpy(Tables.UserTable[5].word, Gbk("工").c_str());
    EXPECT_EQ(WordExists("1ab", Gbk("工").c_str(), false), 0);
}

// Every prefix of every code in both code sets, and odd ones, against a pass over the whole table.
TEST(GbkExtensionIndex, FindsWhatAPassOverTheTableFindsInTableOrder) {
    static std::uint16_t found[kGbkExtensionCount];
    for (const int codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        std::set<std::string> prefixes = {"", "A", "a\0", "zzzzz", "aaaaa", "{", "`"};
        for (std::size_t r = 0; r < kGbkExtensionCount; ++r) {
            const CharCodeRecord& record = GbkExtensionCodes[r];
            const std::string code(codeSet == kCodeSetPrimary ? record.primary : record.secondary);
            for (std::size_t n = 1; n <= code.size(); ++n) {
                prefixes.insert(code.substr(0, n));
            }
        }
        for (const std::string& prefix : prefixes) {
            std::vector<std::uint16_t> expected;
            for (std::size_t r = 0; r < kGbkExtensionCount; ++r) {
                const CharCodeRecord& record = GbkExtensionCodes[r];
                const char* code = codeSet == kCodeSetPrimary ? record.primary : record.secondary;
                if (strnlen(code, sizeof record.primary) >= prefix.size() &&
                    std::memcmp(code, prefix.data(), prefix.size()) == 0) {
                    expected.push_back(static_cast<std::uint16_t>(r));
                }
            }
            const std::size_t count =
                GbkExtensionMatches(codeSet, prefix.data(), prefix.size(), found);
            ASSERT_EQ(std::vector<std::uint16_t>(found, found + count), expected)
                << codeSet << " " << prefix;
        }
    }
}

}  // namespace
