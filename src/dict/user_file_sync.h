// Keeping the user file shared between programs: every program that has the input method loaded
// holds its own copy of the user words, so a save re-reads the file under a lock and merges, and a
// change made by another program is noticed by the file's last-write time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/tables.h"

enum class UserSaveResult {
    Saved,         // the file and UserTable hold the merged words
    Unreadable,    // the last load failed: nothing is written until a load succeeds
    NoUserFolder,  // the user's data folder cannot be had or is no real folder: nothing is written
    Busy,          // the lock stayed taken, or the file is there but cannot be read
    TooMany,       // the merged words do not fit UserTable
    WriteFailed,
};

// Writes the user's user file of a code set as mine merged with what the file holds now, base
// being what mine was made from (MergeUserWords); while the user has no file, what it holds is
// base. The lock beside the user file is held from the read to the replacement. On success, when
// the tables are the code set's, UserTable holds the merged words (re-indexed) and they are
// remembered as the file's content; otherwise the tables and the file are as they were.
UserSaveResult SaveUserWords(std::int32_t codeSet, const DictEntry* mine, std::size_t mineCount,
                             const DictEntry* base, std::size_t baseCount);

// One look at the user file's last-write time: when it differs from the one remembered at the last
// load or save (or the last load failed), UserTable is read again. Returns true when it was.
// Nothing is read while nothing was ever loaded.
bool ReloadUserFileIfChanged(std::int32_t codeSet);
