// Codes of single characters and of new words, and the duplicate test of both word-adding paths.
#pragma once

#include "dict/char_code_table.h"

constexpr int kCharCodeBufferSize = 5;

// Writes the character's code (at most 4 keys, NUL-terminated) and returns 1; returns 0 with an
// empty output when the two bytes are no character of the table.
int LookupCharCode25(const char* character, char* code);
int LookupCharCode28(const char* character, char* code);
// The code in a code set (1 = Primary, 0 = Secondary).
int LookupCharCode(int codeSet, const char* character, char* code);

// The code of a word in a code set (at most 4 keys); empty when none can be made.
void DeriveWordCode(int codeSet, const char* word, char* code);

// 1 when MainTable or UserTable holds exactly this code with exactly this word (the group of the
// code's first key as the scans in GBK mode, or not, find it).
int WordExists(const char* code, const char* word, bool gbkMode);
