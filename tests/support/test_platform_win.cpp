// The machine's side of the portable tests on Windows: the real system directory and the real
// registry. Under CTest that is a throwaway Wine prefix, shared by all test processes, which is
// why the tests of one build never run at the same time.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

// Removes everything below the folder (not the folder itself).
void EmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            EmptyFolder(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::string UseFreshSystemDirectory() {
    char system[MAX_PATH];
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        std::fprintf(stderr, "GetSystemDirectoryA failed\n");
        std::abort();
    }
    const std::string zelk = std::string(system) + "\\zelk\\";
    CreateDirectoryA(zelk.c_str(), nullptr);
    EmptyFolder(zelk);
    return zelk;
}

// Wine's drive Z: is the Unix root, so the source tree is reachable under its own path.
std::string ShippedDataDirectory() {
    std::string path = std::string("Z:") + ZELK_SOURCE_DIR + "/data/";
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

void CreateSettingsKey() {
    DeleteSettingsKey();
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
}

void DeleteSettingsKey() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
}

bool CreateBlockingFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}
