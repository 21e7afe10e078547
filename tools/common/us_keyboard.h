// A US keyboard as the system reports it to an input method: the key (virtual key, hardware scan
// code, extended bit) behind each printable ASCII character and whether Shift is needed for it,
// and the character the layout translates a key to with the modifiers held.
#pragma once

#include <cstdint>

struct UsKey {
    std::uint8_t virtualKey;  // 0: no such key
    std::uint8_t scan;        // scan code set 1
    bool extended;
    bool shift;  // the character needs Shift
};

// The key that types c (0x20..0x7E); false for any other byte.
bool UsKeyForCharacter(char c, UsKey& key);
// Scan code and extended bit of a virtual key (virtualKey 0 when the keyboard has none). For
// VK_SHIFT this is the left Shift key.
UsKey UsKeyForVirtualKey(std::uint8_t virtualKey);
// The character of a key press, or 0 for none: control characters for Ctrl+letters (0x0A for
// Ctrl+J), none for Ctrl with digits and punctuation; Caps Lock turns the case of letters.
unsigned char UsKeyCharacter(std::uint8_t virtualKey, bool shift, bool ctrl, bool capsLock);
