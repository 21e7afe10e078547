// The child windows of the UI window that the engine asks to repaint (none while not created).
#pragma once

#include "platform/win32.h"

extern HWND CurrentStatusWindow;
extern HWND CurrentCompWindow;
extern HWND CurrentCandWindow;
extern HWND LongCandidateTip;

void ResetWindowHandles();

// Asks a window to repaint (without erasing); nothing when it is not a window.
void RequestRepaint(HWND window);

// The windows that show the code and the candidates: the status window when a skin shows them
// itself, else the composition and candidate windows.
void RequestConversionRepaint();
// The window that shows the candidate pages.
void RequestCandidateRepaint();
