// Keys seen by a thread keyboard hook rather than by the key entry. Wine hands the input method
// only key presses; the hook sees the Shift releases that end a Shift tap.
#pragma once

#include "platform/win32.h"

// A hook's key message (virtual key, key data) that releases Shift gives the scan-code argument
// ImeToAsciiEx would have had for it: the high word of the key data, with the release and
// previous-state bits. False for every other key message.
bool HookedShiftRelease(WPARAM virtualKey, LPARAM keyData, UINT& scanCode);
