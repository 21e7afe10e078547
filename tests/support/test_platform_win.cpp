// The machine's side of the portable tests on Windows: the real system directory, application-data
// folder and registry, in the places the module finds them. Under CTest that is a throwaway Wine
// prefix, shared by all test processes, which is why the tests of one build never run at the same
// time.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dict/data_places.h"
#include "platform/win32.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Removes everything below the folder (not the folder itself).
void EmptyFolder(const std::string& folder) {
    for (const std::string& name : NamesIn(folder)) {
        const std::string path = folder + name;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            EmptyFolder(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
}

// Deletes a scope's key: its parent opened in the module's view, then the tree below.
void DeleteScopeKey(SettingsScope scope) {
    const std::string path = SettingsKeyPath(scope);
    const std::size_t cut = path.find_last_of('\\');
    HKEY parent;
    if (RegOpenKeyExA(SettingsRoot(scope), path.substr(0, cut).c_str(), 0,
                      KEY_ALL_ACCESS | SharedSettingsView(), &parent) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteTreeA(parent, path.substr(cut + 1).c_str());
    RegCloseKey(parent);
}

}  // namespace

DataFolders UseFreshDataFolders() {
    char machine[kPathBufferSize];
    char user[kPathBufferSize];
    if (!MachineDataDirectory(machine) || !UserDataDirectory(user)) {
        std::fprintf(stderr, "the data folders cannot be found\n");
        std::abort();
    }
    CreateDirectoryA(machine, nullptr);
    EmptyFolder(machine);
    EmptyFolder(user);
    RemoveDirectoryA(user);
    return DataFolders{machine, user};
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

void DeleteSettingsKey() {
    DeleteScopeKey(SettingsScope::User);
    DeleteScopeKey(SettingsScope::Machine);
}

bool CreateBlockingFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

std::string FolderListing(const std::string& folder) {
    std::string listing;
    for (const std::string& name : NamesIn(folder)) {
        listing += name + "\n";
    }
    return listing;
}
