#include "dict/main_table_block.h"

#include "dict/dictionary_files.h"
#include "dict/table_image.h"
#include "dict/table_image_files.h"

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

void ReadyMainGroup(int ordinal) {
    if (ordinal < 1 || ordinal > kGroupCount || groupChecked[ordinal - 1]) {
        return;
    }
    if (ImageGroupPasses(*inUse, ordinal, Tables.CodeSet)) {
        groupChecked[ordinal - 1] = true;
        return;
    }
    // What the image holds is not what a main file may: the file itself is read instead, and
    // the image is not used again.
    RefuseImageInUse();
    LoadDictionaries(Tables.CodeSet, true, false);
}

void BuildEveryMainOrder() {
    for (int ordinal = 1; ordinal <= kGroupCount; ++ordinal) {
        MainEntriesBySecondKey(ordinal, 'a');
        MainEntriesByWordHead(ordinal, 0);
    }
}
