// zelk-dict: codes of words in both code sets, and checking dictionary files.
//   zelk-dict code WORD...
//   zelk-dict check FILE [--code-set primary|secondary] [--words user|backup]
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/dictionary_check.h"
#include "common/gbk_text.h"
#include "dict/char_codes.h"
#include "dict/tables.h"
#include "settings/settings.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: zelk-dict code WORD...\n"
                 "       zelk-dict check FILE [--code-set primary|secondary]"
                 " [--words user|backup]\n");
    return 2;
}

int PrintCodes(int count, char** words) {
    for (int i = 0; i < count; ++i) {
        char primary[kCharCodeBufferSize] = {};
        char secondary[kCharCodeBufferSize] = {};
        std::string gbk;
        if (Utf8ToGbk(words[i], gbk)) {
            DeriveWordCode(kCodeSetPrimary, gbk.c_str(), primary);
            DeriveWordCode(kCodeSetSecondary, gbk.c_str(), secondary);
        }
        std::printf("%s\t%s\t%s\n", words[i], primary, secondary);
    }
    return 0;
}

// The code set of a file named like a shipped one, Primary otherwise.
int CodeSetOfFile(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const char* name = slash != nullptr ? slash + 1 : path;
    return std::strncmp(name, "shm28", 5) == 0 ? kCodeSetSecondary : kCodeSetPrimary;
}

int Check(int argc, char** argv) {
    const char* path = nullptr;
    int codeSet = -1;
    char wordSeparator = 0;  // a main file
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--words") == 0 && i + 1 < argc) {
            const char* kind = argv[++i];
            if (std::strcmp(kind, "user") == 0) {
                wordSeparator = ' ';
            } else if (std::strcmp(kind, "backup") == 0) {
                wordSeparator = '_';
            } else {
                return Usage();
            }
            continue;
        }
        if (std::strcmp(argv[i], "--code-set") == 0 && i + 1 < argc) {
            const char* name = argv[++i];
            if (std::strcmp(name, "primary") == 0) {
                codeSet = kCodeSetPrimary;
            } else if (std::strcmp(name, "secondary") == 0) {
                codeSet = kCodeSetSecondary;
            } else {
                return Usage();
            }
        } else if (path == nullptr && argv[i][0] != '-') {
            path = argv[i];
        } else {
            return Usage();
        }
    }
    if (path == nullptr) {
        return Usage();
    }
    if (codeSet < 0) {
        codeSet = CodeSetOfFile(path);
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "zelk-dict: cannot open %s: %s\n", path, std::strerror(errno));
        return 1;
    }
    std::string bytes;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    std::fclose(file);

    const DictionaryCheckResult result = wordSeparator == 0
                                             ? CheckMainDictionary(bytes, codeSet)
                                             : CheckUserWords(bytes, wordSeparator, codeSet);
    for (const DictionaryProblem& problem : result.problems) {
        if (problem.line == 0) {
            std::printf("%s: %s\n", path, problem.message.c_str());
        } else {
            std::printf("%s:%zu: %s\n", path, problem.line, problem.message.c_str());
        }
    }
    std::printf("%s: %zu lines, %s code set, %zu problem%s: %s\n", path, result.lines,
                codeSet == kCodeSetPrimary ? "primary" : "secondary", result.problems.size(),
                result.problems.size() == 1 ? "" : "s", result.usable() ? "usable" : "NOT usable");
    return result.usable() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "code") == 0) {
        return PrintCodes(argc - 2, argv + 2);
    }
    if (argc >= 3 && std::strcmp(argv[1], "check") == 0) {
        return Check(argc - 2, argv + 2);
    }
    return Usage();
}
