// The built-in table of every character's code in both code sets (generated from
// data/charcodes.tsv at build time).
#pragma once

#include <cstddef>

// 14 bytes, no gaps: Primary code, the GBK character, two zero bytes, Secondary code.
struct CharCodeRecord {
    char primary[5];
    unsigned char character[2];
    unsigned char zero[2];
    char secondary[5];
};
static_assert(sizeof(CharCodeRecord) == 14, "CharCodeRecord is 14 bytes");

constexpr std::size_t kGbkExtensionCount = 14139;
constexpr std::size_t kGb2312Count = 6763;
constexpr std::size_t kCharCodeCount = kGbkExtensionCount + kGb2312Count;

// GbkExtensionCodes (ascending by Primary code) followed by Gb2312Codes (Hanyu Pinyin order).
extern const CharCodeRecord CharCodeTable[kCharCodeCount];
inline const CharCodeRecord* const GbkExtensionCodes = CharCodeTable;
inline const CharCodeRecord* const Gb2312Codes = CharCodeTable + kGbkExtensionCount;
