// The character dispatch: every translated key character and every candidate click decides here
// whether it extends the code, selects, turns the page, commits and passes through, or deletes.
#pragma once

#include "engine/character_rules.h"
#include "platform/win32.h"

// The entry point: opens the composition when no code is pending, then dispatches every character
// but the space and the carriage return. Returns 0 when the context cannot be locked, else 1.
int ProcessCharacter(HIMC context, unsigned character, unsigned scan);
// A click on line digit ('1' to '9', '0') of the candidate window: the candidate is chosen as that
// digit typed would choose it. Where a typed digit would do anything else (no list on offer), the
// click does nothing: 0, else 1.
int ChooseCandidateLine(HIMC context, unsigned char digit);
// Does what the first of the character rules that applies says.
void HandleCharacter(HIMC context, unsigned character, unsigned scan);

// Commits one character (converted when Chinese punctuation is on) as the result string.
int CommitCharacter(HIMC context, unsigned character);
// Commits the first candidate of the current page.
void CommitFirstCandidate(HIMC context);
// Backspace inside a code.
int DeleteLastKey(HIMC context, unsigned character);

// True for the keys that extend a code: letters, and ';' and '/' in the Secondary code set.
bool IsCodeKey(unsigned char character);
