// On-line word creation: text committed while collecting, or the text selected in the
// application (taken through the clipboard), becomes a user word with a code derived from its
// characters; and the code lookup of a selection in both code sets.
#pragma once

#include <cstddef>

#include "engine/online_word_state.h"
#include "platform/win32.h"

// The hot key's and the status window's word button's action: clipboard text is offered as a word
// at once; otherwise collection of committed text starts, or ends and offers what was collected.
void ToggleOnlineWord(HIMC context);

// Offers OnlineWordBuffer as a user word (confirmation, duplicate test) and, when the user agrees,
// saves it after the words of UserTable, merged under the user file's lock with what other
// programs saved since (engine/user_words.h); UserTable then holds the merged words. A word with a
// space or a control byte, a full UserTable and a user file that could not be read refuse it.
void SaveOnlineWord();

// Takes the clipboard's plain text into text (left empty when it is 100 bytes or longer) and
// empties the clipboard. Returns 1 when there was text, else 0.
int TakeClipboardText(HIMC context, char (&text)[kOnlineWordBufferSize]);

// Shows the codes of the selected characters in both code sets.
void ShowSelectionCodes(HIMC context);

// Two header lines of 19 bytes and at most eleven character lines of at most 19 bytes.
constexpr std::size_t kSelectionCodesTextSize = 270;
// The text ShowSelectionCodes shows for a selection (nullptr: nothing was taken). Printable ASCII
// is skipped; every two other bytes form a character; the first eleven characters formed count,
// and each with a Primary code gives a line.
void BuildSelectionCodesText(const char* selection, char (&text)[kSelectionCodesTextSize]);
