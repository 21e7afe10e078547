// What IMM32 passes with a key: the key argument of ImeToAsciiEx (virtual key and translated
// character), the key data of ImeProcessKey, the scan-code argument and the key-state array.
#pragma once

#include <cstdint>

#include "platform/win32.h"

struct KeyArgument {
    BYTE virtualKey;
    BYTE character;  // 0: the key has no character (Ctrl+digit, Page Up, a release)
};

// Windows puts the character in bits 8-15. Wine (wineForm) leaves those 0 and puts it in bits
// 16-31, where a value above 0xFF is no character of the ANSI code page and is not taken; on
// Windows those bits are not read.
KeyArgument DecodeKeyArgument(UINT key, bool wineForm);
// The key in the form the rest of the key entry compares: virtual key | character << 8
// (Ctrl+J is 0x0A4A).
inline UINT KeyValue(KeyArgument key) {
    return static_cast<UINT>(key.virtualKey) | static_cast<UINT>(key.character) << 8;
}

// ImeProcessKey's key data is a press while its transition bit (31) is clear.
inline bool IsKeyPress(LPARAM keyData) {
    return (static_cast<std::uint32_t>(keyData) & 0x80000000u) == 0;
}
// ImeToAsciiEx's scan-code argument has bit 15 set for a release; bit 14 is the previous state
// (set for an auto-repeat), the low byte the hardware scan code.
inline bool IsReleaseScan(UINT scanCode) {
    return (scanCode & 0x8000u) != 0;
}

// Bit 0x80 of a key's byte in the key-state array; a missing array has every key up.
inline bool IsKeyDown(const BYTE* keyState, BYTE virtualKey) {
    return keyState != nullptr && (keyState[virtualKey] & 0x80) != 0;
}
