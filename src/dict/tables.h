// The two in-memory dictionary tables and the grouping of the main table by first key.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kCodeFieldSize = 7;    // NUL-terminated, at most 6 keys
constexpr std::size_t kWordFieldSize = 100;  // NUL-terminated GBK, at most 99 bytes
constexpr std::size_t kMaxCodeLength = kCodeFieldSize - 1;
constexpr std::size_t kMaxWordBytes = kWordFieldSize - 1;

// An entry whose first code byte is NUL is empty; every scan of a table stops at the first one.
struct DictEntry {
    char code[kCodeFieldSize];
    char word[kWordFieldSize];
};
static_assert(sizeof(DictEntry) == 107, "DictEntry is 107 bytes");

constexpr std::size_t kMainTableCapacity = 67434;
constexpr std::size_t kUserTableCapacity = 10000;
constexpr int kLetterStartCount = 29;

extern DictEntry MainTable[kMainTableCapacity];
extern DictEntry UserTable[kUserTableCapacity];

// Index k (0..27) starts the group of key ordinal k + 1; index 28 ends the last group.
extern std::int32_t LetterStart[kLetterStartCount];
extern const std::int32_t LetterStartPrimary[kLetterStartCount];
extern const std::int32_t LetterStartSecondary[kLetterStartCount];

// Set when candidate promotion moves an entry of MainTable; never cleared by a save.
extern bool MainTableModified;

// The group of a first key in a main file: 'a'..'z' give 1..26, '/' 27, ';' 28, any other byte 0.
int GroupOrdinal(unsigned char key);
// The ordinal every scan uses: as GroupOrdinal, except that with GbkMode on '/' gives 25 and ';'
// gives 16.
int KeyOrdinal(unsigned char key);

inline bool IsEmptyEntry(const DictEntry& entry) {
    return entry.code[0] == '\0';
}
