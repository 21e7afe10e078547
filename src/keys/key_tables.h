// Which keys the input method takes, by virtual key: one table while no code is typed, one while
// a code is typed. Plain data, read by the key decisions.
#pragma once

#include <array>

#include "platform/win32.h"

constexpr std::size_t kVirtualKeyCount = 256;
using KeyTable = std::array<BYTE, kVirtualKeyCount>;

// 1 where the key is taken: Shift, Ctrl, Caps Lock, Space, digits, letters, 0xA7, the punctuation
// keys 0xBA-0xC0 and 0xDA-0xDE.
extern const KeyTable KeyTableIdle;
// 1 where the key is taken while a code is typed: as idle, but Backspace, Enter, Esc and the
// paging keys (Page Up, Page Down, End, Home) instead of Ctrl and Caps Lock.
extern const KeyTable KeyTableComposing;

// 1 at '0'..'9', 0xBA-0xBF, 0xDB-0xDE, 0xE2 and 0xC0: the keys that type a digit or punctuation,
// which full width and Chinese punctuation convert.
extern const KeyTable PrintableKeys;
inline bool IsPrintableKey(BYTE virtualKey) {
    return PrintableKeys[virtualKey] != 0;
}
inline bool IsLetterKey(BYTE virtualKey) {
    return virtualKey >= 'A' && virtualKey <= 'Z';
}
inline bool IsDigitKey(BYTE virtualKey) {
    return virtualKey >= '0' && virtualKey <= '9';
}
