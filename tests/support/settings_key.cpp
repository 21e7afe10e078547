// The same registry calls on both platforms: the real ADVAPI32 under Wine, the stand-in on Linux.
#include "platform/win32.h"
#include "settings/settings.h"
#include "support/test_platform.h"

void CreateSettingsKey() {
    DeleteSettingsKey();
    HKEY key;
    if (OpenSettingsKey(SettingsScope::Machine, KEY_ALL_ACCESS, true, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
}

void SetRawSettingsValue(const char* name, unsigned long type, const void* data, unsigned long size,
                         SettingsScope scope) {
    HKEY key;
    if (OpenSettingsKey(scope, KEY_ALL_ACCESS, scope == SettingsScope::User, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name, 0, static_cast<DWORD>(type), static_cast<const BYTE*>(data),
                   static_cast<DWORD>(size));
    RegCloseKey(key);
}
