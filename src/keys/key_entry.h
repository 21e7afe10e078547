// Key entry: IMM32 asks ImeProcessKey whether the input method takes a key, and hands every taken
// key to ImeToAsciiEx, which switches modes, commits converted symbols and soft-keyboard
// characters, runs the clipboard commands and the control keys, or gives the character to the
// conversion engine. The messages of an ImeToAsciiEx call go into its message list.
#pragma once

#include <cstdint>

#include "platform/win32.h"

extern "C" {
// keyData: the key message's lParam (bit 31 clear for a press); keyState: 256 key bytes (0x80
// down, 0x01 toggled). 1 when the key is taken and ImeToAsciiEx follows for it.
BOOL WINAPI ImeProcessKey(HIMC context, UINT virtualKey, LPARAM keyData, const BYTE* keyState);
// key: virtual key in bits 0-7, translated character in bits 8-15 (or 16-31, see
// DecodeKeyArgument); scanCode: bit 15 release, bit 14 previous state, low byte the hardware scan
// code. Returns the number of messages for the application.
UINT WINAPI ImeToAsciiEx(UINT key, UINT scanCode, const BYTE* keyState, TRANSMSGLIST* messageList,
                         UINT stateFlags, HIMC context);
}

// The two halves of ordinary key handling; key is virtual key | character << 8. A release ends a
// Shift tap; HandleKeyPress returns 1, or 0 for a clipboard command and a context that cannot be
// locked.
int HandleKeyRelease(HIMC context, UINT key, UINT scanCode, const BYTE* keyState);
int HandleKeyPress(HIMC context, UINT key, UINT scanCode, const BYTE* keyState);
// Acts on Backspace, Enter, Esc, Caps Lock and Space; returns 0 for a character key that goes on
// to the engine.
int HandleControlKey(HIMC context, BYTE virtualKey, UINT scanCode, const BYTE* keyState);

// English typing follows the Caps Lock state (on forces it) or flips; Chinese punctuation is the
// opposite of English.
void SyncEnglishMode();

// Writes the GBK character code (lead byte * 256 + trail byte) as two WM_CHAR messages into the
// list's first entries (and the same pair again with twice). Only whole pairs that fit the list's
// capacity are written; returns the number of messages written.
UINT PutCharMessages(TRANSMSGLIST* messageList, WORD code, bool twice);
