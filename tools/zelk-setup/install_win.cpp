// The 64-bit installer puts its input method into System32 and the 32-bit one of its package
// into SysWOW64; the 32-bit installer puts its own into the system directory it sees (SysWOW64 on
// 64-bit Windows). Each bitness reads its data from its own system directory and its settings
// from its own registry view, so both get the data and the settings key.
#include "zelk-setup/install_win.h"

#include <windows.h>
#include <aclapi.h>
#include <imm.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "common/setup_plan.h"
#include "ime/module_start.h"
#include "settings/settings.h"
#include "zelk-setup/setup_output_win.h"

namespace {

struct Target {
    std::string systemFolder;  // ends in a backslash
    std::string imeSource;     // the input method of the package for it
    REGSAM registryView;       // 0: the installer's own; KEY_WOW64_32KEY: the 32-bit one
};

std::wstring Format(const wchar_t* pattern, const std::wstring& text, unsigned long number = 0) {
    wchar_t buffer[1024];
    std::swprintf(buffer, sizeof buffer / sizeof buffer[0], pattern, text.c_str(), number);
    return buffer;
}

// Tells the user why an operation on the path failed; always false.
bool Fail(DWORD error, const std::string& path) {
    const std::wstring where = Wide(path);
    switch (ClassifySystemError(error)) {
        case SetupFailure::NotAdministrator:
            Complain(L"需要管理员权限：请以管理员身份运行 zelk-setup.exe。");
            break;
        case SetupFailure::FileInUse:
            Complain(Format(
                L"文件正在使用：%ls\r\n请关闭所有正在使用青岚形码输入法的程序，然后再试。", where));
            break;
        case SetupFailure::AccessDenied:
            Complain(Format(L"不能写入：%ls\r\n需要管理员权限，或者文件正在被使用。", where));
            break;
        case SetupFailure::MissingFile:
            Complain(Format(L"找不到：%ls", where));
            break;
        case SetupFailure::DiskFull:
            Complain(Format(L"磁盘空间不足，不能写入：%ls", where));
            break;
        case SetupFailure::None:
        case SetupFailure::Other:
            Complain(Format(L"不能完成：%ls（错误 %lu）", where, error));
            break;
    }
    return false;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string SystemFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder) + "\\" : std::string();
}

#ifdef _WIN64
// The 32-bit system directory of 64-bit Windows; empty elsewhere.
std::string Wow64SystemFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemWow64DirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder) + "\\" : std::string();
}
#endif

// --- Files ------------------------------------------------------------------------------------

// Installed files must be writable (the input method rewrites its tables), whatever the package's
// files were.
bool CopyOne(const std::string& from, const std::string& to, bool keepExisting) {
    if (keepExisting && IsFile(to)) {
        return true;
    }
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        return Fail(error, ClassifySystemError(error) == SetupFailure::MissingFile ? from : to);
    }
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

// Copies the package's data folder, which mirrors the system directory, into it. User words
// that exist stay.
bool CopyTree(const std::string& from, const std::string& to, const std::string& relative) {
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return Fail(GetLastError(), to);
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return Fail(GetLastError(), from);
    }
    bool copied = true;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            copied = CopyTree(from + name + "\\", to + name + "\\", relative + name + "\\");
        } else {
            copied = CopyOne(from + name, to + name, IsUserWordsFile(relative + name));
        }
    } while (copied && FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}

// A file that cannot go now (a loaded input method) goes at the next restart.
bool RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(path.c_str())) {
        return true;
    }
    const DWORD error = GetLastError();
    const SetupFailure failure = ClassifySystemError(error);
    if (failure == SetupFailure::MissingFile) {
        return true;
    }
    if ((failure == SetupFailure::FileInUse || failure == SetupFailure::AccessDenied) &&
        MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        Say(Format(L"注意：%ls 正在使用，将在重新启动后删除。", Wide(path)));
        return true;
    }
    return Fail(error, path);
}

// Removes what an uninstall removes below the folder, and the folder when it is empty then.
bool RemoveTree(const std::string& folder, const std::string& relative, bool purge) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return true;
    }
    bool removed = true;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            removed = RemoveTree(folder + name + "\\", relative + name + "\\", purge) && removed;
        } else if (RemovedOnUninstall(relative + name, purge)) {
            removed = RemoveFile(folder + name) && removed;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    RemoveDirectoryA(folder.c_str());
    return removed;
}

// --- Access for ordinary users ------------------------------------------------------------------

// Adds an entry for the built-in Users group to the object's access list.
DWORD GrantUsers(HANDLE object, SE_OBJECT_TYPE type, DWORD rights, DWORD inheritance) {
    PACL oldList = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    DWORD status = GetSecurityInfo(object, type, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                   &oldList, nullptr, &descriptor);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD usersSize = sizeof users;
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &usersSize)) {
        LocalFree(descriptor);
        return GetLastError();
    }
    EXPLICIT_ACCESSA access{};
    access.grfAccessPermissions = rights;
    access.grfAccessMode = GRANT_ACCESS;
    access.grfInheritance = inheritance;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = reinterpret_cast<LPSTR>(users);
    PACL newList = nullptr;
    status = SetEntriesInAclA(1, &access, oldList, &newList);
    if (status == ERROR_SUCCESS) {
        status = SetSecurityInfo(object, type, DACL_SECURITY_INFORMATION, nullptr, nullptr, newList,
                                 nullptr);
        LocalFree(newList);
    }
    LocalFree(descriptor);
    return status;
}

// User words and the reordered main table are written into the data folder by whoever types.
bool LetUsersWriteFolder(const std::string& folder) {
    HANDLE handle = CreateFileA(folder.c_str(), READ_CONTROL | WRITE_DAC,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return Fail(GetLastError(), folder);
    }
    const DWORD status =
        GrantUsers(handle, SE_FILE_OBJECT, FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE,
                   SUB_CONTAINERS_AND_OBJECTS_INHERIT);
    CloseHandle(handle);
    return status == ERROR_SUCCESS || Fail(status, folder);
}

