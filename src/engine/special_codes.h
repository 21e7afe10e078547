// The six special codes that offer the current date or time as a candidate.
#pragma once

#include "dict/tables.h"

// The special code and its GBK text for the first key of the typed code.
extern DictEntry SpecialEntry;

// Zeroes SpecialEntry; when the first byte of code is 'd', 'n', 't', 'w', 'y' or 'z', fills it from
// the local time and returns 1, else returns 0.
int MakeSpecialEntry(const char* code);
