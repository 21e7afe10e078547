// A compact copy of what the scans of the tables test: per entry, the code packed into 8 bytes and
// the word's first character and length in 4. Lookup and association read these instead of the
// 107-byte entries, and touch an entry only when it is a match. Whoever changes a table entry
// re-indexes it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/tables.h"

// Bytes 0..5: the code (NUL-filled); byte 6: its length; byte 7: the word's length. 0 marks an
// empty entry.
using PackedCode = std::uint64_t;
// Bits 0..15: the first two bytes of the word; bits 16..23: its length.
using WordHead = std::uint32_t;

struct TableIndex {
    PackedCode* codes;
    WordHead* heads;
};

// The main table's index lies in the block in use (main_table_block.h).
extern TableIndex MainIndex;
extern const TableIndex UserIndex;

// Bumped whenever an entry is re-indexed: what was computed from the tables holds only for the
// generation it was computed in.
extern std::uint32_t TableGeneration;

// The narrower orders of the main table's groups (group_index.h) are computed from this index;
// the index marks them stale as it changes, and they are rebuilt before their next use.
constexpr int kGroupCount = kLetterStartCount - 1;  // ordinals 1..28
constexpr int kSecondKeyCount = kLetterStartCount;  // GroupOrdinal 0..28

// The orders of the main table and whether each is current; the arrays lie in the main table's
// block (main_table_block.h). One record, so that whoever keeps whole tables to put back later
// (the fuzzers) can keep the state of the orders computed from them too.
struct GroupOrders {
    // Positions of every group, bucketed by second key; bySecondKeyStart[g][k] .. [g][k + 1].
    std::int32_t* bySecondKey;
    std::int32_t (*bySecondKeyStart)[kSecondKeyCount + 1];
    bool secondKeyStale;
    // Positions of every group sorted by word head, then position; groupStart[g] ..
    // groupStart[g + 1]. A group is sorted on its first use.
    std::int32_t* byWordHead;
    std::uint16_t* wordHeadKey;
    std::int32_t* groupStart;
    bool groupSorted[kGroupCount];
    bool wordHeadStale;
};
extern GroupOrders MainGroupOrders;

// What the index holds for an entry: 0 for an empty one.
PackedCode PackEntryCode(const DictEntry& entry);
WordHead EntryWordHead(const DictEntry& entry);
void IndexEntry(const TableIndex& index, const DictEntry& entry, std::size_t i);
// After the tables and their indexes were put in place wholesale (copied back by a test or a
// fuzzer): what was computed from the old ones is dropped.
void NoteTablesReplaced();
// A whole table, after a load or after the table was written directly.
void RebuildIndex(const TableIndex& index, const DictEntry* table, std::size_t capacity);
void RebuildCodeIndexes();

// The packed form of a typed code and the mask of its first length bytes: an entry's code begins
// with the typed code when (packed & mask) == typed.
struct CodePrefix {
    PackedCode typed;
    PackedCode mask;
    unsigned length;
};
CodePrefix MakeCodePrefix(const char* code);

inline bool BeginsWith(PackedCode packed, const CodePrefix& prefix) {
    return (packed & prefix.mask) == prefix.typed;
}
inline unsigned PackedCodeLength(PackedCode packed) {
    return (packed >> 48) & 0xFF;
}
inline unsigned PackedWordLength(PackedCode packed) {
    return static_cast<unsigned>(packed >> 56);
}
inline unsigned HeadWordLength(WordHead head) {
    return (head >> 16) & 0xFF;
}
inline unsigned HeadFirstBytes(WordHead head) {
    return head & 0xFFFF;
}
// The first two bytes of a text as HeadFirstBytes gives them.
unsigned FirstTwoBytes(const char* text);
