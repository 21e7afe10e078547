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
