#include "keys/soft_keyboard.h"

const BYTE SoftKeyboardKeyOrder[kSoftKeyboardCellCount] = {
    ' ', '0', '1', '2', '3', '4',  '5',  '6',  '7',  '8',  '9',  'A',  'B',  'C',  'D',  'E',
    'F', 'G', 'H', 'I', 'J', 'K',  'L',  'M',  'N',  'O',  'P',  'Q',  'R',  'S',  'T',  'U',
    'V', 'W', 'X', 'Y', 'Z', 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE,
};

int SoftKeyboardCellOf(BYTE virtualKey) {
    for (int cell = 0; cell < kSoftKeyboardCellCount; ++cell) {
        if (SoftKeyboardKeyOrder[cell] == virtualKey) {
            return cell;
        }
    }
    return 0;
}

WORD SoftKeyboardCellCode(int layout, bool shifted, int cell) {
    if (layout < 1 || layout > kSoftKeyboardLayoutCount || cell < 0 ||
        cell >= kSoftKeyboardCellCount) {
        return 0;
    }
    const SoftKeyboardLayout& chosen = SoftKeyboardLayouts[layout - 1];
    const char* row = shifted ? chosen.shifted : chosen.normal;
    const BYTE lead = static_cast<BYTE>(row[2 * cell]);
    const BYTE trail = static_cast<BYTE>(row[2 * cell + 1]);
    return static_cast<WORD>(lead << 8 | trail);
}
