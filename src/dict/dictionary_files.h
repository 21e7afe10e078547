// The dictionary files of the two code sets: loading them into the tables and writing them back.
//
// Each table is read from the user's own file when there is one (data_places.h) and from the
// machine's otherwise; whatever is written goes to the user's data folder, never to the machine's.
// Every file read follows the rules of entry_rules.h: a main file is used only when it passes
// whole, and a user-file or backup line that breaks them is left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dict/data_places.h"
#include "dict/file_io.h"
#include "dict/line_reader.h"
#include "dict/tables.h"

// File names of a code set, the same in the machine's folder and in the user's.
const char* MainFileName(std::int32_t codeSet);
const char* UserFileName(std::int32_t codeSet);

// The largest user file read: one that fills UserTable with the longest lines has about 1.1 MB.
// Anything larger is no file of ours (the main file's limit is kMaxMainFileBytes).
constexpr std::uint64_t kMaxUserFileBytes = 2u << 20;

// Reads the dictionary files of a code set. The main table comes from the user's main file when
// it passes, else from the machine's (LetterStart is set for the code set even when neither
// does; a user's file passed over is noted in Tables.BadMainFileNotice); 0 is returned when
// neither passes, and the user file is then not read. A loaded main table has no promotions yet.
// The user table comes from the user's user file, or, while the user has none, from the
// machine's (the words each user starts with); a missing one is an empty table. A user file that
// stands there but cannot be read marks the table unreadable (Tables.UserFile.Unreadable) until a
// load succeeds; one that is read is remembered for the merge of later saves. Returns 1 otherwise.
int LoadDictionaries(std::int32_t codeSet, bool loadMain, bool loadUser);

struct LinesRead {
    // Refused also for a main file that does not pass whole.
    FileReadStatus status;
    std::uint64_t writeTime;  // of the file read (FILETIME ticks), 0 unless Read
    std::size_t entries;
    std::size_t skipped;   // user words: lines that break the rules
    std::size_t overflow;  // user words: good lines beyond the capacity
};
// Reads a whole file into consecutive entries of a table (never past capacity), within the size
// bound of its kind (main or user file), by the rules of the code set. Lookups read the tables
// through their code index: whoever reads into MainTable or UserTable re-indexes it afterwards
// (RebuildIndex), as LoadDictionaries does.
LinesRead ReadDictionaryLines(const char* path, char separator, DictEntry* table,
                              std::size_t capacity, LineRules rules, std::int32_t codeSet);

// The last-write time of the user's user file of a code set (FILETIME ticks); 0 when the user has
// none.
std::uint64_t UserFileWriteTime(std::int32_t codeSet);
// Notes what the user file held at its last-write time: the words a later save merges against.
// Clears the unreadable mark.
void RememberUserFile(std::uint64_t writeTime, const DictEntry* entries, std::size_t count);

// Reads the main file at mainPath (of that code set) into the main table and writes its table
// image beside it (table_image_files.h): what the installer does for the machine's main files.
// False when the file does not pass or the image cannot be written; the main table is then
// empty.
bool BuildTableImage(const char* mainPath, std::int32_t codeSet);

// Every writer below replaces its file only once the new content is completely written
// (ReplacingFile), so a failed write leaves the old file as it was.

// Writes a whole main table (up to its first empty entry) to the file, unless the file would not
// pass as a main file of the code set: no save leaves a main file that cannot be loaded.
bool WriteMainFile(const char* path, const DictEntry* table, std::int32_t codeSet);
// Writes the given user words to the user's user file of a code set, leaving out any that would
// not read back as themselves (IsUsableEntry). Returns false on failure. The caller has made the
// user's data folder (LookAtUserDataDirectory(true)).
bool SaveUserTable(std::int32_t codeSet, const DictEntry* entries, std::size_t count);

struct BackupResult {
    bool written;
    std::vector<DictEntry> leftOut;  // words a backup line cannot hold (a '_' in the word)
};
// Writes user words to a backup file in the main-file line syntax: every word that reads back as
// itself from such a line; the others are returned for the user to be told.
BackupResult SaveBackupFile(const char* path, const DictEntry* entries, std::size_t count,
                            std::int32_t codeSet);

// The user-file form of a word: the code padded to 4 columns, 5 spaces, the word. Also the display
// form of a user word in the word-making dialog. Returns the length written (without the NUL).
std::size_t FormatUserLine(const DictEntry& entry, char* out, std::size_t size);
