// The process-wide option record, its registry encoding and the built-in skin layouts.
#pragma once

#include <cstdint>

// Every field a signed 32-bit integer; the options hold 0 or 1.
struct SettingsRecord {
    std::int32_t WordAssociation;
    std::int32_t PhraseInput;
    std::int32_t CodeHint;
    std::int32_t CursorFollow;
    std::int32_t SemicolonQuoteKeys;
    std::int32_t CommaPeriodKeys;
    std::int32_t ProgressiveHint;
    std::int32_t LeftShiftSwitch;
    std::int32_t RightShiftSwitch;
    std::int32_t GbkMode;
    std::int32_t CodeSet;  // 1 = Primary (25 keys), 0 = Secondary (28 keys)
    std::int32_t AutoFrequency;
    std::int32_t CommaPeriodPaging;
    std::int32_t SkinIndex;  // 0 = plain status window, 1..6 = skin
};

extern SettingsRecord Settings;

constexpr std::int32_t kSkinCount = 6;

// Registry location and value names.
extern const char kSettingsKey[];      // "SOFTWARE\zelk" under HKLM: the machine defaults
extern const char kUserSettingsKey[];  // "Software\zelk" under HKCU: the user's own choices
extern const char kImesetValue[];      // "IMESET": options in bits 0..9
extern const char kImesetzValue[];     // "IMESETZ": code set, frequency, paging in bits 0..2
extern const char kImesetqValue[];     // "IMESETQ": the skin number

// The three stored values as one plain record.
struct StoredSettings {
    std::uint32_t imeset;
    std::uint32_t imesetz;
    std::uint32_t imesetq;
};

// What a fresh installation writes: Primary code set, word association, phrase input, code hints,
// caret following, progressive hints and left-Shift switching on; everything else off; skin 0.
extern const StoredSettings kInstalledDefaults;

// The scratch word through which both bit sets are decoded and encoded.
extern std::uint32_t SettingsBits;
void SetSettingsBit(int n, int on);  // n from 0 to 9; any other n does nothing
int TestSettingsBit(int n);

// Decoding and encoding of the stored values; the skin number outside 0..6 reads as 0.
void DecodeSettings(const StoredSettings& stored, SettingsRecord& out);
StoredSettings EncodeSettings(const SettingsRecord& settings);

struct SkinLayoutRecord {
    std::int32_t Width;
    std::int32_t Height;
    std::int32_t CodeX;
    std::int32_t CodeY;
    std::int32_t CandX;
    std::int32_t CandY;
    std::int32_t CandLimit;
    std::int32_t ButtonsX;
    std::int32_t ButtonsY;
    std::int32_t Vertical;
    std::int32_t AssocX;
    std::int32_t FollowAllowed;
};
extern SkinLayoutRecord SkinLayout[kSkinCount];  // record k belongs to skin k + 1
void InitSkinLayout();
// The layout of skin number skinIndex; null for the plain bar (0) or a number without a layout.
const SkinLayoutRecord* SkinLayoutOf(std::int32_t skinIndex);

// A skin whose layout does not allow caret following turns CursorFollow off.
void ApplyCursorFollowRule(SettingsRecord& settings);

// Registry access: the user's value, else the machine's; a value missing in both reads as 0. A
// write goes to the user's key, which it creates when missing.
std::uint32_t ReadSettingsValue(const char* name);
void WriteSettingsValue(const char* name, std::uint32_t value);

// Start-up: reads the three values and fills the skin layouts.
void LoadSettings();
// Writes "IMESET" and "IMESETZ" from Settings.
void StoreSettings();
