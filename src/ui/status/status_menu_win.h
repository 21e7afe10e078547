// The status window's two menus: the right-click menu (word making, the user guide, the About box)
// and the soft-keyboard layout menu. Tracking a menu, asking the shell to open a file and showing a
// message box go through a table a test can replace: a test cannot click inside a pop-up menu
// reliably, and answers the menu's command instead.
#pragma once

#include "platform/win32.h"

struct StatusMenuCalls {
    // Tracks popup modally at anchor (screen) with flags, owned by owner; answers the command
    // chosen (TPM_RETURNCMD), 0 when dismissed.
    UINT (*track)(HMENU popup, UINT flags, POINT anchor, HWND owner);
    // ShellExecuteA with the verb "open" and SW_SHOW.
    void (*open)(HWND owner, const char* path);
    int(WINAPI* messageBox)(HWND owner, const char* text, const char* caption, UINT type);
};

// The calls in use; the system's unless a test installed others. Answers the previous table.
StatusMenuCalls InstallStatusMenuCalls(const StatusMenuCalls& calls);

// The right-click menu. Answers 0 when it refused a second word-making dialog, else 1 (also when
// the menu was dismissed).
int StatusMenu(HWND statusWindow, HDC surface);

// The soft-keyboard layout menu: a chosen layout sets the soft-keyboard bit of the context's
// conversion mode and shows a fresh soft keyboard with that layout.
void SoftKeyboardMenu(HWND statusWindow, HDC surface);
