// Arbitrary bytes as a dictionary file, through the line reader with both line rules, both
// separators, both code sets and several capacities, whole and in random chunks; and as a user
// file and a backup file, through their writers and back.
//
// Checked: nothing is written at or past the capacity (a guard entry follows the table) nor past
// the last entry read; every code and word is NUL-terminated inside its field; entries read never
// exceed the capacity; feeding in chunks gives exactly what one piece gives; and every entry is
// what the line syntax says it is. A user word is only ever a code of code keys and a word of
// plain GBK text (no control byte, which a program would take for a key); a main file's reading
// stops at its first line that breaks a rule. Writing the user words read and reading them again
// gives them all back in order.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/scratch_directory.h"
#include "dict/dictionary_files.h"
#include "dict/entry_rules.h"
#include "dict/line_reader.h"
#include "dict/tables.h"
#include "dict/word_text.h"
#include "platform/host/host_control.h"

namespace {

constexpr unsigned char kUntouched = 0xA5;
// The reader keeps this much of a line; a longer one breaks every rule.
constexpr std::size_t kModelledLineLength = 512;

DictEntry wholeTable[kMainTableCapacity + 1];
DictEntry chunkedTable[kMainTableCapacity + 1];
DictEntry readBack[kUserTableCapacity + 1];
std::string backupPath;

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool Untouched(const DictEntry& entry) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&entry);
    for (std::size_t i = 0; i < sizeof entry; ++i) {
        if (bytes[i] != kUntouched) {
            return false;
        }
    }
    return true;
}

void MarkUntouched(DictEntry* table, std::size_t count) {
    std::memset(static_cast<void*>(table), kUntouched, count * sizeof(DictEntry));
}

// Double-byte characters start at 0x81: the longest prefix of at most maxBytes that does not cut
// one.
std::size_t WholeCharacters(const unsigned char* text, std::size_t length, std::size_t maxBytes) {
    std::size_t kept = 0;
    // A NUL ends a stored word; a lead byte right before one is no character.
    while (kept < length && text[kept] != 0) {
        const bool lead = text[kept] >= 0x81;
        const std::size_t next = kept + (lead ? 2 : 1);
        if (next > length || next > maxBytes || (lead && text[kept + 1] == 0)) {
            break;
        }
        kept = next;
    }
    return kept;
}

// Small deterministic generator for the chunk sizes, seeded from the input.
struct Chunks {
    std::uint64_t state;
    std::size_t Next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const unsigned pick = static_cast<unsigned>(state >> 59);  // 0..31
        return pick < 24 ? pick / 3 + 1 : (pick - 23) * 97;
    }
};

struct Config {
    char separator;
    LineRules rules;
    std::size_t capacity;
    std::int32_t codeSet;
};

std::size_t Read(DictEntry* table, const Config& config, const std::uint8_t* data, std::size_t size,
                 Chunks* chunks) {
    DictionaryLineReader reader(config.separator, table, config.capacity, config.rules,
                                config.codeSet);
    const char* bytes = reinterpret_cast<const char*>(data);
    if (chunks == nullptr) {
        reader.Feed(bytes, size);
    } else {
        for (std::size_t offset = 0; offset < size;) {
            std::size_t n = chunks->Next();
            if (n > size - offset) {
                n = size - offset;
            }
            if (!reader.Feed(bytes + offset, n)) {
                break;
            }
            offset += n;
        }
    }
    reader.Finish();
    return reader.EntriesRead();
}

// After the last separator that stands between characters.
std::size_t ModelWordStart(const std::uint8_t* line, std::size_t from, std::size_t length,
                           std::uint8_t separator) {
    std::size_t start = length;
    for (std::size_t i = from; i < length;) {
        if (line[i] == separator) {
            start = ++i;
        } else {
            i += line[i] >= 0x81 && i + 1 < length ? 2 : 1;
        }
    }
    return start;
}

