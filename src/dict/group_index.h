// Narrower scans inside a group of the main table. A code of two or more keys can only match
// entries with the same second key, and an association only words with the same first two bytes;
// these orders list just those entries, in table order, so the scans visit the same matches in the
// same order as a walk over the whole group would. Both end where the group's first empty entry
// ends every scan. They follow the code index: a change of an entry's code makes them rebuilt
// before the next use, a change of its word re-sorts its group's word order.
#pragma once

#include <cstdint>

#include "dict/code_index.h"
#include "dict/tables.h"

struct PositionRange {
    const std::int32_t* begin;
    const std::int32_t* end;
};

// The entries of the group of ordinal (1..28) whose code has this second key.
PositionRange MainEntriesBySecondKey(int ordinal, unsigned char secondKey);
// The entries of the group whose word begins with these two bytes (as FirstTwoBytes gives them).
PositionRange MainEntriesByWordHead(int ordinal, unsigned firstTwoBytes);
