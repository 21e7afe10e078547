// The 64-bit installer puts its input method into System32 and the 32-bit one of its package
// into SysWOW64; the 32-bit installer puts its own into the system directory it sees (SysWOW64 on
// 64-bit Windows). Both bitnesses of the module share one machine data folder and one pair of
// settings keys, in the places the module itself finds (dict/data_places.h,
// settings/registry_access.h), which a 32-bit installer under WOW64 names the same way.
#include "zelk-setup/install_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/setup_plan.h"
#include "dict/data_places.h"
#include "dict/dictionary_files.h"
#include "dict/table_image_files.h"
#include "ime/module_start.h"
#include "zelk-setup/access_win.h"
#include "zelk-setup/installed_files_win.h"
#include "zelk-setup/installed_keys_win.h"
#include "zelk-setup/setup_output_win.h"

namespace {

struct ImeTarget {
    std::wstring systemFolder;  // ends in a backslash
    std::wstring imeSource;     // the input method of the package for it
};

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder) + L"\\" : std::wstring();
}

// The 32-bit system directory of 64-bit Windows, as a 64-bit installer names it; empty elsewhere.
std::wstring Wow64SystemFolder() {
#ifdef _WIN64
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemWow64DirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder) + L"\\" : std::wstring();
#else
    return std::wstring();
#endif
}

#ifndef _WIN64
bool UnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}
#endif

// The shared system directory, whose data folder and user guide both bitnesses use.
std::wstring SharedSystemFolder() {
    char folder[kPathBufferSize];
    if (!MachineDataDirectory(folder)) {
        return std::wstring();
    }
    const std::wstring data = Wide(folder);
    return data.substr(0, data.size() - std::char_traits<char>::length(kInstalledDataFolder) - 1);
}

std::wstring DataFolderIn(const std::wstring& systemFolder) {
    return systemFolder + Wide(kInstalledDataFolder) + L"\\";
}

// Where earlier versions put a second copy of the data and the guide: each system directory.
std::vector<std::wstring> OtherDataSystemFolders(const std::wstring& shared) {
    std::vector<std::wstring> folders;
    for (const std::wstring& folder : {SystemFolder(), Wow64SystemFolder()}) {
        if (!folder.empty() && lstrcmpiW(folder.c_str(), shared.c_str()) != 0) {
            folders.push_back(folder);
        }
    }
    return folders;
}

// This program's own path.
std::wstring SetupProgram() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

