#include "settings/settings.h"

SettingsRecord Settings;
std::uint32_t SettingsBits;

const char kSettingsKey[] = "SOFTWARE\\zelk";
const char kUserSettingsKey[] = "Software\\zelk";
const char kImesetValue[] = "IMESET";
const char kImesetzValue[] = "IMESETZ";
const char kImesetqValue[] = "IMESETQ";

// IMESET bits 0, 1, 2, 3, 6, 7 and IMESETZ bit 0.
const StoredSettings kInstalledDefaults = {0xCF, 0x1, 0};

SkinLayoutRecord SkinLayout[kSkinCount];

namespace {

// The options of IMESET in bit order.
std::int32_t SettingsRecord::*const kImesetFields[] = {
    &SettingsRecord::WordAssociation,    &SettingsRecord::PhraseInput,
    &SettingsRecord::CodeHint,           &SettingsRecord::CursorFollow,
    &SettingsRecord::SemicolonQuoteKeys, &SettingsRecord::CommaPeriodKeys,
    &SettingsRecord::ProgressiveHint,    &SettingsRecord::LeftShiftSwitch,
    &SettingsRecord::RightShiftSwitch,   &SettingsRecord::GbkMode,
};

// The options of IMESETZ in bit order.
std::int32_t SettingsRecord::*const kImesetzFields[] = {
    &SettingsRecord::CodeSet,
    &SettingsRecord::AutoFrequency,
    &SettingsRecord::CommaPeriodPaging,
};

const SkinLayoutRecord kSkinLayouts[kSkinCount] = {
    {189, 214, 74, 3, 7, 28, 160, 65, 191, 1, 164, 1},
    {426, 49, 75, 3, 7, 28, 390, 301, 3, 0, 142, 0},
    {600, 71, 15, 3, 7, 25, 570, 474, 3, 0, 454, 0},
    {184, 54, 7, 4, 7, 30, 160, 60, 4, 0, 60, 1},
    {800, 28, 30, 4, 90, 7, 560, 672, 4, 0, 2, 0},
    {643, 28, 30, 4, 90, 7, 415, 513, 4, 0, 2, 0},
};

}  // namespace

void SetSettingsBit(int n, int on) {
    if (n < 0 || n > 9) {
        return;
    }
    if (on != 0) {
        SettingsBits |= 1u << n;
    } else {
        SettingsBits &= ~(1u << n);
    }
}

int TestSettingsBit(int n) {
    if (n < 0 || n > 31) {
        return 0;
    }
    return (SettingsBits >> n) & 1u;
}

void DecodeSettings(const StoredSettings& stored, SettingsRecord& out) {
    SettingsBits = stored.imeset;
    for (int n = 0; n < 10; ++n) {
        out.*kImesetFields[n] = TestSettingsBit(n);
    }
    SettingsBits = stored.imesetz;
    for (int n = 0; n < 3; ++n) {
        out.*kImesetzFields[n] = TestSettingsBit(n);
    }
    out.SkinIndex = stored.imesetq <= static_cast<std::uint32_t>(kSkinCount)
                        ? static_cast<std::int32_t>(stored.imesetq)
                        : 0;
}

StoredSettings EncodeSettings(const SettingsRecord& settings) {
    StoredSettings stored;
    SettingsBits = 0;
    for (int n = 0; n < 10; ++n) {
        SetSettingsBit(n, settings.*kImesetFields[n]);
    }
    stored.imeset = SettingsBits;
    SettingsBits = 0;
    for (int n = 0; n < 3; ++n) {
        SetSettingsBit(n, settings.*kImesetzFields[n]);
    }
    stored.imesetz = SettingsBits;
    stored.imesetq = static_cast<std::uint32_t>(settings.SkinIndex);
    return stored;
}

void InitSkinLayout() {
    for (int k = 0; k < kSkinCount; ++k) {
        SkinLayout[k] = kSkinLayouts[k];
    }
}

const SkinLayoutRecord* SkinLayoutOf(std::int32_t skinIndex) {
    return skinIndex >= 1 && skinIndex <= kSkinCount ? &SkinLayout[skinIndex - 1] : nullptr;
}

void ApplyCursorFollowRule(SettingsRecord& settings) {
    const SkinLayoutRecord* skin = SkinLayoutOf(settings.SkinIndex);
    if (skin != nullptr && skin->FollowAllowed == 0) {
        settings.CursorFollow = 0;
    }
}

void LoadSettings() {
    StoredSettings stored;
    stored.imeset = ReadSettingsValue(kImesetValue);
    stored.imesetz = ReadSettingsValue(kImesetzValue);
    stored.imesetq = ReadSettingsValue(kImesetqValue);
    DecodeSettings(stored, Settings);
    InitSkinLayout();
    ApplyCursorFollowRule(Settings);
}

void StoreSettings() {
    StoredSettings stored = EncodeSettings(Settings);
    WriteSettingsValue(kImesetValue, stored.imeset);
    WriteSettingsValue(kImesetzValue, stored.imesetz);
}
