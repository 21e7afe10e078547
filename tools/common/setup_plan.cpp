#include "common/setup_plan.h"

#include <cctype>
#include <cstddef>

#include "ime/module_start.h"
#include "settings/settings.h"

const char kPackageDataFolder[] = "data";
const char kPackageX86Folder[] = "x86";
const char* const kRequiredDataFiles[4] = {
    "zelk\\zelk2006.mb",
    "zelk\\zelk2006.emb",
    "zelk\\shm28.mb",
    "zelk\\shm28.emb",
};
const char kInstalledDataFolder[] = "zelk";
const char kSetupFileName[] = "zelk-setup.exe";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\zelk";
const wchar_t kProductVersion[] = L"1.5";

const char kKeyboardLayoutsKey[] = "SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts";
const char kImeFileValue[] = "Ime File";
const char kLayoutText[] = "\xC7\xE0\xE1\xB0\xD0\xCE\xC2\xEB";  // 青岚形码

const SettingsDefault kSettingsDefaults[kSettingsDefaultCount] = {
    {kImesetValue, kInstalledDefaults.imeset},
    {kImesetzValue, kInstalledDefaults.imesetz},
    {kImesetqValue, kInstalledDefaults.imesetq},
};

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

SetupRequest ParseSetupArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return SetupRequest{SetupCommand::ConfirmAndInstall, false, false};
    }
    const std::string command = Lower(arguments[0]);
    if (arguments.size() == 1) {
        if (command == "install") {
            return SetupRequest{SetupCommand::Install, false, false};
        }
        if (command == "uninstall") {
            return SetupRequest{SetupCommand::Uninstall, false, false};
        }
        if (command == "--help" || command == "-h" || command == "/?") {
            return SetupRequest{SetupCommand::Help, false, false};
        }
    }
    if (arguments.size() == 2) {
        const std::string option = Lower(arguments[1]);
        if (command == "uninstall" && option == "--purge") {
            return SetupRequest{SetupCommand::Uninstall, true, false};
        }
        if (command == "install" && option == "--reset-dictionaries") {
            return SetupRequest{SetupCommand::Install, false, true};
        }
    }
    return SetupRequest{SetupCommand::Invalid, false, false};
}

bool IsUserWordsFile(const std::string& relativePath) {
    return EndsWith(Lower(relativePath), ".emb");
}

bool IsMainDictionaryFile(const std::string& relativePath) {
    return EndsWith(Lower(relativePath), ".mb");
}

InstallFileAction ActionForPackageFile(const std::string& relativePath, bool installedExists,
                                       bool resetDictionaries) {
    if (!installedExists) {
        return InstallFileAction::Copy;
    }
    if (IsUserWordsFile(relativePath)) {
        return InstallFileAction::Keep;
    }
    if (IsMainDictionaryFile(relativePath)) {
        return resetDictionaries ? InstallFileAction::BackUpAndReplace : InstallFileAction::Keep;
    }
    return InstallFileAction::Copy;
}

std::string BackupFileName(const std::string& path, int number) {
    return path + ".old" + (number > 1 ? std::to_string(number) : std::string());
}

bool RemovedOnUninstall(const std::string& relativePath, bool purge) {
    return purge || !IsUserWordsFile(relativePath);
}

WalkStep StepForEntry(const std::wstring& name, std::uint32_t attributes) {
    if (name == L"." || name == L"..") {
        return WalkStep::Skip;
    }
    if ((attributes & kAttributeReparsePoint) != 0) {
        return WalkStep::Link;
    }
    return (attributes & kAttributeDirectory) != 0 ? WalkStep::Descend : WalkStep::File;
}

bool LetsOrdinaryUsersChange(const AccessEntry& entry, InstalledPlace place) {
    // GENERIC_WRITE, GENERIC_ALL, WRITE_DAC, WRITE_OWNER, DELETE.
    std::uint32_t changes = 0x40000000u | 0x10000000u | 0x00040000u | 0x00080000u | 0x00010000u;
    switch (place) {
        case InstalledPlace::File:
            // FILE_WRITE_DATA, FILE_APPEND_DATA, FILE_WRITE_EA, FILE_WRITE_ATTRIBUTES.
            changes |= 0x0002u | 0x0004u | 0x0010u | 0x0100u;
            break;
        case InstalledPlace::Folder:
            // FILE_ADD_FILE, FILE_ADD_SUBDIRECTORY, FILE_WRITE_EA, FILE_DELETE_CHILD,
            // FILE_WRITE_ATTRIBUTES.
            changes |= 0x0002u | 0x0004u | 0x0010u | 0x0040u | 0x0100u;
            break;
        case InstalledPlace::RegistryKey:
            // KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK.
            changes |= 0x0002u | 0x0004u | 0x0020u;
            break;
    }
    return entry.trustee == Trustee::OrdinaryUsers && entry.allow && (entry.mask & changes) != 0;
}

bool KeptOnInstall(const AccessEntry& entry, InstalledPlace place) {
    return entry.inherited || !LetsOrdinaryUsersChange(entry, place);
}

std::vector<UninstallValue> UninstallValues(const std::wstring& installedSetup,
                                            std::uint64_t installedBytes) {
    const std::uint64_t kilobytes = installedBytes / 1024 + (installedBytes % 1024 != 0 ? 1 : 0);
    return {
        {L"DisplayName", false, L"青岚形码", 0},
        {L"DisplayVersion", false, kProductVersion, 0},
        {L"Publisher", false, L"zelk", 0},
        {L"UninstallString", false, L"\"" + installedSetup + L"\" uninstall", 0},
        {L"DisplayIcon", false, installedSetup + L",0", 0},
        {L"EstimatedSize", true, L"",
         static_cast<std::uint32_t>(kilobytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : kilobytes)},
        {L"NoModify", true, L"", 1},
        {L"NoRepair", true, L"", 1},
    };
}

bool IsOwnImeFile(const std::string& imeFile) {
    const std::string lower = Lower(imeFile);
    const std::string own = Lower(kImeFileName);
    if (lower == own) {
        return true;
    }
    return EndsWith(lower, "\\" + own) || EndsWith(lower, "/" + own);
}

std::uint32_t LayoutIdFromKeyName(const std::string& name) {
    if (name.empty() || name.size() > 8) {
        return 0;
    }
    std::uint32_t id = 0;
    for (char c : name) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return 0;
        }
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        id = id << 4 | static_cast<std::uint32_t>(digit);
    }
    return id;
}

SetupFailure ClassifySystemError(std::uint32_t error) {
    switch (error) {
        case 0:
            return SetupFailure::None;
        case 2:  // ERROR_FILE_NOT_FOUND
        case 3:  // ERROR_PATH_NOT_FOUND
            return SetupFailure::MissingFile;
        case 5:  // ERROR_ACCESS_DENIED
            return SetupFailure::AccessDenied;
        case 32:    // ERROR_SHARING_VIOLATION
        case 33:    // ERROR_LOCK_VIOLATION
        case 1224:  // ERROR_USER_MAPPED_FILE: a loaded module
            return SetupFailure::FileInUse;
        case 39:   // ERROR_HANDLE_DISK_FULL
        case 112:  // ERROR_DISK_FULL
            return SetupFailure::DiskFull;
        case 1314:  // ERROR_PRIVILEGE_NOT_HELD
            return SetupFailure::NotAdministrator;
        default:
            return SetupFailure::Other;
    }
}
