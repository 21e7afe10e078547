// The dictionary files of the two code sets: loading them into the tables and writing them back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/line_reader.h"
#include "dict/tables.h"

constexpr std::size_t kPathBufferSize = 260;

// System directory + "\zelk\"; false when it does not fit the path buffer.
bool DictionaryDirectory(char (&path)[kPathBufferSize]);
// The directory followed by a file name.
bool DictionaryFilePath(const char* fileName, char (&path)[kPathBufferSize]);

// File names of a code set.
const char* MainFileName(std::int32_t codeSet);
const char* UserFileName(std::int32_t codeSet);

// Reads the dictionary files of a code set (the main file first; LetterStart is set for the code
// set even when the main file cannot be opened). Returns 1, or 0 when a file that was to be read
// cannot be opened. A user file that cannot be read marks the table unreadable
// (Tables.UserFile.Unreadable) until a load succeeds; one that is read is remembered for the merge
// of later saves.
int LoadDictionaries(std::int32_t codeSet, bool loadMain, bool loadUser);

// Reads a whole file into consecutive entries of a table (never past capacity). Returns false
// when the file cannot be opened. Lookups read the tables through their code index: whoever reads
// into MainTable or UserTable re-indexes it afterwards (RebuildIndex), as LoadDictionaries does.
bool ReadDictionaryLines(const char* path, char separator, DictEntry* table, std::size_t capacity,
                         LineRules rules);

// The user file's last-write time (FILETIME ticks); 0 when the file cannot be seen.
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

// Every writer below replaces its file only once the new content is completely written, so a
// failed write leaves the old file as it was.

// Writes MainTable to the main file of a code set; on failure tells the user "打开文件错误!".
void SaveMainTable(std::int32_t codeSet);
// Writes the given user words to the user file of a code set. Returns false on failure.
bool SaveUserTable(std::int32_t codeSet, const DictEntry* entries, std::size_t count);
// Writes user words to a backup file in the main-file line syntax. Returns false on failure.
bool SaveBackupFile(const char* path, const DictEntry* entries, std::size_t count);

// The user-file form of a word: the code padded to 4 columns, 5 spaces, the word. Also the display
// form of a user word in the word-making dialog. Returns the length written (without the NUL).
std::size_t FormatUserLine(const DictEntry& entry, char* out, std::size_t size);
