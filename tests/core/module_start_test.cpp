// What process attach decides and reads: the window classes, the message road of 64-bit Wine,
// the Windows family, and the settings and dictionaries without which the load is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "dict/dictionary_files.h"
#include "dict/tables.h"
#include "ime/module_start.h"
#include "settings/settings.h"
#include "support/test_platform.h"
#include "ui/common/ui_classes.h"

namespace {

TEST(UiClassesTest, FiveClassesInRegistrationOrderWithTheirStyles) {
    const char* const names[] = {"QMVUI", "QMVCOMP", "QMVCAND", "QMVSTATUS", "QMVINFO"};
    for (int i = 0; i < kUiClassCount; ++i) {
        EXPECT_STREQ(kUiClasses[i].name, names[i]);
        EXPECT_EQ(kUiClasses[i].style, i == StatusClass ? 0x1000Bu : 0x10003u) << names[i];
    }
}

TEST(UiClassesTest, ExtraBytesAreTwoSlotsForTheUiWindowAndThreeForItsChildren) {
    const int slot = static_cast<int>(sizeof(void*));
    EXPECT_EQ(kUiClasses[UiWindowClass].windowExtraBytes, 2 * slot);
    for (int role : {CompClass, CandClass, StatusClass, InfoClass}) {
        EXPECT_EQ(kUiClasses[role].windowExtraBytes, 3 * slot) << kUiClasses[role].name;
    }
    EXPECT_EQ(kChildOwnerOffset, 2 * slot);
#if defined(_WIN32) && !defined(_WIN64)
    // The 32-bit sizes: 8 and 12 bytes, the owner at byte 8.
    EXPECT_EQ(kUiClasses[UiWindowClass].windowExtraBytes, 8);
    EXPECT_EQ(kUiClasses[CandClass].windowExtraBytes, 12);
    EXPECT_EQ(kChildOwnerOffset, 8);
#endif
}

TEST(ModuleStartTest, OnlySixtyFourBitWineGetsTheMessagesThroughTheBuffer) {
    EXPECT_TRUE(TranslatedMessagesNeedBuffer(true, true));
    EXPECT_FALSE(TranslatedMessagesNeedBuffer(true, false));
    EXPECT_FALSE(TranslatedMessagesNeedBuffer(false, true));
    EXPECT_FALSE(TranslatedMessagesNeedBuffer(false, false));
}

TEST(ModuleStartTest, PlatformIdOneIsTheWindows95Family) {
    EXPECT_FALSE(IsWin9xPlatform(0));  // Win32s
    EXPECT_TRUE(IsWin9xPlatform(1));
    EXPECT_FALSE(IsWin9xPlatform(2));  // NT
}

class ModuleDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CopyShippedDictionaries();
        CreateSettingsKey();
        SetRawSettingsValue("IMESET", REG_DWORD, &kInstalledDefaults.imeset, 4);
        SetRawSettingsValue("IMESETZ", REG_DWORD, &kInstalledDefaults.imesetz, 4);
    }
    void TearDown() override { DeleteSettingsKey(); }
    void Remove(const char* name) {
        char path[kPathBufferSize];
        ASSERT_TRUE(MachineFilePath(name, path));
        ASSERT_EQ(std::remove(path), 0) << path;
    }
};

TEST_F(ModuleDataTest, ReadsTheSettingsAndTheConfiguredCodeSet) {
    std::memset(Tables.MainTable, 0, sizeof(DictEntry) * 2);
    EXPECT_TRUE(StartModule());
    EXPECT_EQ(Settings.CodeSet, kCodeSetPrimary);
    EXPECT_EQ(Settings.LeftShiftSwitch, 1);
    EXPECT_STREQ(Tables.MainTable[0].code, "aqi");  // the first line of zelk2006.mb
    EXPECT_FALSE(IsEmptyEntry(Tables.UserTable[0]));
}

TEST_F(ModuleDataTest, TheSecondaryCodeSetNeedsOnlyItsOwnFiles) {
    const std::uint32_t secondary = 0;
    SetRawSettingsValue("IMESETZ", REG_DWORD, &secondary, 4);
    Remove("zelk2006.mb");
    Remove("zelk2006.emb");
    EXPECT_TRUE(StartModule());
    EXPECT_STREQ(Tables.MainTable[0].code, "amvs");
}

// Without a main dictionary there is nothing to type with; without user words there are just
// none.
TEST_F(ModuleDataTest, OnlyAMissingMainFileRefusesTheLoad) {
    Remove("zelk2006.emb");
    EXPECT_TRUE(StartModule());
    EXPECT_TRUE(IsEmptyEntry(Tables.UserTable[0]));
    EXPECT_FALSE(Tables.UserFile.Unreadable);
    Remove("zelk2006.mb");
    EXPECT_FALSE(StartModule());
}

TEST_F(ModuleDataTest, NoSettingsKeyMeansTheSecondaryCodeSet) {
    DeleteSettingsKey();
    EXPECT_TRUE(StartModule());
    EXPECT_EQ(Settings.CodeSet, kCodeSetSecondary);
    Remove("shm28.mb");
    EXPECT_FALSE(StartModule());
}

}  // namespace
