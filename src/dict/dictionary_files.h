// The dictionary files of the two code sets: loading them into the tables and writing them back.
//
// Each table is read from the user's own file when there is one (data_places.h) and from the
// machine's otherwise; whatever is written goes to the user's data folder, never to the machine's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/data_places.h"
#include "dict/file_io.h"
#include "dict/line_reader.h"
#include "dict/tables.h"

// File names of a code set, the same in the machine's folder and in the user's.
const char* MainFileName(std::int32_t codeSet);
const char* UserFileName(std::int32_t codeSet);

// The largest files read: a main file that fills MainTable with the longest lines has about 7.3 MB,
// a user file that fills UserTable about 1.1 MB. Anything larger is no file of ours.
constexpr std::uint64_t kMaxMainFileBytes = 8u << 20;
constexpr std::uint64_t kMaxUserFileBytes = 2u << 20;

// Reads the dictionary files of a code set. The main table comes from the user's main file when
// it can be read, else from the machine's (LetterStart is set for the code set even when neither
// can); 0 is returned when neither can, and the user file is then not read. The user table comes
// from the user's user file, or, while the user has none, from the machine's (the words each user
// starts with); a missing one is an empty table. A user file that stands there but cannot be read
// marks the table unreadable (Tables.UserFile.Unreadable) until a load succeeds; one that is read
// is remembered for the merge of later saves. Returns 1 otherwise.
int LoadDictionaries(std::int32_t codeSet, bool loadMain, bool loadUser);

struct LinesRead {
    FileReadStatus status;
    std::uint64_t writeTime;  // of the file read (FILETIME ticks), 0 unless Read
    std::size_t entries;
};
// Reads a whole file into consecutive entries of a table (never past capacity), within the size
// bound of its kind (main or user file). Lookups read the tables through their code index:
// whoever reads into MainTable or UserTable re-indexes it afterwards (RebuildIndex), as
// LoadDictionaries does.
LinesRead ReadDictionaryLines(const char* path, char separator, DictEntry* table,
                              std::size_t capacity, LineRules rules);

// The last-write time of the user's user file of a code set (FILETIME ticks); 0 when the user has
// none.
std::uint64_t UserFileWriteTime(std::int32_t codeSet);
// Notes what the user file held at its last-write time: the words a later save merges against.
// Clears the unreadable mark.
void RememberUserFile(std::uint64_t writeTime, const DictEntry* entries, std::size_t count);

// True when a user-file line (separator ' ') or a backup line ('_') of the entry reads back as the
// same code and word: a code of 1 to 6 bytes without spaces, separators or line ends and not led
// by a control byte, a word
// without separators or LF and not ending in CR. The user and backup writers leave out any other
// entry.
bool ReadsBackWhole(const DictEntry& entry, char separator);

// Every writer below replaces its file only once the new content is completely written
// (ReplacingFile), so a failed write leaves the old file as it was.

enum class MainSaveResult {
    Saved,
    NotLoaded,     // the table came from no file: nothing is written
    NoUserFolder,  // the user's data folder cannot be had: the order is dropped
    WriteFailed,
};
// Writes MainTable to the user's main file of a code set. Tells the user when that cannot be: the
// folder is unavailable (the order is then dropped: MainTableModified is cleared) or the write
// failed ("打开文件错误!").
MainSaveResult SaveMainTable(std::int32_t codeSet);
// Writes the given user words to the user's user file of a code set. Returns false on failure.
// The caller has made the user's data folder (LookAtUserDataDirectory(true)).
bool SaveUserTable(std::int32_t codeSet, const DictEntry* entries, std::size_t count);
// Writes user words to a backup file in the main-file line syntax. Returns false on failure.
bool SaveBackupFile(const char* path, const DictEntry* entries, std::size_t count);

// The user-file form of a word: the code padded to 4 columns, 5 spaces, the word. Also the display
// form of a user word in the word-making dialog. Returns the length written (without the NUL).
std::size_t FormatUserLine(const DictEntry& entry, char* out, std::size_t size);
