#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

}  // namespace

std::string UseFreshSystemDirectory() {
    const std::string system = ScratchDirectory() + "/system";
    const std::string zelk = system + "/zelk/";
    std::system(("rm -rf '" + system + "'").c_str());
    mkdir(system.c_str(), 0755);
    mkdir(zelk.c_str(), 0755);
    HostSetSystemDirectory(system.c_str());
    return zelk;
}

std::string ShippedDataDirectory() {
    return std::string(ZELK_SOURCE_DIR) + "/data/";
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
    std::remove((ScratchDirectory() + "/registry/HKLM_SOFTWARE_zelk").c_str());
}

bool CreateBlockingFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0;
}
