// The candidate order a user's choices build: the promotions made in this program, and saving
// them to the user's own main file so that no program, killed or ended, loses them and none
// discards what another one learned meanwhile.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/tables.h"

// Notes a promotion of MainTable (moved now stands right before before). False when the log is
// full: the caller saves at once, which empties it.
bool RecordPromotion(const DictEntry& moved, const DictEntry& before);

// Makes the promotions again in a table grouped as LetterStart says: in its group, each moved entry
// that stands after its before entry goes right before it. A promotion whose entries are not
// both there is passed over.
void ApplyPromotions(DictEntry* table, const std::int32_t* letterStart, const Promotion* promotions,
                     std::size_t count);

enum class OrderSaveResult {
    NothingToSave,  // no promotion since the last load or save
    Saved,
    NotLoaded,     // the table came from no file: nothing is written
    NoUserFolder,  // the order is dropped
    Busy,          // the lock stayed taken or the file could not be read: tried again later
    WriteFailed,   // tried again later
};

// Saves the learned order of the code set's main table, when there is any: under the lock beside
// the user's main file, the newest copy of it is read again when another program wrote it since
// (this program's promotions are made in it), then written whole in place of the file. MainTable
// is then what the file holds. Nothing is shown: the caller tells the user
// (SaveLearnedOrderOrTell).
OrderSaveResult SaveLearnedOrder(std::int32_t codeSet);
