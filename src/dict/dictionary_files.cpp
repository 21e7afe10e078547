#include "dict/dictionary_files.h"

#include <cstdio>
#include <cstring>

#include "dict/code_index.h"
#include "dict/system_folder.h"
#include "dict/user_texts.h"
#include "platform/win32.h"
#include "dict/tables.h"

namespace {

enum class LineSyntax { MainFile, UserFile };

std::size_t FormatLine(const DictEntry& entry, LineSyntax syntax, char* out, std::size_t size) {
    int n;
    if (syntax == LineSyntax::MainFile) {
        n = std::snprintf(out, size, "%.6s_%.99s\r\n", entry.code, entry.word);
    } else {
        n = static_cast<int>(FormatUserLine(entry, out, size));
        n += std::snprintf(out + n, size - static_cast<std::size_t>(n), "\r\n");
    }
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

// Writes the lines to PATH.new next to the file, then puts it in the file's place.
bool WriteLinesSafely(const char* path, const DictEntry* entries, std::size_t count,
                      LineSyntax syntax, LineRules rules) {
    char temporary[kPathBufferSize + 4];
    if (std::snprintf(temporary, sizeof temporary, "%s.new", path) >=
        static_cast<int>(sizeof temporary)) {
        return false;
    }
    std::FILE* file = std::fopen(temporary, "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = true;
    char line[128];
    const char separator = syntax == LineSyntax::MainFile ? '_' : ' ';
    for (std::size_t i = 0; i < count && written && !IsEmptyEntry(entries[i]); ++i) {
        // A main line keeps its place whatever it holds; a user word that would read back as
        // another word (or as two lines) is not written at all.
        if (rules == LineRules::UserWords && !ReadsBackWhole(entries[i], separator)) {
            continue;
        }
        std::size_t length = FormatLine(entries[i], syntax, line, sizeof line);
        written = std::fwrite(line, 1, length, file) == length;
    }
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written ||
        !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}

}  // namespace

namespace {

// The system directory shared by both bitnesses (see system_folder.h), without a separator at the
// end.
bool SharedSystemFolder(char (&path)[kPathBufferSize]) {
    char seen[kPathBufferSize];
    const UINT length = GetSystemDirectoryA(seen, kPathBufferSize);
    BOOL underWow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &underWow64)) {
        underWow64 = FALSE;
    }
    if (length == 0 || length >= kPathBufferSize ||
        !SharedSystemDirectory(seen, underWow64 != FALSE, path, kPathBufferSize)) {
        path[0] = '\0';
        return false;
    }
    return true;
}

bool AppendToSharedSystemFolder(const char* tail, char (&path)[kPathBufferSize]) {
    if (!SharedSystemFolder(path)) {
        return false;
    }
    const std::size_t used = std::strlen(path);
    const int n = std::snprintf(path + used, kPathBufferSize - used, "%c%s", kPathSeparator, tail);
    if (n < 0 || static_cast<std::size_t>(n) >= kPathBufferSize - used) {
        path[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace

bool DictionaryDirectory(char (&path)[kPathBufferSize]) {
    const char tail[] = {'z', 'e', 'l', 'k', kPathSeparator, '\0'};
    return AppendToSharedSystemFolder(tail, path);
}

bool UserGuidePath(char (&path)[kPathBufferSize]) {
    return AppendToSharedSystemFolder(kUserGuideFileName, path);
}

bool DictionaryFilePath(const char* fileName, char (&path)[kPathBufferSize]) {
    if (!DictionaryDirectory(path)) {
        return false;
    }
    std::size_t used = std::strlen(path);
    int n = std::snprintf(path + used, kPathBufferSize - used, "%s", fileName);
    return n > 0 && static_cast<std::size_t>(n) < kPathBufferSize - used;
}

const char* MainFileName(std::int32_t codeSet) {
    return codeSet == kCodeSetPrimary ? "zelk2006.mb" : "shm28.mb";
}

const char* UserFileName(std::int32_t codeSet) {
    return codeSet == kCodeSetPrimary ? "zelk2006.emb" : "shm28.emb";
}

bool ReadDictionaryLines(const char* path, char separator, DictEntry* table, std::size_t capacity,
                         LineRules rules) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    DictionaryLineReader reader(separator, table, capacity, rules);
    static char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && reader.Feed(buffer, got)) {
    }
    reader.Finish();
    std::fclose(file);
    return true;
}

bool ReadsBackWhole(const DictEntry& entry, char separator) {
    const std::size_t codeLength = strnlen(entry.code, kCodeFieldSize);
    const unsigned char lead = static_cast<unsigned char>(entry.code[0]);
    if (codeLength == 0 || codeLength > kMaxCodeLength || lead < 0x20 || lead == 0x7F) {
        return false;
    }
    for (std::size_t i = 0; i < codeLength; ++i) {
        const char c = entry.code[i];
        if (c == ' ' || c == separator || c == '\n' || c == '\r') {
            return false;
        }
    }
    const std::size_t wordLength = strnlen(entry.word, kWordFieldSize);
    if (wordLength > kMaxWordBytes) {
        return false;
    }
    // One CR before the line end is taken for the line end's own.
    for (std::size_t i = 0; i < wordLength; ++i) {
        const char c = entry.word[i];
        if (c == separator || c == '\n' || (c == '\r' && i + 1 == wordLength)) {
            return false;
        }
    }
    return true;
}

std::uint64_t UserFileWriteTime(std::int32_t codeSet) {
    char path[kPathBufferSize];
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!DictionaryFilePath(UserFileName(codeSet), path) ||
        !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

void RememberUserFile(std::uint64_t writeTime, const DictEntry* entries, std::size_t count) {
    UserFileRecord& record = Tables.UserFile;
    record.Unreadable = false;
    record.WriteTime = writeTime;
    record.BaseCount = 0;
    for (std::size_t i = 0; i < count && record.BaseCount < kUserTableCapacity; ++i) {
        if (!IsEmptyEntry(entries[i])) {
            record.Base[record.BaseCount++] = entries[i];
        }
    }
}

int LoadDictionaries(std::int32_t codeSet, bool loadMain, bool loadUser) {
    char path[kPathBufferSize];
    if (loadMain) {
        std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
        const std::int32_t* starts =
            codeSet == kCodeSetPrimary ? LetterStartPrimary : LetterStartSecondary;
        std::memcpy(Tables.LetterStart, starts, sizeof Tables.LetterStart);
        const bool read = DictionaryFilePath(MainFileName(codeSet), path) &&
                          ReadDictionaryLines(path, '_', Tables.MainTable, kMainTableCapacity,
                                              LineRules::MainFile);
        RebuildIndex(MainIndex, Tables.MainTable, kMainTableCapacity);
        if (!read) {
            // The user file goes unread, so UserTable may still hold another code set's words.
            Tables.UserFile.Unreadable = Tables.UserFile.Unreadable || loadUser;
            return 0;
        }
    }
    if (loadUser) {
        std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
        // The time is taken before the read: a write that slips in between shows as a change at
        // the next check and is read then.
        const std::uint64_t writeTime = UserFileWriteTime(codeSet);
        const bool read = DictionaryFilePath(UserFileName(codeSet), path) &&
                          ReadDictionaryLines(path, ' ', Tables.UserTable, kUserTableCapacity,
                                              LineRules::UserWords);
        RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
        if (!read) {
            Tables.UserFile.Unreadable = true;
            return 0;
        }
        RememberUserFile(writeTime, Tables.UserTable, kUserTableCapacity);
    }
    return 1;
}

void SaveMainTable(std::int32_t codeSet) {
    char path[kPathBufferSize];
    if (!DictionaryFilePath(MainFileName(codeSet), path) ||
        !WriteLinesSafely(path, Tables.MainTable, kMainTableCapacity, LineSyntax::MainFile,
                          LineRules::MainFile)) {
        MessageBoxA(nullptr, kFileErrorText, kNoticeCaption, MB_OK);
    }
}

bool SaveUserTable(std::int32_t codeSet, const DictEntry* entries, std::size_t count) {
    char path[kPathBufferSize];
    return DictionaryFilePath(UserFileName(codeSet), path) &&
           WriteLinesSafely(path, entries, count, LineSyntax::UserFile, LineRules::UserWords);
}

bool SaveBackupFile(const char* path, const DictEntry* entries, std::size_t count) {
    return WriteLinesSafely(path, entries, count, LineSyntax::MainFile, LineRules::UserWords);
}

std::size_t FormatUserLine(const DictEntry& entry, char* out, std::size_t size) {
    int n = std::snprintf(out, size, "%-4.6s     %.99s", entry.code, entry.word);
    if (n < 0) {
        return 0;
    }
    return static_cast<std::size_t>(n) < size ? static_cast<std::size_t>(n) : size - 1;
}
