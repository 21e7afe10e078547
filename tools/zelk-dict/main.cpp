// zelk-dict: codes of words in both code sets, checking dictionary files, and building the table
// image of a main file (what the installer does for the machine's).
//   zelk-dict code WORD...
//   zelk-dict check FILE [--code-set primary|secondary] [--words user|backup]
//   zelk-dict image FILE [--code-set primary|secondary]
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/dictionary_check.h"
#include "common/gbk_text.h"
#include "dict/char_codes.h"
#include "dict/dictionary_files.h"
#include "dict/table_image_files.h"
#include "dict/tables.h"
#include "settings/settings.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: zelk-dict code WORD...\n"
                 "       zelk-dict check FILE [--code-set primary|secondary]"
                 " [--words user|backup]\n"
                 "       zelk-dict image FILE [--code-set primary|secondary]\n");
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

// "primary" or "secondary"; -1 for anything else.
int ParseCodeSet(const char* name) {
    if (std::strcmp(name, "primary") == 0) {
        return kCodeSetPrimary;
    }
    return std::strcmp(name, "secondary") == 0 ? kCodeSetSecondary : -1;
}

// What check and image are given: a file, its code set (by default from its name) and, for check
// alone, the kind of words it holds.
struct FileArguments {
    const char* path = nullptr;
    int codeSet = -1;
    char wordSeparator = 0;  // a main file
};

bool ParseFileArguments(int argc, char** argv, bool wordsAllowed, FileArguments& arguments) {
    for (int i = 0; i < argc; ++i) {
        const bool valued = i + 1 < argc;
        if (wordsAllowed && valued && std::strcmp(argv[i], "--words") == 0) {
            const char* kind = argv[++i];
            if (std::strcmp(kind, "user") != 0 && std::strcmp(kind, "backup") != 0) {
                return false;
            }
            arguments.wordSeparator = kind[0] == 'u' ? ' ' : '_';
        } else if (valued && std::strcmp(argv[i], "--code-set") == 0) {
            arguments.codeSet = ParseCodeSet(argv[++i]);
            if (arguments.codeSet < 0) {
                return false;
            }
        } else if (arguments.path == nullptr && argv[i][0] != '-') {
            arguments.path = argv[i];
        } else {
            return false;
        }
    }
    if (arguments.path != nullptr && arguments.codeSet < 0) {
        arguments.codeSet = CodeSetOfFile(arguments.path);
    }
    return arguments.path != nullptr;
}

int Check(int argc, char** argv) {
    FileArguments arguments;
    if (!ParseFileArguments(argc, argv, true, arguments)) {
        return Usage();
    }
    const char* path = arguments.path;
    const int codeSet = arguments.codeSet;
    const char wordSeparator = arguments.wordSeparator;
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

int Image(int argc, char** argv) {
    FileArguments arguments;
    if (!ParseFileArguments(argc, argv, false, arguments)) {
        return Usage();
    }
    const char* path = arguments.path;
    const int codeSet = arguments.codeSet;
    SourceFacts facts;
    char image[kPathBufferSize];
    if (!BuildTableImage(path, codeSet) || ReadSourceFacts(path, facts) != FileReadStatus::Read ||
        !TableImagePath(path, facts.checksum, image)) {
        std::fprintf(stderr,
                     "zelk-dict: no image of %s: it is no usable main file of the %s code set "
                     "(zelk-dict check tells why), or the image cannot be written beside it\n",
                     path, codeSet == kCodeSetPrimary ? "primary" : "secondary");
        return 1;
    }
    std::printf("%s\n", image);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "code") == 0) {
        return PrintCodes(argc - 2, argv + 2);
    }
    if (argc >= 3 && std::strcmp(argv[1], "check") == 0) {
        return Check(argc - 2, argv + 2);
    }
    if (argc >= 3 && std::strcmp(argv[1], "image") == 0) {
        return Image(argc - 2, argv + 2);
    }
    return Usage();
}
