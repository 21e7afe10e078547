// The user words of the active code set as every program that has the input method loaded shares
// them: a change another program saved is picked up cheaply, and every save merges under the user
// file's lock (dict/user_file_sync.h).
#pragma once

#include <cstddef>

#include "dict/learned_order.h"
#include "dict/tables.h"
#include "dict/user_file_sync.h"

// Reads the user file again when another program has written it since this one last read or wrote
// it (one look at its last-write time). Called when a context is activated and when a composition
// starts, never per key.
void ReloadUserWordsIfChanged();

// Tells the user, once, that a main file which does not pass was passed over at a load (which
// may have run where no message box can be shown: at process attach).
void TellPassedOverMainFile();

// The word-making dialog's "关闭" (and a restore), into the code set the dialog opened with:
// entries is the dialog's list, the words the user
// wants (any order, empty entries ignored); base is the list the dialog started from (UserTable as
// it was when the dialog opened, or when a restore replaced it). For every word in base the list
// decides (a word deleted or changed in the dialog stays so, even when the file still has it);
// words another program added to the file since are kept. Words that would not read back whole are
// left out. On success returns true, the user file holds the merge and UserTable too (no reload
// needed). On failure the file and UserTable are as they were, the user was told why in a "提示"
// box ("打开文件错误!", the unreadable-file text, or the full-table text) and false is returned.
bool SaveDialogWords(std::int32_t codeSet, const DictEntry* entries, std::size_t count,
                     const DictEntry* base, std::size_t baseCount);

// Tells the user why a save was refused ("提示" box, no owner); fullText is the caller's own text
// for a merge that does not fit UserTable. Nothing for Saved.
void ShowUserSaveFailure(UserSaveResult result, const char* fullText);

// Saves the learned order (SaveLearnedOrder) and tells the user what keeps it from being kept:
// a missing user folder at once (the order is dropped), a failed write once until a save
// succeeds again (it is tried again later).
OrderSaveResult SaveLearnedOrderOrTell(std::int32_t codeSet);
