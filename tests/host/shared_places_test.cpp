// The module's files and settings as an ordinary user meets them: the machine's settings key only
// read, the user guide beside the machine's data folder.
#include <gtest/gtest.h>

#include <string>

#include "dict/dictionary_files.h"
#include "dict/data_places.h"
#include "platform/host/host_control.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

// An ordinary user may only read the machine's key: what they choose goes into their own.
TEST(SharedPlacesTest, AnOrdinaryUsersSettingsGoIntoTheirOwnKey) {
    CreateSettingsKey();
    const DWORD machineSkin = 2;
    SetRawSettingsValue("IMESETQ", REG_DWORD, &machineSkin, 4);
    HostSetRegistryRights(KEY_READ);
    EXPECT_EQ(ReadSettingsValue("IMESETQ"), 2u);
    WriteSettingsValue("IMESETQ", 4);
    const std::uint32_t read = ReadSettingsValue("IMESETQ");
    HostSetRegistryRights(~REGSAM{0});
    EXPECT_EQ(read, 4u);
    DeleteSettingsKey();
    CreateSettingsKey();
    SetRawSettingsValue("IMESETQ", REG_DWORD, &machineSkin, 4);
    EXPECT_EQ(ReadSettingsValue("IMESETQ"), 2u) << "the machine's value was never written";
    DeleteSettingsKey();
}

TEST(SharedPlacesTest, TheUserGuideLiesBesideTheDataFolder) {
    const std::string data = UseFreshDataFolders().machine;
    char directory[kPathBufferSize];
    ASSERT_TRUE(MachineDataDirectory(directory));
    EXPECT_EQ(directory, data);
    char guide[kPathBufferSize];
    ASSERT_TRUE(UserGuidePath(guide));
    EXPECT_EQ(guide, data.substr(0, data.size() - 5) + kUserGuideFileName);
}

}  // namespace