// --- Settings ---------------------------------------------------------------------------------

std::string SettingsKeyName(REGSAM view) {
    return std::string("HKEY_LOCAL_MACHINE\\") + kSettingsKey + (view != 0 ? " (32-bit)" : "");
}

// Creates the key where it is missing and the values that are missing, so a reinstall keeps the
// user's settings. The settings dialog of an ordinary user writes the key too.
bool CreateSettingsKey(REGSAM view) {
    HKEY key;
    LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0,
                                  KEY_ALL_ACCESS | view, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        return Fail(static_cast<DWORD>(status), SettingsKeyName(view));
    }
    for (const SettingsDefault& value : kSettingsDefaults) {
        if (RegQueryValueExA(key, value.name, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_FILE_NOT_FOUND) {
            const DWORD data = value.value;
            status = RegSetValueExA(key, value.name, 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&data), sizeof data);
            if (status != ERROR_SUCCESS) {
                RegCloseKey(key);
                return Fail(static_cast<DWORD>(status), SettingsKeyName(view));
            }
        }
    }
    const DWORD granted =
        GrantUsers(key, SE_REGISTRY_KEY, KEY_READ | KEY_SET_VALUE, NO_INHERITANCE);
    RegCloseKey(key);
    return granted == ERROR_SUCCESS || Fail(granted, SettingsKeyName(view));
}

void DeleteSettingsKey(REGSAM view) {
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, view, 0);
}

// --- Keyboard layout --------------------------------------------------------------------------

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

// Installing twice leaves the one layout of the first time.
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
                           std::string("HKEY_LOCAL_MACHINE\\") + kKeyboardLayoutsKey + "\\" + name);
        }
        RemoveLayoutValues("Keyboard Layout\\Preload", name);
        RemoveLayoutValues("Keyboard Layout\\Substitutes", name);
    }
    RegCloseKey(layouts);
    return removed;
}

// --- Plan ---------------------------------------------------------------------------------------

std::vector<Target> InstallTargets(const std::string& packageFolder) {
    std::vector<Target> targets;
    targets.push_back(Target{SystemFolder(), packageFolder + kImeFileName, 0});
#ifdef _WIN64
    const std::string wow64 = Wow64SystemFolder();
    const std::string x86 = packageFolder + kPackageX86Folder + "\\" + kImeFileName;
    if (!wow64.empty()) {
        if (IsFile(x86)) {
            targets.push_back(Target{wow64, x86, KEY_WOW64_32KEY});
        } else {
            Say(L"注意：安装包中没有 32 位输入法（x86\\zelk.ime），32 位程序不能使用青岚形码。");
        }
    }
#else
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
        Say(L"注意：这是 32 位安装程序，只为 32 位程序安装输入法；64 位程序请用 64 位安装包。");
    }
#endif
    return targets;
}

bool CheckPackage(const std::string& packageFolder) {
    std::vector<std::string> needed = {packageFolder + kImeFileName};
    for (const char* file : kRequiredDataFiles) {
        needed.push_back(packageFolder + kPackageDataFolder + "\\" + file);
    }
    for (const std::string& file : needed) {
        if (!IsFile(file)) {
            Complain(Format(L"安装包不完整，缺少：%ls", Wide(file)));
            return false;
        }
    }
    return true;
}

bool InstallTarget(const Target& target, const std::string& packageFolder) {
    if (target.systemFolder.empty()) {
        Complain(L"找不到系统目录。");
        return false;
    }
    const std::string dataFolder = target.systemFolder + kInstalledDataFolder + "\\";
    return CopyOne(target.imeSource, target.systemFolder + kImeFileName, false) &&
           CopyTree(packageFolder + kPackageDataFolder + "\\", target.systemFolder, "") &&
           LetUsersWriteFolder(dataFolder) && CreateSettingsKey(target.registryView);
}

}  // namespace

bool IsAdministrator() {
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size)) {
        return false;
    }
    BOOL member = FALSE;
    return CheckTokenMembership(nullptr, administrators, &member) && member;
}

int InstallInputMethod(const std::string& packageFolder) {
    if (!CheckPackage(packageFolder)) {
        return 1;
    }
    for (const Target& target : InstallTargets(packageFolder)) {
        if (!InstallTarget(target, packageFolder)) {
            return 1;
        }
    }
    if (!RegisterLayout()) {
        return 1;
    }
    Say(L"青岚形码输入法已安装：可以在输入法列表中选择“青岚形码”。");
    return 0;
}

int UninstallInputMethod(bool purge) {
    bool removed = UnregisterLayouts();
    std::vector<std::pair<std::string, REGSAM>> folders = {{SystemFolder(), 0}};
#ifdef _WIN64
    if (!Wow64SystemFolder().empty()) {
        folders.push_back({Wow64SystemFolder(), KEY_WOW64_32KEY});
    }
#endif
    for (const auto& [folder, view] : folders) {
        if (folder.empty()) {
            continue;
        }
        removed = RemoveFile(folder + kImeFileName) && removed;
        removed = RemoveFile(folder + kUserGuideFileName) && removed;
        removed = RemoveTree(folder + kInstalledDataFolder + "\\", "", purge) && removed;
        if (purge) {
            DeleteSettingsKey(view);
        }
    }
    if (!removed) {
        return 1;
    }
    Say(purge ? L"青岚形码输入法已卸载，用户词库和设置也已删除。"
              : L"青岚形码输入法已卸载；用户词库（*.emb）和设置保留着，重新安装后仍可使用。");
    return 0;
}
