// The 64-bit installer puts its input method into System32 and the 32-bit one of its package
// into SysWOW64; the 32-bit installer puts its own into the system directory it sees (SysWOW64 on
// 64-bit Windows). Both bitnesses of the module share one data folder and one settings key: the
// 64-bit system directory's and the 64-bit registry view's (dict/system_folder.h,
// settings/registry_access.h), which a 32-bit installer under WOW64 names the same way.
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
#include "dict/system_folder.h"
#include "ime/module_start.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "zelk-setup/setup_output_win.h"

namespace {

struct ImeTarget {
    std::string systemFolder;  // ends in a backslash
    std::string imeSource;     // the input method of the package for it
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

// The 32-bit system directory of 64-bit Windows, as a 64-bit installer names it; empty elsewhere.
std::string Wow64SystemFolder() {
#ifdef _WIN64
    char folder[MAX_PATH];
    const UINT length = GetSystemWow64DirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder) + "\\" : std::string();
#else
    return std::string();
#endif
}

bool UnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The system directory whose data folder and user guide both bitnesses use.
std::string SharedSystemFolder() {
    char folder[MAX_PATH];
    const std::string seen = SystemFolder();
    return SharedSystemDirectory(seen.c_str(), UnderWow64(), folder, MAX_PATH)
               ? std::string(folder) + "\\"
               : std::string();
}

// Where earlier versions put a second copy of the data and the guide: each system directory.
std::vector<std::string> DataSystemFolders() {
    std::vector<std::string> folders = {SharedSystemFolder()};
    for (const std::string& folder : {SystemFolder(), Wow64SystemFolder()}) {
        if (!folder.empty() && lstrcmpiA(folder.c_str(), folders[0].c_str()) != 0) {
            folders.push_back(folder);
        }
    }
    return folders;
}

// --- Files ------------------------------------------------------------------------------------

// Installed files must be writable (the input method rewrites its tables), whatever the package's
// files were.
bool CopyOne(const std::string& from, const std::string& to) {
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        return Fail(error, ClassifySystemError(error) == SetupFailure::MissingFile ? from : to);
    }
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

// Copies the installed file to the first free copy name beside it, so that no earlier copy is
// lost.
bool BackUp(const std::string& path) {
    for (int number = 1; number <= kMaxBackupCopies; ++number) {
        const std::string copy = BackupFileName(path, number);
        if (GetFileAttributesA(copy.c_str()) != INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (!CopyFileA(path.c_str(), copy.c_str(), TRUE)) {
            return Fail(GetLastError(), path);
        }
        Say(Format(L"原来的主词库另存为：%ls", Wide(copy)));
        return true;
    }
    Complain(Format(L"%ls 的旧副本已太多，请先删除一些 .old 文件。", Wide(path)));
    return false;
}

bool InstallFile(const std::string& from, const std::string& to, const std::string& relative,
                 bool resetDictionaries) {
    switch (ActionForPackageFile(relative, IsFile(to), resetDictionaries)) {
        case InstallFileAction::Keep:
            return true;
        case InstallFileAction::BackUpAndReplace:
            return BackUp(to) && CopyOne(from, to);
        case InstallFileAction::Copy:
            break;
    }
    return CopyOne(from, to);
}

// Copies the package's data folder, which mirrors the system directory, into it. User words and
// main dictionaries that exist stay (unless resetting the dictionaries).
bool CopyTree(const std::string& from, const std::string& to, const std::string& relative,
              bool resetDictionaries) {
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
            copied = CopyTree(from + name + "\\", to + name + "\\", relative + name + "\\",
                              resetDictionaries);
        } else {
            copied = InstallFile(from + name, to + name, relative + name, resetDictionaries);
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

std::string SettingsKeyName() {
    return std::string("HKEY_LOCAL_MACHINE\\") + kSettingsKey;
}

// Creates the key where it is missing and the values that are missing, so a reinstall keeps the
// user's settings. The settings dialog of an ordinary user writes the key too: what it may do is
// what the module asks for (kSettingsUsersRights).
bool CreateSettingsKey(REGSAM view) {
    HKEY key;
    LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0,
                                  KEY_ALL_ACCESS | view, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        return Fail(static_cast<DWORD>(status), SettingsKeyName());
    }
    for (const SettingsDefault& value : kSettingsDefaults) {
        if (RegQueryValueExA(key, value.name, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_FILE_NOT_FOUND) {
            const DWORD data = value.value;
            status = RegSetValueExA(key, value.name, 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&data), sizeof data);
            if (status != ERROR_SUCCESS) {
                RegCloseKey(key);
                return Fail(static_cast<DWORD>(status), SettingsKeyName());
            }
        }
    }
    const DWORD granted = GrantUsers(key, SE_REGISTRY_KEY, kSettingsUsersRights, NO_INHERITANCE);
    RegCloseKey(key);
    return granted == ERROR_SUCCESS || Fail(granted, SettingsKeyName());
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

std::vector<ImeTarget> ImeTargets(const std::string& packageFolder) {
    std::vector<ImeTarget> targets;
    targets.push_back(ImeTarget{SystemFolder(), packageFolder + kImeFileName});
#ifdef _WIN64
    const std::string wow64 = Wow64SystemFolder();
    const std::string x86 = packageFolder + kPackageX86Folder + "\\" + kImeFileName;
    if (!wow64.empty()) {
        if (IsFile(x86)) {
            targets.push_back(ImeTarget{wow64, x86});
        } else {
            Say(L"注意：安装包中没有 32 位输入法（x86\\zelk.ime），32 位程序不能使用青岚形码。");
        }
    }
#else
    if (UnderWow64()) {
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

bool InstallData(const std::string& packageFolder, bool resetDictionaries) {
    const std::string system = SharedSystemFolder();
    if (system.empty() || SystemFolder().empty()) {
        Complain(L"找不到系统目录。");
        return false;
    }
    if (!CopyTree(packageFolder + kPackageDataFolder + "\\", system, "", resetDictionaries) ||
        !LetUsersWriteFolder(system + kInstalledDataFolder + "\\") ||
        !CreateSettingsKey(SettingsRegistryView(UnderWow64()))) {
        return false;
    }
    // A copy an earlier version kept for the other bitness would only go stale; its user words
    // stay where they are.
    const std::vector<std::string> folders = DataSystemFolders();
    for (auto folder = folders.begin() + 1; folder != folders.end(); ++folder) {
        RemoveTree(*folder + kInstalledDataFolder + "\\", "", false);
        RemoveFile(*folder + kUserGuideFileName);
    }
    return true;
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

int InstallInputMethod(const std::string& packageFolder, bool resetDictionaries) {
    if (!CheckPackage(packageFolder)) {
        return 1;
    }
    for (const ImeTarget& target : ImeTargets(packageFolder)) {
        if (target.systemFolder.empty() ||
            !CopyOne(target.imeSource, target.systemFolder + kImeFileName)) {
            return 1;
        }
    }
    if (!InstallData(packageFolder, resetDictionaries)) {
        return 1;
    }
    if (!RegisterLayout()) {
        return 1;
    }
    Say(L"青岚形码输入法已安装：可以在输入法列表中选择“青岚形码”。");
    return 0;
}

int UninstallInputMethod(bool purge) {
    bool removed = UnregisterLayouts();
    for (const std::string& folder : {SystemFolder(), Wow64SystemFolder()}) {
        if (!folder.empty()) {
            removed = RemoveFile(folder + kImeFileName) && removed;
        }
    }
    for (const std::string& folder : DataSystemFolders()) {
        if (!folder.empty()) {
            removed = RemoveFile(folder + kUserGuideFileName) && removed;
            removed = RemoveTree(folder + kInstalledDataFolder + "\\", "", purge) && removed;
        }
    }
    if (purge) {
        DeleteSettingsKey(SettingsRegistryView(UnderWow64()));
        // Earlier versions kept a second key in the 32-bit view.
#ifdef _WIN64
        DeleteSettingsKey(KEY_WOW64_32KEY);
#else
        DeleteSettingsKey(0);
#endif
    }
    if (!removed) {
        return 1;
    }
    Say(purge ? L"青岚形码输入法已卸载，用户词库和设置也已删除。"
              : L"青岚形码输入法已卸载；用户词库（*.emb）和设置保留着，重新安装后仍可使用。");
    return 0;
}