// The entries the line syntax gives.
std::vector<DictEntry> Model(const Config& config, const std::uint8_t* data, std::size_t size) {
    std::vector<DictEntry> entries;
    MainFileCheck check(config.codeSet, nullptr);
    const std::uint8_t separator = static_cast<std::uint8_t>(config.separator);
    std::size_t pos = 0;
    while (pos < size && entries.size() < config.capacity) {
        const void* lf = std::memchr(data + pos, '\n', size - pos);
        const std::size_t end = lf != nullptr ? static_cast<const std::uint8_t*>(lf) - data : size;
        const std::uint8_t* line = data + pos;
        std::size_t length = end - pos;
        pos = end + 1;
        const bool overlong = length > kModelledLineLength;
        if (config.rules == LineRules::MainFile) {
            check.Line(reinterpret_cast<const char*>(line), overlong ? kModelledLineLength : length,
                       lf != nullptr);
            if (!check.Passed()) {
                return entries;
            }
        }
        if (length > 0 && line[length - 1] == '\r') {
            --length;
        }
        DictEntry entry{};
        if (config.rules == LineRules::MainFile) {
            const void* first = std::memchr(line, separator, length);
            const std::size_t codeLength =
                first != nullptr ? static_cast<const std::uint8_t*>(first) - line : length;
            std::memcpy(entry.code, line,
                        codeLength < kMaxCodeLength ? codeLength : kMaxCodeLength);
            if (first != nullptr) {
                const std::size_t start = ModelWordStart(line, codeLength, length, separator);
                std::memcpy(entry.word, line + start,
                            WholeCharacters(line + start, length - start, kMaxWordBytes));
            }
            entries.push_back(entry);
            continue;
        }
        std::size_t start = 0;
        while (start < length && line[start] == ' ') {
            ++start;
        }
        if (overlong || start == length) {
            continue;
        }
        const void* first = std::memchr(line + start, separator, length - start);
        const std::size_t codeLength =
            first != nullptr ? static_cast<const std::uint8_t*>(first) - (line + start)
                             : length - start;
        const std::size_t wordStart =
            first != nullptr ? ModelWordStart(line, start + codeLength, length, separator) : length;
        const char* code = reinterpret_cast<const char*>(line + start);
        const char* word = reinterpret_cast<const char*>(line + wordStart);
        if (!IsUsableLine(code, codeLength, word, length - wordStart, config.separator,
                          config.codeSet)) {
            continue;
        }
        std::memcpy(entry.code, code, codeLength);
        std::memcpy(entry.word, word, length - wordStart);
        entries.push_back(entry);
    }
    return entries;
}

void CheckEntry(const DictEntry& entry) {
    Require(entry.code[kCodeFieldSize - 1] == '\0', "code NUL-terminated within its field");
    Require(strnlen(entry.code, kCodeFieldSize) <= kMaxCodeLength, "code at most 6 bytes");
    Require(entry.word[kWordFieldSize - 1] == '\0', "word NUL-terminated within its field");
    Require(strnlen(entry.word, kWordFieldSize) <= kMaxWordBytes, "word at most 99 bytes");
}

bool SameText(const DictEntry& a, const DictEntry& b) {
    return std::strncmp(a.code, b.code, kCodeFieldSize) == 0 &&
           std::strncmp(a.word, b.word, kWordFieldSize) == 0;
}

// No byte an application would take for a key, and whole characters only.
void CheckPlain(const DictEntry& entry, const Config& config) {
    Require(IsUsableEntry(entry, config.separator, config.codeSet),
            "a user word follows the rules");
    for (std::size_t i = 0; entry.word[i] != '\0'; ++i) {
        const unsigned char byte = static_cast<unsigned char>(entry.word[i]);
        Require(byte >= 0x20 && byte != 0x7F, "no control byte in a word");
    }
}

