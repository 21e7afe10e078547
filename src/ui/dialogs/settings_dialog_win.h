// The settings dialog (107) and the About box (106): dialog procedures that apply the rules of
// settings_dialog.h to the real controls.
#pragma once

#include "platform/win32.h"

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Hides every option control, then shows those of page 1 to 8 without activating them.
void ShowPage(HWND dialog, int page);
