#include "dict/dictionary_files.h"

#include <cstdio>
#include <cstring>

#include "dict/code_index.h"
#include "dict/user_texts.h"
#include "platform/win32.h"

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

// Writes the lines in place of the file at path, whole or not at all.
bool WriteLinesSafely(const char* path, const DictEntry* entries, std::size_t count,
                      LineSyntax syntax, LineRules rules) {
    ReplacingFile file(path);
    char line[128];
    const char separator = syntax == LineSyntax::MainFile ? '_' : ' ';
    for (std::size_t i = 0; i < count && file.Opened() && !IsEmptyEntry(entries[i]); ++i) {
        // A main line keeps its place whatever it holds; a user word that would read back as
        // another word (or as two lines) is not written at all.
        if (rules == LineRules::UserWords && !ReadsBackWhole(entries[i], separator)) {
            continue;
        }
        const std::size_t length = FormatLine(entries[i], syntax, line, sizeof line);
        if (!file.Write(line, length)) {
            return false;
        }
    }
    return file.Commit();
}

// Feeds what a file holds to the line reader.
class LineSink final : public ByteSink {
  public:
    explicit LineSink(DictionaryLineReader& reader) : reader_(reader) {}
    bool Take(const char* bytes, std::size_t size) override { return reader_.Feed(bytes, size); }

  private:
    DictionaryLineReader& reader_;
};

// The user's file of that name, when their folder stands there to be read.
bool ReadableUserFilePath(const char* fileName, char (&path)[kPathBufferSize]) {
    return LookAtUserDataDirectory(false) == UserFolderState::Ready && UserFilePath(fileName, path);
}

bool ReadMainFile(const char* path) {
    return ReadDictionaryLines(path, '_', Tables.MainTable, kMainTableCapacity, LineRules::MainFile)
               .status == FileReadStatus::Read;
}

// The user's copy first: it holds the order their choices made.
TableSource LoadMainTable(std::int32_t codeSet) {
    char path[kPathBufferSize];
    if (ReadableUserFilePath(MainFileName(codeSet), path) && ReadMainFile(path)) {
        return TableSource::User;
    }
    // What a failed read left is no dictionary.
    std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
    if (MachineFilePath(MainFileName(codeSet), path) && ReadMainFile(path)) {
        return TableSource::Machine;
    }
    std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
    return TableSource::None;
}

LinesRead ReadUserFile(const char* path) {
    return ReadDictionaryLines(path, ' ', Tables.UserTable, kUserTableCapacity,
                               LineRules::UserWords);
}

// The user's own words; while they have no file, the machine's, which every user starts with.
void LoadUserTable(std::int32_t codeSet) {
    std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
    char path[kPathBufferSize];
    LinesRead read{FileReadStatus::Missing, 0, 0};
    if (ReadableUserFilePath(UserFileName(codeSet), path)) {
        read = ReadUserFile(path);
    }
    const std::uint64_t writeTime = read.writeTime;
    if (read.status == FileReadStatus::Missing && MachineFilePath(UserFileName(codeSet), path)) {
        read = ReadUserFile(path);
    }
    RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
    Tables.UserFile.Loaded = true;
    if (read.status == FileReadStatus::Read || read.status == FileReadStatus::Missing) {
        RememberUserFile(writeTime, Tables.UserTable, kUserTableCapacity);
    } else {
        Tables.UserFile.Unreadable = true;
    }
}

}  // namespace

const char* MainFileName(std::int32_t codeSet) {
    return codeSet == kCodeSetPrimary ? "zelk2006.mb" : "shm28.mb";
}

const char* UserFileName(std::int32_t codeSet) {
    return codeSet == kCodeSetPrimary ? "zelk2006.emb" : "shm28.emb";
}

LinesRead ReadDictionaryLines(const char* path, char separator, DictEntry* table,
                              std::size_t capacity, LineRules rules) {
    DictionaryLineReader reader(separator, table, capacity, rules);
    LineSink sink(reader);
    LinesRead read;
    read.status =
        ReadFileInto(path, rules == LineRules::MainFile ? kMaxMainFileBytes : kMaxUserFileBytes,
                     sink, &read.writeTime);
    reader.Finish();
    read.entries = reader.EntriesRead();
    return read;
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
    return ReadableUserFilePath(UserFileName(codeSet), path) ? FileWriteTime(path) : 0;
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
    if (loadMain) {
        std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
        const std::int32_t* starts =
            codeSet == kCodeSetPrimary ? LetterStartPrimary : LetterStartSecondary;
        std::memcpy(Tables.LetterStart, starts, sizeof Tables.LetterStart);
        Tables.MainSource = LoadMainTable(codeSet);
        RebuildIndex(MainIndex, Tables.MainTable, kMainTableCapacity);
        if (Tables.MainSource == TableSource::None) {
            // The user file goes unread, so UserTable may still hold another code set's words.
            Tables.UserFile.Unreadable = Tables.UserFile.Unreadable || loadUser;
            return 0;
        }
    }
    if (loadUser) {
        LoadUserTable(codeSet);
    }
    return 1;
}

MainSaveResult SaveMainTable(std::int32_t codeSet) {
    if (Tables.MainSource == TableSource::None) {
        return MainSaveResult::NotLoaded;
    }
    if (LookAtUserDataDirectory(true) != UserFolderState::Ready) {
        MessageBoxA(nullptr, kUserFolderOrderText, kNoticeCaption, MB_OK);
        Tables.MainTableModified = false;
        return MainSaveResult::NoUserFolder;
    }
    char path[kPathBufferSize];
    if (!UserFilePath(MainFileName(codeSet), path) ||
        !WriteLinesSafely(path, Tables.MainTable, kMainTableCapacity, LineSyntax::MainFile,
                          LineRules::MainFile)) {
        MessageBoxA(nullptr, kFileErrorText, kNoticeCaption, MB_OK);
        return MainSaveResult::WriteFailed;
    }
    Tables.MainSource = TableSource::User;
    return MainSaveResult::Saved;
}

bool SaveUserTable(std::int32_t codeSet, const DictEntry* entries, std::size_t count) {
    char path[kPathBufferSize];
    return UserFilePath(UserFileName(codeSet), path) &&
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
