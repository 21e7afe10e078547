// Process-wide values of the loaded module (Windows only): its instance, the Windows family, the
// interface font, and whether Wine runs it.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Owner of the window classes and of the dialogs, menus and pictures.
extern HINSTANCE ModuleInstance;
// The system reports the Windows 95 family; the painters then use the system font.
extern std::int32_t Win9xFamily;
// "Simsun", 16 pixels; none on the Windows 95 family.
extern HFONT UiFont;
// Wine delivers keys differently (no releases to the input method; see the Shift release hook).
extern bool RunningUnderWine;

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
