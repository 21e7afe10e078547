// zelk-type: types keys through the input method's own entry points and prints what the
// application received.
//   zelk-type [--sysdir DIR] [--userdir DIR] [--imeset N] [--imesetz N] [--imesetq N] [--now
//   "YYYY-MM-DD HH:MM"]
//             [--clipboard TEXT] [--answer ok|cancel] [--trace] [KEYS]
// KEYS (or standard input) in the key notation of common/key_notation.h.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "common/key_notation.h"
#include "common/typing_session.h"
#include "dict/dictionary_files.h"
#include "platform/host/host_control.h"
#include "common/scratch_directory.h"
#include "ime/ime_calls.h"
#include "ime/module_start.h"
#include "settings/settings.h"
#include "trace_json.h"

namespace {

struct Options {
    std::string systemDirectory;  // empty: a scratch copy of the shipped data
    std::string userDirectory;    // empty: the system directory holds the user's data too
    StoredSettings stored = kInstalledDefaults;
    bool fixedTime = false;
    SYSTEMTIME now{};
    bool clipboard = false;
    std::string clipboardText;  // GBK
    int answer = IDOK;
    bool trace = false;
    bool keysGiven = false;
    std::string keys;
};

int Usage(const char* problem) {
    if (problem != nullptr) {
        std::fprintf(stderr, "zelk-type: %s\n", problem);
    }
    std::fprintf(stderr,
                 "usage: zelk-type [--sysdir DIR] [--userdir DIR] [--imeset N] [--imesetz N]\n"
                 "                 [--imesetq N]\n"
                 "                 [--now \"YYYY-MM-DD HH:MM\"] [--clipboard TEXT]\n"
                 "                 [--answer ok|cancel] [--trace] [KEYS]\n");
    return 2;
}

bool ParseNumber(const char* text, std::uint32_t& value) {
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text, &end, 0);
    if (end == text || *end != '\0' || parsed > 0xFFFFFFFFul) {
        return false;
    }
    value = static_cast<std::uint32_t>(parsed);
    return true;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long DaysFromCivil(long year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long>(dayOfEra) - 719468;
}

bool ParseTime(const char* text, SYSTEMTIME& time) {
    unsigned year, month, day, hour, minute;
    char tail;
    if (std::sscanf(text, "%4u-%2u-%2u %2u:%2u%c", &year, &month, &day, &hour, &minute, &tail) !=
            5 ||
        year < 1601 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59) {
        return false;
    }
    time = SYSTEMTIME{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    // 1970-01-01 was a Thursday (4).
    const long days = DaysFromCivil(year, month, day);
    time.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);
    return true;
}

// Returns 0 when the options are fine, else the exit status.
int ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--trace") {
            options.trace = true;
        } else if (option == "--sysdir" && hasValue) {
            options.systemDirectory = argv[++i];
        } else if (option == "--userdir" && hasValue) {
            options.userDirectory = argv[++i];
        } else if ((option == "--imeset" || option == "--imesetz" || option == "--imesetq") &&
                   hasValue) {
            std::uint32_t& value = option == "--imeset"    ? options.stored.imeset
                                   : option == "--imesetz" ? options.stored.imesetz
                                                           : options.stored.imesetq;
            if (!ParseNumber(argv[++i], value)) {
                return Usage(("not a number for " + option).c_str());
            }
        } else if (option == "--now" && hasValue) {
            if (!ParseTime(argv[++i], options.now)) {
                return Usage("--now wants \"YYYY-MM-DD HH:MM\"");
            }
            options.fixedTime = true;
        } else if (option == "--clipboard" && hasValue) {
            if (!Utf8ToGbk(argv[++i], options.clipboardText)) {
                return Usage("the --clipboard text has a character GBK cannot hold");
            }
            options.clipboard = true;
        } else if (option == "--answer" && hasValue) {
            const std::string answer = argv[++i];
            if (answer != "ok" && answer != "cancel") {
                return Usage("--answer wants ok or cancel");
            }
            options.answer = answer == "ok" ? IDOK : IDCANCEL;
        } else if (option.size() > 1 && option[0] == '-' && option[1] == '-') {
            return Usage(("unknown or incomplete option " + option).c_str());
        } else if (!options.keysGiven) {
            options.keys = argv[i];
            options.keysGiven = true;
        } else {
            return Usage("more than one KEYS argument");
        }
    }
    return 0;
}

std::string ReadStandardInput() {
    std::string text;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        text.append(buffer, got);
    }
    return text;
}

// The settings key with the three values, as an installation leaves it.
bool WriteRegistry(const std::string& directory, const StoredSettings& stored) {
    HostSetRegistryDirectory(directory.c_str());
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::pair<const char*, std::uint32_t> values[] = {{kImesetValue, stored.imeset},
                                                            {kImesetzValue, stored.imesetz},
                                                            {kImesetqValue, stored.imesetq}};
    bool written = true;
    for (const auto& [name, value] : values) {
        const DWORD data = value;
        written = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                 sizeof data) == ERROR_SUCCESS &&
                  written;
    }
    RegCloseKey(key);
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int status = ParseOptions(argc, argv, options)) {
        return status;
    }
    const std::string keys = options.keysGiven ? options.keys : ReadStandardInput();
    std::vector<KeyToken> tokens;
    std::string error;
    if (!ParseKeyNotation(keys, tokens, error)) {
        return Usage(error.c_str());
    }

    ScratchDirectory scratch;
    if (!scratch.Create()) {
        std::fprintf(stderr, "zelk-type: cannot create a scratch directory\n");
        return 1;
    }
    if (!WriteRegistry(scratch.Path("registry"), options.stored)) {
        std::fprintf(stderr, "zelk-type: cannot write the settings\n");
        return 1;
    }
    std::string systemDirectory = options.systemDirectory;
    if (systemDirectory.empty()) {
        // The shipped files are never written: the input method gets a copy.
        systemDirectory = scratch.Path("system");
        if (!CopyDictionaryFiles(ZELK_DATA_DIR, systemDirectory)) {
            std::fprintf(stderr, "zelk-type: cannot copy the shipped dictionaries from %s\n",
                         ZELK_DATA_DIR);
            return 1;
        }
    }
    HostSetSystemDirectory(systemDirectory.c_str());
    if (!options.userDirectory.empty()) {
        // The user's data folder, DIR/zelk/, is made by the first save.
        HostSetApplicationDataDirectory(options.userDirectory.c_str());
    }
    if (options.fixedTime) {
        HostSetLocalTime(&options.now);
    }
    HostSetMessageBoxAnswer(options.answer);
    HostResetClipboard();
    if (options.clipboard) {
        HostSetClipboardText(options.clipboardText.c_str());
    }

    if (!StartModule()) {
        std::fprintf(stderr,
                     "zelk-type: the dictionaries of the code set are missing in %s/zelk/\n",
                     systemDirectory.c_str());
        return 1;
    }

    TypingSession session;
    // The application's selection is the clipboard text: its copy command puts it there again.
    session.SetSelection(options.clipboardText);
    for (const KeyToken& token : tokens) {
        const KeyOutcome outcome = session.Type(token);
        if (options.trace) {
            std::printf("%s\n",
                        TraceLine(token, outcome, session.context(), session.Text()).c_str());
        }
    }
    // The program ends: its text box loses the focus, and what it learned is kept.
    ActivateInputContext(FALSE);
    if (!options.trace) {
        std::printf("%s\n", session.Text().c_str());
    }
    return 0;
}
