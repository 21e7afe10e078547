// Plain user words, and measuring and cutting GBK text by whole characters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/gbk_text.h"
#include "dict/word_text.h"

namespace {

TEST(WordTextTest, PlainWordsHoldNoSpaceAndNoControlByte) {
    // clang-format off
    const struct { std::string word; bool plain; } rows[] = {
        {Gbk("工人"), true}, {"", true}, {"abc", true},
        {"\x81\x40\x81\x7E", true},  // trail bytes in the ASCII range are no spaces
        {Gbk("工 人"), false}, {Gbk("工人 "), false}, {Gbk("工\t人"), false}, {Gbk("工人\r"), false},
        {"\x1F", false}, {"a\x7F", false}};
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(IsPlainWord(row.word.c_str()), row.plain) << Utf8(row.word);
    }
    EXPECT_FALSE(IsPlainWord(nullptr));
}

TEST(WordTextTest, PrefixesEndAtCharacterBoundaries) {
    constexpr std::size_t kAny = 1000;
    // clang-format off
    const struct { std::string text; std::size_t maxBytes, maxChars, kept; } rows[] = {
        {Gbk("工人"), 4, kAny, 4}, {Gbk("工人"), 3, kAny, 2}, {Gbk("a工人"), 2, kAny, 1},
        {Gbk("a工人"), kAny, 2, 3}, {"abcdef", kAny, 4, 4}, {Gbk("工"), 0, kAny, 0},
        {"", kAny, kAny, 0},
        {"\xB9\x20x", 1, kAny, 1},  // a lead byte before a space is a byte of its own
        {"a\xB9", kAny, 2, 2}};     // so is a lead byte at the end
    // clang-format on
    for (const auto& row : rows) {
        EXPECT_EQ(GbkPrefixBytes(row.text.data(), row.text.size(), row.maxBytes, row.maxChars),
                  row.kept)
            << row.text << " " << row.maxBytes << " " << row.maxChars;
    }
    EXPECT_EQ(GbkCharBytes("\xB9\xA4", 1), 1u);
    EXPECT_EQ(GbkCharBytes("", 0), 0u);
}

}  // namespace
