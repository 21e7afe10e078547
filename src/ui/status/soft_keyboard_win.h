// The system soft keyboard the UI window keeps for the soft-keyboard layouts. Its four system calls
// go through a table a test can replace, so that what the input method asked for can be checked
// where the system's soft keyboard is a stub (Wine).
#pragma once

#include "platform/win32.h"

struct SoftKeyboardCalls {
    HWND(WINAPI* create)(UINT type, HWND owner, int x, int y);
    BOOL(WINAPI* destroy)(HWND keyboard);
    BOOL(WINAPI* show)(HWND keyboard, int command);
    // Hands the layout block (IMC_SETSOFTKBDDATA) to the keyboard.
    LRESULT (*setData)(HWND keyboard, const void* block);
};

// The calls in use; the system's unless a test installed others. Answers the previous table.
SoftKeyboardCalls InstallSoftKeyboardCalls(const SoftKeyboardCalls& calls);

// The soft keyboard of type SOFTKEYBOARD_TYPE_C1 owned by uiWindow at (0, 0), replacing one that
// exists, in `SoftKeyboardWindow`.
void CreateSoftKeyboard(HWND uiWindow);
// Destroys `SoftKeyboardWindow` if it exists and forgets it.
void DestroySoftKeyboard();
// Shows (or hides) `SoftKeyboardWindow` without activation if it exists.
void ShowSoftKeyboard(bool shown);

// Makes layout index + 1 (index 0 to 12) the active soft-keyboard layout: moves the keyboard to
// the bottom right of its work area and hands it the layout's data block. Nothing without a soft
// keyboard; a block that cannot be allocated leaves the keyboard's layout as it was.
void SelectSoftKeyboardLayout(int index);
