#include "platform/win32.h"
#include "settings/registry_access.h"
#include "settings/settings.h"

namespace {

// A scope's value; false when the key or the value is missing or the value is no REG_DWORD.
bool ReadScopeValue(SettingsScope scope, const char* name, std::uint32_t& value) {
    HKEY key;
    if (OpenSettingsKey(scope, kSettingsReadAccess, false, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD data = 0;
    DWORD type = 0;
    DWORD size = sizeof data;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&data), &size);
    RegCloseKey(key);
    // A value of another type or size carries no option.
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) {
        return false;
    }
    value = data;
    return true;
}

}  // namespace

REGSAM SharedSettingsView() {
    BOOL underWow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &underWow64)) {
        underWow64 = FALSE;
    }
    return SettingsRegistryView(underWow64 != FALSE);
}

HKEY SettingsRoot(SettingsScope scope) {
    return scope == SettingsScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

const char* SettingsKeyPath(SettingsScope scope) {
    return scope == SettingsScope::User ? kUserSettingsKey : kSettingsKey;
}

LONG OpenSettingsKey(SettingsScope scope, REGSAM access, bool create, HKEY* key) {
    if (create) {
        return RegCreateKeyExA(SettingsRoot(scope), SettingsKeyPath(scope), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, access | SharedSettingsView(), nullptr, key,
                               nullptr);
    }
    return RegOpenKeyExA(SettingsRoot(scope), SettingsKeyPath(scope), 0,
                         access | SharedSettingsView(), key);
}

std::uint32_t ReadSettingsValue(const char* name) {
    std::uint32_t value = 0;
    if (ReadScopeValue(SettingsScope::User, name, value) ||
        ReadScopeValue(SettingsScope::Machine, name, value)) {
        return value;
    }
    return 0;
}

void WriteSettingsValue(const char* name, std::uint32_t value) {
    HKEY key;
    if (OpenSettingsKey(SettingsScope::User, kSettingsWriteAccess, true, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD data = value;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
}
