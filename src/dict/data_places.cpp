#include "dict/data_places.h"

#include <cstdio>
#include <cstring>

#include "platform/app_data_folder.h"
#include "platform/win32.h"

const char kUserGuideFileName[] =
    "\xC7\xE0\xE1\xB0\xD0\xCE\xC2\xEB\xB2\xD9\xD7\xF7\xD6\xB8\xC4\xCF.txt";  // 青岚形码操作指南.txt

namespace {

constexpr char kDataFolderName[] = "zelk";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The system directory shared by both bitnesses, without a separator at the end.
bool SharedSystemFolder(char (&path)[kPathBufferSize]) {
    char seen[kPathBufferSize];
    const UINT length = GetSystemDirectoryA(seen, kPathBufferSize);
    BOOL underWow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &underWow64)) {
        underWow64 = FALSE;
    }
    if (length == 0 || length >= kPathBufferSize ||
        !SharedSystemDirectory(seen, underWow64 != FALSE, path, kPathBufferSize)) {
        path[0] = '\0';
        return false;
    }
    return true;
}

// folder + separator + tail (+ separator when the tail is a folder); false (and path empty) when
// it does not fit.
bool Join(const char* folder, const char* tail, bool folderTail, char (&path)[kPathBufferSize]) {
    const char end[] = {folderTail ? kPathSeparator : '\0', '\0'};
    const int n =
        std::snprintf(path, kPathBufferSize, "%s%c%s%s", folder, kPathSeparator, tail, end);
    if (n < 0 || static_cast<std::size_t>(n) >= kPathBufferSize) {
        path[0] = '\0';
        return false;
    }
    return true;
}

bool Append(const char* directory, const char* fileName, char (&path)[kPathBufferSize]) {
    const int n = std::snprintf(path, kPathBufferSize, "%s%s", directory, fileName);
    if (n < 0 || static_cast<std::size_t>(n) >= kPathBufferSize) {
        path[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace

bool SharedSystemDirectory(const char* seen, bool underWow64, char* out, std::size_t size) {
    if (size == 0) {
        return false;
    }
    out[0] = '\0';
    std::size_t length = seen == nullptr ? 0 : std::strlen(seen);
    while (length > 0 && IsSeparator(seen[length - 1])) {
        --length;
    }
    if (length == 0) {
        return false;
    }
    if (underWow64) {
        // The alias replaces the last part: "C:\Windows\SysWOW64" -> "C:\Windows\Sysnative".
        std::size_t parent = length;
        while (parent > 0 && !IsSeparator(seen[parent - 1])) {
            --parent;
        }
        if (parent == 0) {
            return false;
        }
        length = parent;
    }
    const int n = std::snprintf(out, size, "%.*s%s", static_cast<int>(length), seen,
                                underWow64 ? "Sysnative" : "");
    if (n < 0 || static_cast<std::size_t>(n) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool MachineDataDirectory(char (&path)[kPathBufferSize]) {
    char system[kPathBufferSize];
    return SharedSystemFolder(system) && Join(system, kDataFolderName, true, path);
}

bool MachineFilePath(const char* fileName, char (&path)[kPathBufferSize]) {
    char directory[kPathBufferSize];
    return MachineDataDirectory(directory) && Append(directory, fileName, path);
}

bool UserGuidePath(char (&path)[kPathBufferSize]) {
    char system[kPathBufferSize];
    return SharedSystemFolder(system) && Join(system, kUserGuideFileName, false, path);
}

bool UserDataDirectory(char (&path)[kPathBufferSize]) {
    char appData[kPathBufferSize];
    if (!RoamingAppDataFolder(appData, sizeof appData)) {
        path[0] = '\0';
        return false;
    }
    return Join(appData, kDataFolderName, true, path);
}

bool UserFilePath(const char* fileName, char (&path)[kPathBufferSize]) {
    char directory[kPathBufferSize];
    return UserDataDirectory(directory) && Append(directory, fileName, path);
}

UserFolderState LookAtUserDataDirectory(bool create) {
    char path[kPathBufferSize];
    if (!UserDataDirectory(path)) {
        return UserFolderState::Unavailable;
    }
    // Without its separator, so that a link is seen as the link, not as what it leads to.
    path[std::strlen(path) - 1] = '\0';
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!create || !CreateDirectoryA(path, nullptr)) {
            return create ? UserFolderState::Unavailable : UserFolderState::Missing;
        }
        attributes = GetFileAttributesA(path);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return UserFolderState::Unavailable;
    }
    return UserFolderState::Ready;
}
