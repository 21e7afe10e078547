#include "dict/dictionary_files.h"

#include <cstdio>
#include <cstring>

#include "dict/code_index.h"
#include "dict/entry_rules.h"

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

// Writes the lines in place of the file at path, whole or not at all. keep: which entries go in
// (null: every one up to the first empty entry, whatever it holds: a main line keeps its place).
template <typename Keep>
bool WriteLinesSafely(const char* path, const DictEntry* entries, std::size_t count,
                      LineSyntax syntax, Keep keep) {
    ReplacingFile file(path);
    char line[128];
    for (std::size_t i = 0; i < count && file.Opened() && !IsEmptyEntry(entries[i]); ++i) {
        if (!keep(entries[i])) {
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

LinesRead ReadMainFile(const char* path, std::int32_t codeSet) {
    return ReadDictionaryLines(path, '_', Tables.MainTable, kMainTableCapacity, LineRules::MainFile,
                               codeSet);
}

// The user's copy first: it holds the order their choices made.
TableSource LoadMainTable(std::int32_t codeSet) {
    char path[kPathBufferSize];
    const TableSource sources[] = {TableSource::User, TableSource::Machine};
    for (const TableSource source : sources) {
        const bool found = source == TableSource::User
                               ? ReadableUserFilePath(MainFileName(codeSet), path)
                               : MachineFilePath(MainFileName(codeSet), path);
        const LinesRead read =
            found ? ReadMainFile(path, codeSet) : LinesRead{FileReadStatus::Missing, 0, 0, 0, 0};
        if (read.status == FileReadStatus::Read) {
            Tables.MainFileWriteTime = read.writeTime;
            return source;
        }
        // What a file that did not pass left is no dictionary.
        std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
        if (read.status != FileReadStatus::Missing) {
            Tables.BadMainFileNotice = true;
        }
    }
    return TableSource::None;
}

LinesRead ReadUserFile(const char* path, std::int32_t codeSet) {
    return ReadDictionaryLines(path, ' ', Tables.UserTable, kUserTableCapacity,
                               LineRules::UserWords, codeSet);
}

// The user's own words; while they have no file, the machine's, which every user starts with.
void LoadUserTable(std::int32_t codeSet) {
    std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
    char path[kPathBufferSize];
    LinesRead read{FileReadStatus::Missing, 0, 0, 0, 0};
    if (ReadableUserFilePath(UserFileName(codeSet), path)) {
        read = ReadUserFile(path, codeSet);
    }
    const std::uint64_t writeTime = read.writeTime;
    if (read.status == FileReadStatus::Missing && MachineFilePath(UserFileName(codeSet), path)) {
        read = ReadUserFile(path, codeSet);
    }
    RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
    Tables.UserFile.Loaded = true;
    if (read.status == FileReadStatus::Read || read.status == FileReadStatus::Missing) {
        RememberUserFile(writeTime, Tables.UserTable, kUserTableCapacity);
    } else {
        // A part read is no account of the file: a save would drop what went unread.
        std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
        RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
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
                              std::size_t capacity, LineRules rules, std::int32_t codeSet) {
    DictionaryLineReader reader(separator, table, capacity, rules, codeSet);
    LineSink sink(reader);
    LinesRead read{FileReadStatus::Missing, 0, 0, 0, 0};
    read.status =
        ReadFileInto(path, rules == LineRules::MainFile ? kMaxMainFileBytes : kMaxUserFileBytes,
                     sink, &read.writeTime);
    reader.Finish();
    if (read.status == FileReadStatus::Read && rules == LineRules::MainFile && !reader.Passed()) {
        read.status = FileReadStatus::Refused;
        read.writeTime = 0;
    }
    read.entries = reader.EntriesRead();
    read.skipped = reader.Skipped();
    read.overflow = reader.Overflow();
    return read;
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
    const ProcessDataLock hold(ProcessDataMutex());
    Tables.CodeSet = codeSet;
    if (loadMain) {
        std::memset(Tables.MainTable, 0, sizeof Tables.MainTable);
        const std::int32_t* starts =
            codeSet == kCodeSetPrimary ? LetterStartPrimary : LetterStartSecondary;
        std::memcpy(Tables.LetterStart, starts, sizeof Tables.LetterStart);
        Tables.MainTableModified = false;
        Tables.PromotionCount = 0;
        Tables.MainFileWriteTime = 0;
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

bool WriteMainFile(const char* path, const DictEntry* table) {
    return WriteLinesSafely(path, table, kMainTableCapacity, LineSyntax::MainFile,
                            [](const DictEntry&) { return true; });
}

bool SaveUserTable(std::int32_t codeSet, const DictEntry* entries, std::size_t count) {
    char path[kPathBufferSize];
    return UserFilePath(UserFileName(codeSet), path) &&
           WriteLinesSafely(
               path, entries, count, LineSyntax::UserFile,
               [codeSet](const DictEntry& entry) { return IsUsableEntry(entry, ' ', codeSet); });
}

BackupResult SaveBackupFile(const char* path, const DictEntry* entries, std::size_t count,
                            std::int32_t codeSet) {
    BackupResult result{false, {}};
    result.written = WriteLinesSafely(path, entries, count, LineSyntax::MainFile,
                                      [codeSet, &result](const DictEntry& entry) {
                                          const bool usable = IsUsableEntry(entry, '_', codeSet);
                                          if (!usable) {
                                              result.leftOut.push_back(entry);
                                          }
                                          return usable;
                                      });
    return result;
}

std::size_t FormatUserLine(const DictEntry& entry, char* out, std::size_t size) {
    int n = std::snprintf(out, size, "%-4.6s     %.99s", entry.code, entry.word);
    if (n < 0) {
        return 0;
    }
    return static_cast<std::size_t>(n) < size ? static_cast<std::size_t>(n) : size - 1;
}
