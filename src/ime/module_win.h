// What the loaded module (Windows only) asks the system at start-up, and the language indicator.
#pragma once

#include "platform/win32.h"

// Asks the system version with the extended record, and with the plain one if that fails.
bool IsWin9xFamily();
// Wine's ntdll exports wine_get_version.
bool IsWineRunning();

// Tells the system's language indicator whether the context is open, once the input method's
// keyboard layout is known; with repaint, the status window is asked to repaint too.
void UpdateIndicator(HIMC context, bool repaint);
// The installed keyboard layout whose input method file is zelk.ime; none when there is none.
HKL FindOwnKeyboardLayout();
// Found on first use, then kept.
extern HKL OwnKeyboardLayout;
