// Where the settings live and how their keys are opened. Each user's choices are in their own key,
// HKEY_CURRENT_USER\Software\zelk, which the input method creates on the first write; the machine
// defaults the installer writes are in HKEY_LOCAL_MACHINE\SOFTWARE\zelk, which ordinary users may
// only read and the input method never writes. A value the user has not set is the machine's.
#pragma once

#include "platform/win32.h"

enum class SettingsScope { User, Machine };

constexpr REGSAM kSettingsReadAccess = KEY_READ;
constexpr REGSAM kSettingsWriteAccess = KEY_SET_VALUE;

// The registry view that holds the one settings key of both bitnesses on 64-bit Windows: the
// 64-bit one, which a 32-bit process under WOW64 must name. Elsewhere the process's own view.
constexpr REGSAM SettingsRegistryView(bool underWow64) {
    return underWow64 ? KEY_WOW64_64KEY : 0;
}

// The view this process names for the settings keys.
REGSAM SharedSettingsView();

// The root and the path of a scope's key.
HKEY SettingsRoot(SettingsScope scope);
const char* SettingsKeyPath(SettingsScope scope);

// Opens a scope's key with the access (in the shared view); with create, a missing key is made.
LONG OpenSettingsKey(SettingsScope scope, REGSAM access, bool create, HKEY* key);
