#include "zelk-setup/installed_keys_win.h"

#include <windows.h>
#include <imm.h>

#include <cstring>
#include <vector>

#include "common/setup_plan.h"
#include "ime/module_start.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "zelk-setup/access_win.h"
#include "zelk-setup/setup_output_win.h"

namespace {

std::wstring KeyName(HKEY root, const char* path) {
    return (root == HKEY_LOCAL_MACHINE ? L"HKEY_LOCAL_MACHINE\\" : L"HKEY_CURRENT_USER\\") +
           Wide(path);
}

// Deletes root\path and all below it, the parent opened in the view.
void DeleteKeyTree(HKEY root, const std::string& path, REGSAM view) {
    const std::size_t cut = path.find_last_of('\\');
    HKEY parent;
    if (RegOpenKeyExA(root, path.substr(0, cut).c_str(), 0, KEY_ALL_ACCESS | view, &parent) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteTreeA(parent, path.substr(cut + 1).c_str());
    RegCloseKey(parent);
}

// The names of the layout keys whose input method is this one.
std::vector<std::string> OwnLayoutKeys() {
    std::vector<std::string> own;
    HKEY layouts;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey, 0, KEY_READ, &layouts) !=
        ERROR_SUCCESS) {
        return own;
    }
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(layouts, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        char file[MAX_PATH] = {};
        DWORD fileSize = sizeof file - 1;
        if (RegGetValueA(layouts, name, kImeFileValue, RRF_RT_REG_SZ, nullptr, file, &fileSize) ==
                ERROR_SUCCESS &&
            IsOwnImeFile(file)) {
            own.push_back(name);
        }
    }
    RegCloseKey(layouts);
    return own;
}

// Removes the values of a list key (the user's preloaded layouts) that name the layout.
void RemoveLayoutValues(const char* listKey, const std::string& layout) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, listKey, 0, KEY_READ | KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    std::vector<std::string> names;
    char name[256];
    char data[256];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data - 1;
        DWORD type = 0;
        std::memset(data, 0, sizeof data);
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type,
                          reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS) {
            break;
        }
        if (type == REG_SZ && lstrcmpiA(data, layout.c_str()) == 0) {
            names.push_back(name);
        }
    }
    for (const std::string& value : names) {
        RegDeleteValueA(key, value.c_str());
    }
    RegCloseKey(key);
}

}  // namespace

bool CreateMachineSettingsKey() {
    const std::wstring name = KeyName(HKEY_LOCAL_MACHINE, kSettingsKey);
    HKEY key;
    LONG status = OpenSettingsKey(SettingsScope::Machine, KEY_ALL_ACCESS, true, &key);
    if (status != ERROR_SUCCESS) {
        return Fail(static_cast<DWORD>(status), name);
    }
    for (const SettingsDefault& value : kSettingsDefaults) {
        if (RegQueryValueExA(key, value.name, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_FILE_NOT_FOUND) {
            const DWORD data = value.value;
            status = RegSetValueExA(key, value.name, 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&data), sizeof data);
            if (status != ERROR_SUCCESS) {
                RegCloseKey(key);
                return Fail(static_cast<DWORD>(status), name);
            }
        }
    }
    bool safe = TakeBackUsersRights(key, name);
    if (safe && OrdinaryUsersMayChange(key)) {
        Complain(L"普通用户仍可修改 " + name + L"：请检查 HKEY_LOCAL_MACHINE\\SOFTWARE 的权限。");
        safe = false;
    }
    RegCloseKey(key);
    return safe;
}

void DeleteMachineSettingsKeys() {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey, SharedSettingsView());
    // Earlier versions kept a second key in the 32-bit view.
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_WOW64_32KEY);
}

void DeleteUserSettingsKey() {
    DeleteKeyTree(HKEY_CURRENT_USER, kUserSettingsKey, SharedSettingsView());
}

bool RegisterUninstallEntry(const std::wstring& installedSetup, std::uint64_t installedBytes) {
    const std::wstring name = KeyName(HKEY_LOCAL_MACHINE, kUninstallKey);
    HKEY key;
    LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        return Fail(static_cast<DWORD>(status), name);
    }
    for (const UninstallValue& value : UninstallValues(installedSetup, installedBytes)) {
        const DWORD number = value.number;
        status =
            value.isNumber
                ? RegSetValueExW(key, value.name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&number), sizeof number)
                : RegSetValueExW(key, value.name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.text.c_str()),
                                 static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS) {
            break;
        }
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS || Fail(static_cast<DWORD>(status), name);
}

void RemoveUninstallEntry() {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY);
}

bool RegisterLayout() {
    if (!OwnLayoutKeys().empty()) {
        return true;
    }
    if (ImmInstallIMEA(kImeFileName, kLayoutText) == nullptr) {
        const DWORD error = GetLastError();
        Complain(L"不能注册键盘布局“青岚形码”（错误 " + std::to_wstring(error) + L"）。");
        return false;
    }
    return true;
}

bool UnregisterLayouts() {
    HKEY layouts;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey, 0, KEY_ALL_ACCESS, &layouts) !=
        ERROR_SUCCESS) {
        return true;
    }
    bool removed = true;
    for (const std::string& name : OwnLayoutKeys()) {
        // Layout handles carry the id sign-extended.
        const LONG id = static_cast<LONG>(LayoutIdFromKeyName(name));
        UnloadKeyboardLayout(reinterpret_cast<HKL>(static_cast<LONG_PTR>(id)));
        const LONG status = RegDeleteKeyA(layouts, name.c_str());
        if (status != ERROR_SUCCESS) {
            removed = Fail(static_cast<DWORD>(status),
                           KeyName(HKEY_LOCAL_MACHINE, kKeyboardLayoutsKey) + L"\\" + Wide(name));
        }
        RemoveLayoutValues("Keyboard Layout\\Preload", name);
        RemoveLayoutValues("Keyboard Layout\\Substitutes", name);
    }
    RegCloseKey(layouts);
    return removed;
}
