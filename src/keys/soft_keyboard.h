// The soft keyboards' symbol layouts: which key types which GBK character in each of the thirteen
// layouts, with and without Shift.
#pragma once

#include "platform/win32.h"

constexpr int kSoftKeyboardLayoutCount = 13;
constexpr int kSoftKeyboardCellCount = 48;
constexpr int kSoftKeyboardRowBytes = 2 * kSoftKeyboardCellCount;
// An empty cell holds two ASCII spaces.
constexpr WORD kEmptySoftKeyboardCell = 0x2020;

// The keys of the cells in order: the space bar, '0'..'9', 'A'..'Z', 0xBA-0xBF, 0xC0, 0xDB-0xDE.
extern const BYTE SoftKeyboardKeyOrder[kSoftKeyboardCellCount];

struct SoftKeyboardLayout {
    char normal[kSoftKeyboardRowBytes + 1];
    char shifted[kSoftKeyboardRowBytes + 1];
};
// Layout n (1 to 13) is element n - 1.
extern const SoftKeyboardLayout SoftKeyboardLayouts[kSoftKeyboardLayoutCount];

// The cell of a virtual key; a key that has none gives cell 0 (the space bar).
int SoftKeyboardCellOf(BYTE virtualKey);
// A cell as lead byte * 256 + trail byte (kEmptySoftKeyboardCell when empty); 0 for a layout or
// cell out of range.
WORD SoftKeyboardCellCode(int layout, bool shifted, int cell);
