// Facts about the process the input method runs in, found once at start-up: the module, the
// family of Windows, and whether Wine runs it (Wine delivers keys and messages differently).
#pragma once

#include <cstdint>

#include "platform/win32.h"

struct ProcessFacts {
    // Owner of the window classes and of the dialogs, menus and pictures.
    HINSTANCE ModuleInstance;
    // The system reports the Windows 95 family; the painters then use the system font.
    std::int32_t Win9xFamily;
    // Wine passes the translated character of a key in bits 16-31 of the key argument and passes
    // no key releases to the input method.
    bool RunningUnderWine;
    // The messages of an ImeToAsciiEx call go through the context's message buffer (64-bit Wine
    // reads the call's message list at the wrong place).
    bool TranslatedMessagesThroughBuffer;
};
extern ProcessFacts Process;

// Plain Windows: no module yet, the NT family, messages through the list.
void ResetProcessFacts();
