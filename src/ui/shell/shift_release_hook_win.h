// Under Wine the input method never sees a key release, so a Shift tap could not switch to English
// typing. A keyboard hook for the thread of the UI window watches for Shift releases and hands
// them to the key entry's release handling. (On Windows the releases come through ImeToAsciiEx and
// no hook is installed.)
#pragma once

#include "platform/win32.h"

// Installed for the calling thread (once per thread) on behalf of the UI window; the releases
// act on the input context of the window with the keyboard focus.
void InstallShiftReleaseHook(HWND uiWindow);
// Removed when the UI window that installed it goes.
void RemoveShiftReleaseHook(HWND uiWindow);
