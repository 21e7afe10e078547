// The UI window's children: made hidden (the status window: shown) when the UI window is made,
// each owned by it and carrying its handle, and destroyed with it.
#pragma once

#include "platform/win32.h"
#include "ui/common/ui_private_win.h"

// A hidden child of the UI window in window: made when there is none (true), otherwise the one
// there only hidden (false).
bool CreateHiddenChild(HWND uiWindow, const char* windowClass, HWND& window);
// Destroys the window when it exists; window is null after.
void DestroyIfPresent(HWND& window);

// The creation steps; each only hides (the status window: shows) a window that exists already.
void CreateCompWindow(HWND uiWindow, UiPrivate& ui);
void CreateCandWindow(HWND uiWindow, UiPrivate& ui);
void CreateStatusWindow(HWND uiWindow, UiPrivate& ui);
void CreateLongCandidateTip(HWND uiWindow);
