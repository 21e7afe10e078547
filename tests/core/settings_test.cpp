#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32.h"
#include "dict/tables.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

void StoreValues(std::uint32_t imeset, std::uint32_t imesetz, std::uint32_t imesetq) {
    CreateSettingsKey();
    SetRawSettingsValue("IMESET", REG_DWORD, &imeset, 4);
    SetRawSettingsValue("IMESETZ", REG_DWORD, &imesetz, 4);
    SetRawSettingsValue("IMESETQ", REG_DWORD, &imesetq, 4);
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteSettingsKey();
        Settings = SettingsRecord{};
    }
    void TearDown() override { DeleteSettingsKey(); }
};

TEST_F(SettingsTest, MissingKeysReadEveryOptionOffAndAWriteMakesTheUsersKey) {
    std::memset(&Settings, 0x7F, sizeof Settings);
    LoadSettings();
    EXPECT_EQ(Settings.WordAssociation, 0);
    EXPECT_EQ(Settings.GbkMode, 0);
    EXPECT_EQ(Settings.CodeSet, kCodeSetSecondary);
    EXPECT_EQ(Settings.SkinIndex, 0);

    Settings = SettingsRecord{};
    Settings.WordAssociation = 1;
    StoreSettings();
    WriteSettingsValue("IMESETQ", 3);
    EXPECT_EQ(ReadSettingsValue("IMESET"), 1u);
    EXPECT_EQ(ReadSettingsValue("IMESETQ"), 3u);
    HKEY machine;
    EXPECT_NE(OpenSettingsKey(SettingsScope::Machine, KEY_READ, false, &machine), ERROR_SUCCESS)
        << "the machine's key is never made by the input method";
}

// Every value the user has set is theirs; every other one is the machine's.
TEST_F(SettingsTest, TheUsersValuesComeFirstAndTheMachinesFillTheRest) {
    StoreValues(1u << 0, 1u << 0, 4);
    const std::uint32_t userImeset = 1u << 1;
    const std::uint32_t notADword = 5;
    SetRawSettingsValue("IMESET", REG_DWORD, &userImeset, 4, SettingsScope::User);
    SetRawSettingsValue("IMESETQ", REG_BINARY, &notADword, 4, SettingsScope::User);
    LoadSettings();
    EXPECT_EQ(Settings.WordAssociation, 0);
    EXPECT_EQ(Settings.PhraseInput, 1) << "the user's IMESET";
    EXPECT_EQ(Settings.CodeSet, kCodeSetPrimary) << "the machine's IMESETZ";
    EXPECT_EQ(Settings.SkinIndex, 4) << "a user value that is no number is not set";

    Settings.SkinIndex = 1;
    WriteSettingsValue("IMESETQ", 1);
    StoreSettings();
    LoadSettings();
    EXPECT_EQ(Settings.SkinIndex, 1);
    EXPECT_EQ(Settings.PhraseInput, 1);
    // The machine's values are as the installer left them.
    DeleteSettingsKey();
    StoreValues(1u << 0, 1u << 0, 4);
    LoadSettings();
    EXPECT_EQ(Settings.WordAssociation, 1);
    EXPECT_EQ(Settings.SkinIndex, 4);
}

TEST_F(SettingsTest, EachStoredBitSetsItsOwnOptionOnly) {
    std::int32_t SettingsRecord::*const imesetOrder[] = {
        &SettingsRecord::WordAssociation,    &SettingsRecord::PhraseInput,
        &SettingsRecord::CodeHint,           &SettingsRecord::CursorFollow,
        &SettingsRecord::SemicolonQuoteKeys, &SettingsRecord::CommaPeriodKeys,
        &SettingsRecord::ProgressiveHint,    &SettingsRecord::LeftShiftSwitch,
        &SettingsRecord::RightShiftSwitch,   &SettingsRecord::GbkMode,
    };
    for (int bit = 0; bit < 10; ++bit) {
        StoreValues(1u << bit, 0, 0);
        LoadSettings();
        for (int other = 0; other < 10; ++other) {
            EXPECT_EQ(Settings.*imesetOrder[other], other == bit ? 1 : 0) << bit << " " << other;
        }
    }
    std::int32_t SettingsRecord::*const imesetzOrder[] = {&SettingsRecord::CodeSet,
                                                          &SettingsRecord::AutoFrequency,
                                                          &SettingsRecord::CommaPeriodPaging};
    for (int bit = 0; bit < 3; ++bit) {
        StoreValues(0, 1u << bit, 0);
        LoadSettings();
        for (int other = 0; other < 3; ++other) {
            EXPECT_EQ(Settings.*imesetzOrder[other], other == bit ? 1 : 0) << bit;
        }
    }
}

TEST_F(SettingsTest, HighBitsAreIgnoredOnReadingAndWrittenAsZero) {
    StoreValues(0xFFFFFC00u, 0xFFFFFFF8u, 0);
    LoadSettings();
    EXPECT_EQ(
        Settings.WordAssociation + Settings.GbkMode + Settings.CodeSet + Settings.CommaPeriodPaging,
        0);

    StoreValues(0xFFFFFFFFu, 0xFFFFFFFFu, 0);
    LoadSettings();
    StoreSettings();
    EXPECT_EQ(ReadSettingsValue("IMESET"), 0x3FFu);  // the GBK choice (bit 9) is kept too
    EXPECT_EQ(ReadSettingsValue("IMESETZ"), 0x7u);
}