std::vector<ImeTarget> ImeTargets(const std::wstring& packageFolder) {
    std::vector<ImeTarget> targets;
    targets.push_back(ImeTarget{SystemFolder(), packageFolder + Wide(kImeFileName)});
#ifdef _WIN64
    const std::wstring wow64 = Wow64SystemFolder();
    const std::wstring x86 = packageFolder + Wide(kPackageX86Folder) + L"\\" + Wide(kImeFileName);
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

bool CheckPackage(const std::wstring& packageFolder) {
    std::vector<std::wstring> needed = {packageFolder + Wide(kImeFileName)};
    for (const char* file : kRequiredDataFiles) {
        needed.push_back(packageFolder + Wide(kPackageDataFolder) + L"\\" + Wide(file));
    }
    for (const std::wstring& file : needed) {
        if (!IsFile(file)) {
            Complain(L"安装包不完整，缺少：" + file);
            return false;
        }
    }
    return true;
}

// The images of the machine's main files, beside them, which every program maps instead of
// reading the text. One that is current stays (programs may have it mapped); without one the
// input method reads the text, so a failure is told and no more.
void BuildMachineImages(std::uint64_t& bytes) {
    for (const std::int32_t codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        char path[kPathBufferSize];
        if (!MachineFilePath(MainFileName(codeSet), path)) {
            continue;
        }
        if (CheckTableImageFile(path, codeSet) != ImageFault::None &&
            !BuildTableImage(path, codeSet)) {
            Say(L"注意：未能为 " + Wide(MainFileName(codeSet)) +
                L" 生成词库映像，输入法照常可用，只是每个程序启动时要多读一会儿词库。");
            continue;
        }
        bytes += sizeof(TableImage);
    }
}

// The machine's data, the guide and the installer's own copy, with the system directory's
// rights only. bytes: what the files installed take.
bool InstallData(const std::wstring& packageFolder, bool resetDictionaries, std::uint64_t& bytes) {
    const std::wstring system = SharedSystemFolder();
    if (system.empty() || SystemFolder().empty()) {
        Complain(L"找不到系统目录。");
        return false;
    }
    const std::wstring data = DataFolderIn(system);
    // Whatever an ordinary user could leave under an older version's grant: links go first, as
    // links, before anything is copied in or has its rights changed.
    const std::wstring installedSetup = data + Wide(kSetupFileName);
    // The installed copy may be what runs now (installing again from it).
    const bool copySetup = lstrcmpiW(SetupProgram().c_str(), installedSetup.c_str()) != 0;
    if (!MakeRealFolder(data, true) || !RemoveLinksBelow(data) ||
        !CopyTree(packageFolder + Wide(kPackageDataFolder) + L"\\", system, L"", resetDictionaries,
                  bytes)) {
        return false;
    }
    BuildMachineImages(bytes);
    if ((copySetup && !CopyOne(SetupProgram(), installedSetup)) || !TakeBackUsersRights(data) ||
        !CreateMachineSettingsKey()) {
        return false;
    }
    bytes += FileBytes(installedSetup);
    // A copy an earlier version kept for the other bitness would only go stale; its user words
    // stay where they are.
    for (const std::wstring& folder : OtherDataSystemFolders(system)) {
        RemoveTree(DataFolderIn(folder), L"", false);
        RemoveFile(folder + Wide(kUserGuideFileName));
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

int InstallInputMethod(const std::wstring& packageFolder, bool resetDictionaries) {
    if (!CheckPackage(packageFolder)) {
        return 1;
    }
    std::uint64_t bytes = 0;
    for (const ImeTarget& target : ImeTargets(packageFolder)) {
        const std::wstring installed = target.systemFolder + Wide(kImeFileName);
        if (target.systemFolder.empty() || !CopyOne(target.imeSource, installed)) {
            return 1;
        }
        bytes += FileBytes(installed);
    }
    if (!InstallData(packageFolder, resetDictionaries, bytes) ||
        !RegisterUninstallEntry(DataFolderIn(SharedSystemFolder()) + Wide(kSetupFileName), bytes) ||
        !RegisterLayout()) {
        return 1;
    }
    Say(L"青岚形码输入法已安装：可以在输入法列表中选择“青岚形码”。");
    return 0;
}

int UninstallInputMethod(bool purge) {
    bool removed = UnregisterLayouts();
    for (const std::wstring& folder : {SystemFolder(), Wow64SystemFolder()}) {
        if (!folder.empty()) {
            removed = RemoveFile(folder + Wide(kImeFileName)) && removed;
        }
    }
    const std::wstring shared = SharedSystemFolder();
    std::vector<std::wstring> folders = OtherDataSystemFolders(shared);
    folders.push_back(shared);
    for (const std::wstring& folder : folders) {
        if (!folder.empty()) {
            removed = RemoveFile(folder + Wide(kUserGuideFileName)) && removed;
            removed = RemoveTree(DataFolderIn(folder), L"", purge) && removed;
        }
    }
    RemoveUninstallEntry();
    if (purge) {
        DeleteMachineSettingsKeys();
        // Only this user's: other users' folders and keys are theirs.
        DeleteUserSettingsKey();
        char user[kPathBufferSize];
        if (UserDataDirectory(user)) {
            removed = RemoveTree(Wide(user), L"", true) && removed;
        }
    }
    if (!removed) {
        return 1;
    }
    Say(purge ? L"青岚形码输入法已卸载，本机的词库和设置以及您的用户词库和设置也已删除。"
              : L"青岚形码输入法已卸载；用户词库和设置保留着，重新安装后仍可使用。");
    return 0;
}
