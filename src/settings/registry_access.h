// How the settings key is opened. The installer grants ordinary users only kSettingsUsersRights
// on the key; the module asks for no more, or every settings write of a standard user (or of an
// administrator without elevation) fails, silently.
#pragma once

#include "platform/win32.h"

constexpr REGSAM kSettingsReadAccess = KEY_READ;
constexpr REGSAM kSettingsWriteAccess = KEY_SET_VALUE;
constexpr REGSAM kSettingsUsersRights = KEY_READ | KEY_SET_VALUE;

// The registry view that holds the one settings key of both bitnesses on 64-bit Windows: the
// 64-bit one, which a 32-bit process under WOW64 must name. Elsewhere the process's own view.
constexpr REGSAM SettingsRegistryView(bool underWow64) {
    return underWow64 ? KEY_WOW64_64KEY : 0;
}
