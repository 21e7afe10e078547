#include "dict/dictionary_files.h"

#include <cstdio>
#include <cstring>

#include "dict/code_index.h"
#include "dict/entry_rules.h"
#include "dict/main_table_block.h"
#include "dict/table_image_files.h"

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
// check: a file that fails it is not put in place.
template <typename Keep>
bool WriteLinesSafely(const char* path, const DictEntry* entries, std::size_t count,
                      LineSyntax syntax, Keep keep, MainFileCheck* check = nullptr) {
    ReplacingFile file(path);
    char line[128];
    for (std::size_t i = 0; i < count && file.Opened() && !IsEmptyEntry(entries[i]); ++i) {
        if (!keep(entries[i])) {
            continue;
        }
        const std::size_t length = FormatLine(entries[i], syntax, line, sizeof line);
        if (check != nullptr && length > 0) {
            check->Line(line, length - 1, true);
        }
        if (!file.Write(line, length)) {
            return false;
        }
    }
    if (check != nullptr) {
        check->Finish();
        if (!check->Passed()) {
            return false;
        }
    }
    return file.Commit();
}

// Feeds what a file holds to the line reader, and to a checksum when one is wanted.
class LineSink final : public ByteSink {
  public:
    LineSink(DictionaryLineReader& reader, SourceChecksum* checksum)
        : reader_(reader), checksum_(checksum) {}
    bool Take(const char* bytes, std::size_t size) override {
        if (checksum_ != nullptr) {
            checksum_->Add(bytes, size);
        }
        return reader_.Feed(bytes, size);
    }

  private:
    DictionaryLineReader& reader_;
    SourceChecksum* checksum_;
};

LinesRead ReadLines(const char* path, char separator, DictEntry* table, std::size_t capacity,
                    LineRules rules, std::int32_t codeSet, SourceChecksum* checksum) {
    DictionaryLineReader reader(separator, table, capacity, rules, codeSet);
    LineSink sink(reader, checksum);
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

// The user's file of that name, when their folder stands there to be read.
bool ReadableUserFilePath(const char* fileName, char (&path)[kPathBufferSize]) {
    return LookAtUserDataDirectory(false) == UserFolderState::Ready && UserFilePath(fileName, path);
}

// The own block, empty, in use.
void ClearOwnMainBlock() {
    LeaveTableImage();
    ClearEntries(Tables.MainTable, kMainTableCapacity);
}

// A main file read line by line into the own block, indexed; facts: what an image of it names.
FileReadStatus ReadMainFileLines(const char* path, std::int32_t codeSet, SourceFacts& facts) {
    ClearOwnMainBlock();
    SourceChecksum checksum;
    const LinesRead read = ReadLines(path, '_', Tables.MainTable, kMainTableCapacity,
                                     LineRules::MainFile, codeSet, &checksum);
    if (read.status != FileReadStatus::Read) {
        // What a file that did not pass left is no dictionary.
        ClearOwnMainBlock();
        return read.status;
    }
    RebuildIndex(MainIndex, Tables.MainTable, kMainTableCapacity);
    facts = SourceFacts{checksum.Bytes(), read.writeTime, checksum.Value()};
    return FileReadStatus::Read;
}

// One main file into the main table: through its image when one stands beside it for exactly
// this version of the file, else read line by line, after which the user's own file gets an
// image for the next program.
FileReadStatus LoadMainFile(const char* path, TableSource source, std::int32_t codeSet) {
    SourceFacts facts;
    FileReadStatus status = ReadSourceFacts(path, facts);
    if (status == FileReadStatus::Read && UseTableImage(path, facts, codeSet)) {
        Tables.MainFileWriteTime = facts.writeTime;
        return FileReadStatus::Read;
    }
    if (status == FileReadStatus::Missing) {
        return status;
    }
    status = ReadMainFileLines(path, codeSet, facts);
    if (status == FileReadStatus::Read) {
        Tables.MainFileWriteTime = facts.writeTime;
        if (source == TableSource::User) {
            WriteTableImage(path, facts, codeSet);
        }
    }
    return status;
}

// The user's copy first: it holds the order their choices made.
TableSource LoadMainTable(std::int32_t codeSet) {
    char path[kPathBufferSize];
    const TableSource sources[] = {TableSource::User, TableSource::Machine};
    for (const TableSource source : sources) {
        const bool found = source == TableSource::User
                               ? ReadableUserFilePath(MainFileName(codeSet), path)
                               : MachineFilePath(MainFileName(codeSet), path);
        const FileReadStatus status =
            found ? LoadMainFile(path, source, codeSet) : FileReadStatus::Missing;
        if (status == FileReadStatus::Read) {
            return source;
        }
        if (status != FileReadStatus::Missing) {
            Tables.BadMainFileNotice = true;
        }
    }
    ClearOwnMainBlock();
    RebuildIndex(MainIndex, Tables.MainTable, kMainTableCapacity);
    return TableSource::None;
}

LinesRead ReadUserFile(const char* path, std::int32_t codeSet) {
    return ReadDictionaryLines(path, ' ', Tables.UserTable, kUserTableCapacity,
                               LineRules::UserWords, codeSet);
}

// The user's own words; while they have no file, the machine's, which every user starts with.
void LoadUserTable(std::int32_t codeSet) {
    ClearEntries(Tables.UserTable, kUserTableCapacity);
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
        ClearEntries(Tables.UserTable, kUserTableCapacity);
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
    return ReadLines(path, separator, table, capacity, rules, codeSet, nullptr);
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
        std::memcpy(Tables.LetterStart, LetterStartOf(codeSet), sizeof Tables.LetterStart);
        Tables.MainTableModified = false;
        Tables.PromotionCount = 0;
        Tables.MainFileWriteTime = 0;
        Tables.MainSource = LoadMainTable(codeSet);
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

bool BuildTableImage(const char* mainPath, std::int32_t codeSet) {
    const ProcessDataLock hold(ProcessDataMutex());
    std::memcpy(Tables.LetterStart, LetterStartOf(codeSet), sizeof Tables.LetterStart);
    Tables.CodeSet = codeSet;
    Tables.MainSource = TableSource::None;
    SourceFacts facts;
    return ReadMainFileLines(mainPath, codeSet, facts) == FileReadStatus::Read &&
           WriteTableImage(mainPath, facts, codeSet);
}

bool WriteMainFile(const char* path, const DictEntry* table, std::int32_t codeSet) {
    MainFileCheck check(codeSet, nullptr);
    return WriteLinesSafely(
        path, table, kMainTableCapacity, LineSyntax::MainFile,
        [](const DictEntry&) { return true; }, &check);
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
