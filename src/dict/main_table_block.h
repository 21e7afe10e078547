// Everything a lookup reads of the main table, in one block: the entries, their code index and
// the orders of their groups. A load from a main file fills the module's own block; a table image
// (table_image.h) holds a block laid out byte for byte as this one, which every program maps and
// shares until it changes a page. Tables.MainTable, MainIndex and MainGroupOrders point into the
// block in use.
//
// The layout is fixed by the offsets asserted below, the same for both bitnesses and every
// compiler, since the 32-bit and the 64-bit module map the same images.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/code_index.h"
#include "dict/group_index.h"
#include "dict/tables.h"

struct MainTableBlock {
    DictEntry entries[kMainTableCapacity];
    char alignCodes[2];
    PackedCode codes[kMainTableCapacity];
    WordHead heads[kMainTableCapacity];
    std::int32_t bySecondKey[kMainTableCapacity];
    std::int32_t bySecondKeyStart[kGroupCount][kSecondKeyCount + 1];
    std::int32_t byWordHead[kMainTableCapacity];
    std::uint16_t wordHeadKey[kMainTableCapacity];
    char alignGroupStart[4];
    std::int32_t groupStart[kGroupCount + 1];
    char alignEnd[4];
};
static_assert(offsetof(MainTableBlock, codes) == 7215440, "codes follow the entries");
static_assert(offsetof(MainTableBlock, heads) == 7754912, "heads follow the codes");
static_assert(offsetof(MainTableBlock, bySecondKey) == 8024648, "the second-key order");
static_assert(offsetof(MainTableBlock, bySecondKeyStart) == 8294384, "its starts");
static_assert(offsetof(MainTableBlock, byWordHead) == 8297744, "the word-head order");
static_assert(offsetof(MainTableBlock, wordHeadKey) == 8567480, "its keys");
static_assert(offsetof(MainTableBlock, groupStart) == 8702352, "the word-head group starts");
static_assert(sizeof(MainTableBlock) == 8702472, "MainTableBlock is 8702472 bytes");

// The module's own block, which a load from a main file fills.
MainTableBlock& OwnMainBlock();

// Points the main table, its index and its orders at a block. ordersBuilt: the block's orders are
// complete and every group sorted (an image's), else they are built on first use. checked: the
// entries are known to pass the main-file rules (read from a file that passed), else each group
// is checked on its first use (ReadyMainGroup).
void UseMainBlock(MainTableBlock& block, bool ordersBuilt, bool checked);
MainTableBlock& MainBlockInUse();
bool MainBlockIsOwn();

// Whether the entries of a group (ordinal 1..28) of the block in use are known to pass the
// main-file rules (main_group_check.h checks them on first use), and marking them so.
bool MainGroupChecked(int ordinal);
void MarkMainGroupChecked(int ordinal);

// Builds every order of the block in use and sorts every group: what an image holds.
void BuildEveryMainOrder();
