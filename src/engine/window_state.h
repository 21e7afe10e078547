// The windows of the user interface that the rest of the input method reaches: process-wide
// handles of the most recently created UI window's children (none while not created).
#pragma once

#include "platform/win32.h"

struct WindowState {
    HWND CurrentStatusWindow;
    HWND CurrentCompWindow;
    HWND CurrentCandWindow;
    HWND LongCandidateTip;
    // "Simsun", 16 pixels; none on the Windows 95 family.
    HFONT UiFont;
};
extern WindowState Windows;

// No windows, no font (the font is made and deleted by the module's start and end).
void ResetWindowState();

// Asks a window to repaint (without erasing); nothing when it is not a window.
void RequestRepaint(HWND window);

// The windows that show the code and the candidates: the status window when a skin shows them
// itself, else the composition and candidate windows.
void RequestConversionRepaint();
// The window that shows the candidate pages.
void RequestCandidateRepaint();
