#include "dict/main_table_block.h"

namespace {

// Zero-filled until a load: its pages cost nothing while an image is in use.
MainTableBlock ownBlock;
MainTableBlock* inUse;
// Per group of the block in use: its entries were found to pass the main-file rules.
bool groupChecked[kGroupCount];

void PointAt(MainTableBlock& block) {
    inUse = &block;
    Tables.MainTable = block.entries;
    MainIndex = TableIndex{block.codes, block.heads};
    MainGroupOrders.bySecondKey = block.bySecondKey;
    MainGroupOrders.bySecondKeyStart = block.bySecondKeyStart;
    MainGroupOrders.byWordHead = block.byWordHead;
    MainGroupOrders.wordHeadKey = block.wordHeadKey;
    MainGroupOrders.groupStart = block.groupStart;
}

}  // namespace

MainTableBlock& OwnMainBlock() {
    return ownBlock;
}

MainTableBlock& MainBlockInUse() {
    return *inUse;
}

bool MainBlockIsOwn() {
    return inUse == &ownBlock;
}

void UseMainBlock(MainTableBlock& block, bool ordersBuilt, bool checked) {
    PointAt(block);
    // Whatever was computed from the block left is void.
    NoteTablesReplaced();
    MainGroupOrders.secondKeyStale = !ordersBuilt;
    MainGroupOrders.wordHeadStale = !ordersBuilt;
    for (int g = 0; g < kGroupCount; ++g) {
        MainGroupOrders.groupSorted[g] = ordersBuilt;
        groupChecked[g] = checked;
    }
}

bool MainGroupChecked(int ordinal) {
    return ordinal < 1 || ordinal > kGroupCount || groupChecked[ordinal - 1];
}

void MarkMainGroupChecked(int ordinal) {
    if (ordinal >= 1 && ordinal <= kGroupCount) {
        groupChecked[ordinal - 1] = true;
    }
}

void BuildEveryMainOrder() {
    for (int ordinal = 1; ordinal <= kGroupCount; ++ordinal) {
        MainEntriesBySecondKey(ordinal, 'a');
        MainEntriesByWordHead(ordinal, 0);
    }
}

namespace {

// Before anything runs: the module's own main block, empty.
const bool startsWithOwnBlock = (UseMainBlock(OwnMainBlock(), false, true), true);

}  // namespace
