// The module's start-up as far as it does not need Windows itself, and the decisions of process
// attach: how the messages of a key reach the application, which family of Windows runs.
#pragma once

#include "platform/win32.h"

// The input method's file, as installed in the system directory and named by its keyboard layout.
constexpr char kImeFileName[] = "zelk.ime";

// Start-up in its order: every process-wide state reset, the settings read, both dictionary files
// of the configured code set loaded. False refuses the load: a dictionary file is missing. (The
// Windows start-up then finds the facts of the process, registers the window classes and makes
// the interface font.)
bool StartModule();

// The messages of an ImeToAsciiEx call go through the context's message buffer where the system
// reads the call's message list at the wrong place: 64-bit Wine.
bool TranslatedMessagesNeedBuffer(bool underWine, bool is64Bit);

// The Windows 95 family reports platform id 1; it gets the system font instead of the UI font.
bool IsWin9xPlatform(DWORD platformId);