// The words read, through the writer of their file and the reader again: they all read back as
// written, in order.
void RoundTrip(const Config& config, std::size_t read) {
    bool written;
    if (config.separator == ' ') {
        written = SaveUserTable(config.codeSet, wholeTable, read);
    } else {
        const BackupResult backup =
            SaveBackupFile(backupPath.c_str(), wholeTable, read, config.codeSet);
        written = backup.written;
        Require(backup.leftOut.empty(), "a word read from a backup line fits one");
    }
    Require(written, "the words read can be written");
    char path[kPathBufferSize];
    std::memset(static_cast<void*>(readBack), 0, (read + 1) * sizeof(DictEntry));
    Require(config.separator != ' ' || UserFilePath(UserFileName(config.codeSet), path),
            "user file path");
    Require(
        ReadDictionaryLines(config.separator == ' ' ? path : backupPath.c_str(), config.separator,
                            readBack, kUserTableCapacity, config.rules, config.codeSet)
                .status == FileReadStatus::Read,
        "the file written can be read");
    for (std::size_t i = 0; i < read; ++i) {
        Require(SameText(wholeTable[i], readBack[i]), "every word reads back as written");
    }
    Require(IsEmptyEntry(readBack[read]), "no more words read back than were written");
}

void Run(const Config& config, const std::uint8_t* data, std::size_t size, std::uint64_t seed) {
    const std::size_t guard = config.capacity;

    const std::size_t read = Read(wholeTable, config, data, size, nullptr);
    Require(read <= config.capacity, "entries read within capacity");
    Require(Untouched(wholeTable[guard]), "nothing written past the capacity");
    if (read < config.capacity) {
        Require(Untouched(wholeTable[read]), "nothing written past the last entry read");
    }
    for (std::size_t i = 0; i < read; ++i) {
        CheckEntry(wholeTable[i]);
        if (config.rules == LineRules::UserWords) {
            CheckPlain(wholeTable[i], config);
        }
    }

    const std::vector<DictEntry> expected = Model(config, data, size);
    Require(read == expected.size(), "as many entries as the lines give");
    for (std::size_t i = 0; i < expected.size(); ++i) {
        Require(std::memcmp(&wholeTable[i], &expected[i], sizeof(DictEntry)) == 0,
                "entry as the line syntax gives it");
    }

    Chunks chunks{seed};
    const std::size_t readInChunks = Read(chunkedTable, config, data, size, &chunks);
    Require(readInChunks == read, "same number of entries in chunks");
    Require(std::memcmp(chunkedTable, wholeTable, read * sizeof(DictEntry)) == 0,
            "same entries in chunks");
    Require(Untouched(chunkedTable[guard]), "nothing written past the capacity in chunks");
    if (read < config.capacity) {
        Require(Untouched(chunkedTable[read]), "nothing written past the last entry in chunks");
    }

    if (config.rules == LineRules::UserWords && config.capacity == kUserTableCapacity) {
        RoundTrip(config, read);
    }

    MarkUntouched(wholeTable, read + 1);
    MarkUntouched(chunkedTable, read + 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The writers replace real files: a private directory holds them.
    static ScratchDirectory scratch;
    const std::string system = scratch.Create() ? scratch.Path("system") : std::string();
    if (system.empty() || !CopyDictionaryFiles(ZELK_SOURCE_DIR "/data", system)) {
        std::fprintf(stderr, "no working directory for the written files\n");
        std::abort();
    }
    HostSetSystemDirectory(system.c_str());
    backupPath = scratch.Path("backup") + "/words.bak";
    MarkUntouched(wholeTable, kMainTableCapacity + 1);
    MarkUntouched(chunkedTable, kMainTableCapacity + 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint64_t seed = 0x2006;
    for (std::size_t i = 0; i < size; ++i) {
        seed = (seed ^ data[i]) * 0x100000001B3ULL;
    }
    for (char separator : {'_', ' '}) {
        for (LineRules rules : {LineRules::MainFile, LineRules::UserWords}) {
            for (std::size_t capacity : {std::size_t{0}, std::size_t{1}, std::size_t{7},
                                         kUserTableCapacity, kMainTableCapacity}) {
                const std::int32_t codeSet = seed % 2 == 0 ? kCodeSetPrimary : kCodeSetSecondary;
                Run({separator, rules, capacity, codeSet}, data, size, seed);
            }
        }
    }
    return 0;
}
