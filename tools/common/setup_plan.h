// The decisions of zelk-setup that need no Windows: what the command line asks for, what the
// package must hold, which installed files an install keeps and an uninstall leaves, how the
// input method's keyboard layout is recognised, what the settings key starts with, and which
// failure a system error code means.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dict/data_places.h"

enum class SetupCommand {
    Install,
    Uninstall,
    ConfirmAndInstall,  // no arguments: started by a double click
    Help,
    Invalid,
};

struct SetupRequest {
    SetupCommand command;
    bool purge;              // uninstall also the user words and the settings
    bool resetDictionaries;  // install the package's main dictionaries over the user's
};

// The arguments after the program name: "install [--reset-dictionaries]", "uninstall [--purge]",
// "--help", "-h", "/?", or nothing. Case-insensitive; anything else is Invalid.
SetupRequest ParseSetupArguments(const std::vector<std::string>& arguments);

// The package: zelk-setup.exe with the input method of its own bitness next to it, the 32-bit
// one in the x86 folder (64-bit package only), and the data in a folder that mirrors the system
// directory.
extern const char kPackageDataFolder[];  // "data"
extern const char kPackageX86Folder[];   // "x86"
// Data the package must hold, relative to its data folder (backslashes): both code sets' files.
extern const char* const kRequiredDataFiles[4];

// The data folder under the shared system directory (see dict/data_places.h), as the input
// method reads it; the user guide (kUserGuideFileName) lies in that directory itself.
extern const char kInstalledDataFolder[];  // "zelk"
// The installer's own copy in the data folder, which the uninstall entry runs.
extern const char kSetupFileName[];  // "zelk-setup.exe"

// A file of the user's own words (".emb"): an install never replaces one that exists.
bool IsUserWordsFile(const std::string& relativePath);
// A main dictionary (".mb"): the order of its words is what the user's choices made of it.
bool IsMainDictionaryFile(const std::string& relativePath);

enum class InstallFileAction {
    Copy,              // the package's file goes in (over an installed one)
    Keep,              // the installed file stays
    BackUpAndReplace,  // the installed file is copied aside first, then the package's goes in
};
// What an install does with a file of the package's data folder (relativePath as below it) when
// an installed file of that name exists or not. User words always stay; main dictionaries stay
// unless resetDictionaries, which keeps a copy of them.
InstallFileAction ActionForPackageFile(const std::string& relativePath, bool installedExists,
                                       bool resetDictionaries);
// The name of the number-th copy (from 1) of a replaced file beside it: "zelk2006.mb.old", then
// "zelk2006.mb.old2", "zelk2006.mb.old3"... The installer takes the first that does not exist, so
// an earlier copy is never overwritten, and gives up after kMaxBackupCopies.
std::string BackupFileName(const std::string& path, int number);
constexpr int kMaxBackupCopies = 99;
// What an uninstall removes from the installed data folder: everything but the user words,
// unless purging.
bool RemovedOnUninstall(const std::string& relativePath, bool purge);

// --- Walking the installed folders ---------------------------------------------------------------

// What a walk does with an entry of a folder, from its name and attributes. A link (any reparse
// point: junction, mount point, symbolic link) is never followed: what it leads to may be any
// folder of the machine, C:\Windows itself. Only the link is ever removed.
enum class WalkStep {
    Skip,     // "." and ".."
    Descend,  // a real folder
    File,     // a real file
    Link,     // a reparse point, folder or file
};
WalkStep StepForEntry(const std::wstring& name, std::uint32_t attributes);
// File attribute bits, as Windows numbers them.
constexpr std::uint32_t kAttributeDirectory = 0x10;
constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// --- Access rights
// --------------------------------------------------------------------------------

// What the installer makes keeps the rights it inherits from where it lies: the system
// directory's for the data, HKEY_LOCAL_MACHINE\SOFTWARE's for the keys; ordinary users may read
// both and change neither. It grants nothing of its own, and an install takes back what an older
// version granted ordinary users (explicit entries of the data folder and the settings key).
enum class Trustee {
    OrdinaryUsers,  // Users, Everyone, Authenticated Users, Interactive
    Administrators,
    System,
    Other,
};
enum class InstalledPlace { File, Folder, RegistryKey };
struct AccessEntry {
    Trustee trustee;
    bool allow;
    bool inherited;
    std::uint32_t mask;
};
// Whether an entry lets ordinary users change the place: its content, what lies in it, its
// rights or its owner.
bool LetsOrdinaryUsersChange(const AccessEntry& entry, InstalledPlace place);
// Whether an install keeps an entry of a place's access list: all but the explicit ones that let
// ordinary users change it.
bool KeptOnInstall(const AccessEntry& entry, InstalledPlace place);

// --- Settings → Apps
// ------------------------------------------------------------------------------

// The entry that lists the product under HKEY_LOCAL_MACHINE (the 64-bit view).
extern const char kUninstallKey[];  // "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\zelk"
struct UninstallValue {
    std::wstring name;
    bool isNumber;
    std::wstring text;     // REG_SZ
    std::uint32_t number;  // REG_DWORD
};
// The values of the entry: the display name "青岚形码", the version, the publisher, the
// command that uninstalls (the installed copy of zelk-setup, quoted, with "uninstall"), the icon
// (the same program's first icon), the estimated size in kilobytes (rounded up) and no modify or
// repair buttons.
std::vector<UninstallValue> UninstallValues(const std::wstring& installedSetup,
                                            std::uint64_t installedBytes);
extern const wchar_t kProductVersion[];  // "1.5", as the installer's version resource says

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
