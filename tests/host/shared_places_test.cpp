// The module's files and settings as an ordinary user meets them: the settings key opened with no
// more than the installer grants, the user guide beside the data folder.
#include <gtest/gtest.h>

#include <string>

#include "dict/dictionary_files.h"
#include "dict/system_folder.h"
#include "platform/host/host_control.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

TEST(SharedPlacesTest, AnOrdinaryUserReadsAndWritesTheSettings) {
    CreateSettingsKey();
    HostSetRegistryRights(kSettingsUsersRights);
    WriteSettingsValue("IMESETQ", 4);
    const std::uint32_t read = ReadSettingsValue("IMESETQ");
    HKEY key = nullptr;
    const LONG fullAccess =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_ALL_ACCESS, &key);
    HostSetRegistryRights(~REGSAM{0});
    DeleteSettingsKey();
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(fullAccess, ERROR_ACCESS_DENIED) << "the stand-in limits rights as Windows does";
}

TEST(SharedPlacesTest, TheUserGuideLiesBesideTheDataFolder) {
    const std::string data = UseFreshSystemDirectory();
    char directory[kPathBufferSize];
    ASSERT_TRUE(DictionaryDirectory(directory));
    EXPECT_EQ(directory, data);
    char guide[kPathBufferSize];
    ASSERT_TRUE(UserGuidePath(guide));
    EXPECT_EQ(guide, data.substr(0, data.size() - 5) + kUserGuideFileName);
}

}  // namespace
