#include "zelk-setup/installed_files_win.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "common/setup_plan.h"
#include "zelk-setup/setup_output_win.h"

namespace {

std::wstring WithoutSeparator(const std::wstring& path) {
    return !path.empty() && path.back() == L'\\' ? path.substr(0, path.size() - 1) : path;
}

struct Entry {
    std::wstring name;
    unsigned long attributes;
};

// The entries of a folder; false when it cannot be listed (a missing folder lists nothing).
bool ListFolder(const std::wstring& folder, std::vector<Entry>& entries) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    do {
        entries.push_back(Entry{found.cFileName, found.dwFileAttributes});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

// Copies the installed file to the first free copy name beside it, so that no earlier copy is
// lost.
bool BackUp(const std::wstring& path) {
    for (int number = 1; number <= kMaxBackupCopies; ++number) {
        const std::string suffix = BackupFileName("", number);
        const std::wstring copy = path + std::wstring(suffix.begin(), suffix.end());
        if (AttributesOf(copy) != INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (!CopyFileW(path.c_str(), copy.c_str(), TRUE)) {
            return Fail(GetLastError(), path);
        }
        Say(L"原来的主词库另存为：" + copy);
        return true;
    }
    Complain(path + L" 的旧副本已太多，请先删除一些 .old 文件。");
    return false;
}

// The relative path as the plan names files: the package's names are ASCII but for the guide,
// whose name the plan only sees as "not a dictionary".
std::string PlanName(const std::wstring& relative) {
    std::string narrow;
    for (wchar_t c : relative) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

bool InstallFile(const std::wstring& from, const std::wstring& to, const std::wstring& relative,
                 bool resetDictionaries) {
    const unsigned long standing = AttributesOf(to);
    if (standing != INVALID_FILE_ATTRIBUTES && StepForEntry(L"x", standing) == WalkStep::Link &&
        !RemoveLink(to, standing)) {
        return false;
    }
    switch (ActionForPackageFile(PlanName(relative), IsFile(to), resetDictionaries)) {
        case InstallFileAction::Keep:
            return true;
        case InstallFileAction::BackUpAndReplace:
            return BackUp(to) && CopyOne(from, to);
        case InstallFileAction::Copy:
            break;
    }
    return CopyOne(from, to);
}

}  // namespace

unsigned long AttributesOf(const std::wstring& path) {
    return GetFileAttributesW(WithoutSeparator(path).c_str());
}

bool IsFile(const std::wstring& path) {
    const unsigned long attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           StepForEntry(L"x", attributes) == WalkStep::File;
}

bool IsRealFolder(const std::wstring& path) {
    const unsigned long attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           StepForEntry(L"x", attributes) == WalkStep::Descend;
}

bool CopyOne(const std::wstring& from, const std::wstring& to) {
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        return Fail(error, ClassifySystemError(error) == SetupFailure::MissingFile ? from : to);
    }
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

bool RemoveFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(path.c_str())) {
        return true;
    }
    const DWORD error = GetLastError();
    const SetupFailure failure = ClassifySystemError(error);
    if (failure == SetupFailure::MissingFile) {
        return true;
    }
    if ((failure == SetupFailure::FileInUse || failure == SetupFailure::AccessDenied) &&
        MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        Say(L"注意：" + path + L" 正在使用，将在重新启动后删除。");
        return true;
    }
    return Fail(error, path);
}

bool RemoveLink(const std::wstring& path, unsigned long attributes) {
    const std::wstring link = WithoutSeparator(path);
    // A folder link goes as a folder does, which removes the link and nothing it leads to.
    const BOOL removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                             ? RemoveDirectoryW(link.c_str())
                             : DeleteFileW(link.c_str());
    return removed || Fail(GetLastError(), link);
}

bool MakeRealFolder(const std::wstring& folder, bool top) {
    const unsigned long standing = AttributesOf(folder);
    if (standing != INVALID_FILE_ATTRIBUTES) {
        switch (StepForEntry(L"x", standing)) {
            case WalkStep::Descend:
                return true;
            case WalkStep::Link:
                if (top) {
                    Complain(L"数据文件夹是一个链接，不能安装到那里：" + folder +
                             L"\r\n请先删除这个链接（它指向的内容不会受影响），然后再试。");
                    return false;
                }
                if (!RemoveLink(folder, standing)) {
                    return false;
                }
                break;
            case WalkStep::File:
            case WalkStep::Skip:
                Complain(L"这里应该是文件夹：" + folder);
                return false;
        }
    }
    if (!CreateDirectoryW(WithoutSeparator(folder).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
        return Fail(GetLastError(), folder);
    }
    return IsRealFolder(folder);
}

bool CopyTree(const std::wstring& from, const std::wstring& to, const std::wstring& relative,
              bool resetDictionaries, std::uint64_t& bytes) {
    if (!MakeRealFolder(to, false)) {
        return false;
    }
    std::vector<Entry> entries;
    if (!ListFolder(from, entries) || entries.empty()) {
        return Fail(GetLastError(), from);
    }
    for (const Entry& entry : entries) {
        bool copied = true;
        switch (StepForEntry(entry.name, entry.attributes)) {
            case WalkStep::Skip:
            case WalkStep::Link:  // nothing of a package is a link
                break;
            case WalkStep::Descend:
                copied = CopyTree(from + entry.name + L"\\", to + entry.name + L"\\",
                                  relative + entry.name + L"\\", resetDictionaries, bytes);
                break;
            case WalkStep::File:
                copied = InstallFile(from + entry.name, to + entry.name, relative + entry.name,
                                     resetDictionaries);
                bytes += FileBytes(to + entry.name);
                break;
        }
        if (!copied) {
            return false;
        }
    }
    return true;
}

bool RemoveLinksBelow(const std::wstring& folder) {
    std::vector<Entry> entries;
    if (!ListFolder(folder, entries)) {
        return Fail(GetLastError(), folder);
    }
    bool removed = true;
    for (const Entry& entry : entries) {
        switch (StepForEntry(entry.name, entry.attributes)) {
            case WalkStep::Link:
                removed = RemoveLink(folder + entry.name, entry.attributes) && removed;
                break;
            case WalkStep::Descend:
                removed = RemoveLinksBelow(folder + entry.name + L"\\") && removed;
                break;
            case WalkStep::Skip:
            case WalkStep::File:
                break;
        }
    }
    return removed;
}

bool RemoveTree(const std::wstring& folder, const std::wstring& relative, bool purge) {
    const unsigned long standing = AttributesOf(folder);
    if (standing == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    if (StepForEntry(L"x", standing) != WalkStep::Descend) {
        return StepForEntry(L"x", standing) == WalkStep::Link ? RemoveLink(folder, standing)
                                                              : Fail(ERROR_DIRECTORY, folder);
    }
    std::vector<Entry> entries;
    if (!ListFolder(folder, entries)) {
        return Fail(GetLastError(), folder);
    }
    bool removed = true;
    for (const Entry& entry : entries) {
        switch (StepForEntry(entry.name, entry.attributes)) {
            case WalkStep::Skip:
                break;
            case WalkStep::Link:
                removed = RemoveLink(folder + entry.name, entry.attributes) && removed;
                break;
            case WalkStep::Descend:
                removed =
                    RemoveTree(folder + entry.name + L"\\", relative + entry.name + L"\\", purge) &&
                    removed;
                break;
            case WalkStep::File:
                if (RemovedOnUninstall(PlanName(relative + entry.name), purge)) {
                    removed = RemoveFile(folder + entry.name) && removed;
                }
                break;
        }
    }
    const std::wstring path = WithoutSeparator(folder);
    if (!RemoveDirectoryW(path.c_str()) && GetLastError() == ERROR_DIR_NOT_EMPTY) {
        // Empty at the next restart, once the files that go then are gone; else it stays.
        MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    return removed;
}

std::uint64_t FileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
