// Where the input method's files lie. On 64-bit Windows the 64-bit and the 32-bit module share
// one data folder, the 64-bit system directory's: a word made in a 64-bit program must be offered
// in a 32-bit one. A 32-bit process there sees SysWOW64 as its system directory and reaches the
// 64-bit one only through the "Sysnative" alias beside it.
#pragma once

#include <cstddef>

// The user guide, in the shared system directory itself (GBK).
extern const char kUserGuideFileName[];

// The system directory that holds the shared files, from the one the process sees: under WOW64
// its sibling "Sysnative", otherwise the same directory. Trailing separators are dropped. False
// (and out empty) when the seen directory is empty, has no parent under WOW64, or the result and
// its NUL do not fit in size bytes.
bool SharedSystemDirectory(const char* seen, bool underWow64, char* out, std::size_t size);

// The user guide's full path in the shared system directory, as the module finds it (defined
// beside DictionaryDirectory). False when it does not fit.
bool UserGuidePath(char (&path)[260]);
