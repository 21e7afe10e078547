#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dict/data_places.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

// One scratch folder per test process, below the build tree.
const std::string& ScratchDirectory() {
    static const std::string path = [] {
        std::string pattern = std::string(ZELK_BINARY_DIR) + "/test-scratch-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        mkdir((pattern + "/registry").c_str(), 0755);
        HostSetRegistryDirectory((pattern + "/registry").c_str());
        return pattern;
    }();
    return path;
}

void RemoveTree(const std::string& path) {
    std::system(("rm -rf '" + path + "'").c_str());
}

}  // namespace

DataFolders UseFreshDataFolders() {
    const std::string system = ScratchDirectory() + "/system";
    const std::string appData = ScratchDirectory() + "/appdata";
    RemoveTree(system);
    RemoveTree(appData);
    mkdir(system.c_str(), 0755);
    mkdir((system + "/zelk").c_str(), 0755);
    mkdir(appData.c_str(), 0700);
    HostSetSystemDirectory(system.c_str());
    HostSetApplicationDataDirectory(appData.c_str());
    char machine[kPathBufferSize];
    char user[kPathBufferSize];
    if (!MachineDataDirectory(machine) || !UserDataDirectory(user)) {
        std::abort();
    }
    return DataFolders{machine, user};
}

std::string ShippedDataDirectory() {
    return std::string(ZELK_SOURCE_DIR) + "/data/";
}

void DeleteSettingsKey() {
    std::remove((ScratchDirectory() + "/registry/HKLM_SOFTWARE_zelk").c_str());
    std::remove((ScratchDirectory() + "/registry/HKCU_Software_zelk").c_str());
}

bool CreateBlockingFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0;
}

std::string FolderListing(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* directory = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(directory);
    }
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names) {
        listing += name + "\n";
    }
    return listing;
}
