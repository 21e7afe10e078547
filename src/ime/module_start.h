// The decisions of process attach that do not need Windows itself: what is read before the load
// is accepted, how the messages of a key reach the application, which family of Windows runs.
#pragma once

#include "platform/win32.h"

// The input method's file, as installed in the system directory and named by its keyboard layout.
constexpr char kImeFileName[] = "zelk.ime";

// Reads the settings (resetting the run-time state) and both dictionary files of the configured
// code set. False refuses the load: a dictionary file is missing.
bool LoadModuleData();

// The messages of an ImeToAsciiEx call go through the context's message buffer where the system
// reads the call's message list at the wrong place: 64-bit Wine.
bool TranslatedMessagesNeedBuffer(bool underWine, bool is64Bit);

// The Windows 95 family reports platform id 1; it gets the system font instead of the UI font.
bool IsWin9xPlatform(DWORD platformId);
