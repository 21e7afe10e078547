// Narrower scans inside a group of the main table. A code of two or more keys can only match
// entries with the same second key, and an association only words with the same first two bytes;
// these orders list just those entries, in table order, so the scans visit the same matches in the
// same order as a walk over the whole group would. Both end where the group's first empty entry
// ends every scan. They follow the code index: a change of an entry's code makes them rebuilt
// before the next use, a change of its word re-sorts its group's word order.
#pragma once

#include <cstdint>

#include "dict/tables.h"

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

struct PositionRange {
    const std::int32_t* begin;
    const std::int32_t* end;
};

// The entries of the group of ordinal (1..28) whose code has this second key.
PositionRange MainEntriesBySecondKey(int ordinal, unsigned char secondKey);
// The entries of the group whose word begins with these two bytes (as FirstTwoBytes gives them).
PositionRange MainEntriesByWordHead(int ordinal, unsigned firstTwoBytes);

// Called by the code index for every main-table entry it re-indexes.
void NoteMainEntryChanged(std::size_t i, bool codeChanged, bool wordChanged);