TEST_F(SettingsTest, StoreThenLoadGivesTheSameOptions) {
    CreateSettingsKey();
    Settings.PhraseInput = 1;
    Settings.SemicolonQuoteKeys = 1;
    Settings.GbkMode = 1;
    Settings.AutoFrequency = 1;
    Settings.CodeSet = kCodeSetPrimary;
    StoreSettings();
    const SettingsRecord stored = Settings;
    Settings = SettingsRecord{};
    LoadSettings();
    EXPECT_EQ(std::memcmp(&Settings, &stored, sizeof stored), 0);
    // StoreSettings leaves the skin number to the UI's shutdown.
    EXPECT_EQ(ReadSettingsValue("IMESETQ"), 0u);
}

TEST_F(SettingsTest, SkinWithoutCaretFollowingTurnsCursorFollowOff) {
    StoreValues(1u << 3, 0, 2);
    LoadSettings();
    EXPECT_EQ(Settings.SkinIndex, 2);
    EXPECT_EQ(Settings.CursorFollow, 0);

    StoreValues(1u << 3, 0, 4);
    LoadSettings();
    EXPECT_EQ(Settings.CursorFollow, 1);

    StoreValues(1u << 3, 0, 0);
    LoadSettings();
    EXPECT_EQ(Settings.CursorFollow, 1);
}

TEST_F(SettingsTest, SkinNumberOutsideTheSixSkinsReadsAsPlainWindow) {
    for (std::uint32_t stored : {7u, 100u, 0xFFFFFFFFu}) {
        StoreValues(1u << 3, 0, stored);
        LoadSettings();
        EXPECT_EQ(Settings.SkinIndex, 0) << stored;
        EXPECT_EQ(Settings.CursorFollow, 1);
    }
    StoreValues(0, 0, 6);
    LoadSettings();
    EXPECT_EQ(Settings.SkinIndex, 6);
}

TEST_F(SettingsTest, SetSettingsBitTouchesOnlyBitsZeroToNine) {
    SettingsBits = 0x12345678u;
    SetSettingsBit(10, 1);
    SetSettingsBit(-1, 1);
    SetSettingsBit(31, 0);
    EXPECT_EQ(SettingsBits, 0x12345678u);
    SetSettingsBit(9, 1);
    SetSettingsBit(3, 0);
    EXPECT_EQ(SettingsBits, (0x12345678u | 0x200u) & ~0x8u);
    EXPECT_EQ(TestSettingsBit(9), 1);
    EXPECT_EQ(TestSettingsBit(3), 0);
}

TEST_F(SettingsTest, InstalledDefaultsAreTheDocumentedOptions) {
    SettingsRecord defaults{};
    DecodeSettings(kInstalledDefaults, defaults);
    EXPECT_EQ(defaults.CodeSet, kCodeSetPrimary);
    EXPECT_EQ(defaults.WordAssociation, 1);
    EXPECT_EQ(defaults.PhraseInput, 1);
    EXPECT_EQ(defaults.CodeHint, 1);
    EXPECT_EQ(defaults.CursorFollow, 1);
    EXPECT_EQ(defaults.ProgressiveHint, 1);
    EXPECT_EQ(defaults.LeftShiftSwitch, 1);
    EXPECT_EQ(defaults.SemicolonQuoteKeys + defaults.CommaPeriodKeys + defaults.RightShiftSwitch +
                  defaults.GbkMode + defaults.AutoFrequency + defaults.CommaPeriodPaging +
                  defaults.SkinIndex,
              0);
    const StoredSettings again = EncodeSettings(defaults);
    EXPECT_EQ(again.imeset, kInstalledDefaults.imeset);
    EXPECT_EQ(again.imesetz, kInstalledDefaults.imesetz);
    EXPECT_EQ(again.imesetq, kInstalledDefaults.imesetq);
}

TEST_F(SettingsTest, SkinLayoutsHoldTheirPlacements) {
    LoadSettings();
    EXPECT_EQ(SkinLayout[0].Width, 189);
    EXPECT_EQ(SkinLayout[0].Vertical, 1);
    EXPECT_EQ(SkinLayout[4].CandX, 90);
    EXPECT_EQ(SkinLayout[5].CandLimit, 415);
    int followAllowed = 0;
    for (const SkinLayoutRecord& layout : SkinLayout) {
        followAllowed += layout.FollowAllowed;
    }
    EXPECT_EQ(followAllowed, 2);  // skins 1 and 4
}

#ifdef _WIN32
TEST_F(SettingsTest, ValueOfAnotherTypeOrSizeReadsAsZero) {
    CreateSettingsKey();
    const unsigned char twoBytes[2] = {0xFF, 0x03};
    SetRawSettingsValue("IMESET", REG_BINARY, twoBytes, 2);
    const unsigned char eightBytes[8] = {0xFF, 0x03, 0, 0, 0, 0, 0, 0};
    SetRawSettingsValue("IMESETZ", REG_BINARY, eightBytes, 8);
    EXPECT_EQ(ReadSettingsValue("IMESET"), 0u);
    EXPECT_EQ(ReadSettingsValue("IMESETZ"), 0u);
}
#endif

}  // namespace
