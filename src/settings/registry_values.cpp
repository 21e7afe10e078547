// The settings key is never created here: the installer makes it, and without it the options
// simply last until the module is unloaded.
#include "platform/win32.h"
#include "settings/registry_access.h"
#include "settings/settings.h"

namespace {

LONG OpenSettingsKey(REGSAM access, HKEY* key) {
    BOOL underWow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &underWow64)) {
        underWow64 = FALSE;
    }
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0,
                         access | SettingsRegistryView(underWow64 != FALSE), key);
}

}  // namespace

std::uint32_t ReadSettingsValue(const char* name) {
    HKEY key;
    if (OpenSettingsKey(kSettingsReadAccess, &key) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    // A value of another type or size carries no option.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) {
        return 0;
    }
    return value;
}

void WriteSettingsValue(const char* name, std::uint32_t value) {
    HKEY key;
    if (OpenSettingsKey(kSettingsWriteAccess, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD data = value;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
}
