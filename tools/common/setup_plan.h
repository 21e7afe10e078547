// The decisions of zelk-setup that need no Windows: what the command line asks for, what the
// package must hold, which installed files an install keeps and an uninstall leaves, how the
// input method's keyboard layout is recognised, what the settings key starts with, and which
// failure a system error code means.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class SetupCommand {
    Install,
    Uninstall,
    ConfirmAndInstall,  // no arguments: started by a double click
    Help,
    Invalid,
};

struct SetupRequest {
    SetupCommand command;
    bool purge;  // uninstall also the user words and the settings
};

// The arguments after the program name: "install", "uninstall [--purge]", "--help", "/?", or
// nothing. Commands are case-insensitive; anything else is Invalid.
SetupRequest ParseSetupArguments(const std::vector<std::string>& arguments);

// The package: zelk-setup.exe with the input method of its own bitness next to it, the 32-bit
// one in the x86 folder (64-bit package only), and the data in a folder that mirrors the system
// directory.
extern const char kPackageDataFolder[];  // "data"
extern const char kPackageX86Folder[];   // "x86"
// Data the package must hold, relative to its data folder (backslashes): both code sets' files.
extern const char* const kRequiredDataFiles[4];

// The data folder under the system directory, as the input method reads it.
extern const char kInstalledDataFolder[];  // "zelk"
// The user guide, in the system directory itself (GBK).
extern const char kUserGuideFileName[];

// A file of the user's own words (".emb"): an install never replaces one that exists.
bool IsUserWordsFile(const std::string& relativePath);
// What an uninstall removes from the installed data folder: everything but the user words,
// unless purging.
bool RemovedOnUninstall(const std::string& relativePath, bool purge);

// The registry key of installed keyboard layouts (under HKEY_LOCAL_MACHINE), the value naming
// a layout's input method file, and the layout text this one registers with (GBK).
extern const char kKeyboardLayoutsKey[];
extern const char kImeFileValue[];
extern const char kLayoutText[];
// A layout's "Ime File" names this input method (case-insensitive, with or without a folder).
bool IsOwnImeFile(const std::string& imeFile);
// A layout key name ("e0020804") as the layout handle's value; 0 when it is no hexadecimal
// number of at most eight digits.
std::uint32_t LayoutIdFromKeyName(const std::string& name);

// The settings values an install creates where they are missing, with the installed defaults.
struct SettingsDefault {
    const char* name;
    std::uint32_t value;
};
constexpr int kSettingsDefaultCount = 3;
extern const SettingsDefault kSettingsDefaults[kSettingsDefaultCount];

enum class SetupFailure {
    None,
    NotAdministrator,
    FileInUse,
    AccessDenied,
    MissingFile,
    DiskFull,
    Other,
};
// The failure a Windows error code of a file or registry operation stands for.
SetupFailure ClassifySystemError(std::uint32_t error);
