// The two in-memory dictionary tables and the grouping of the main table by first key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

constexpr std::size_t kCodeFieldSize = 7;    // NUL-terminated, at most 6 keys
constexpr std::size_t kWordFieldSize = 100;  // NUL-terminated GBK, at most 99 bytes
constexpr std::size_t kMaxCodeLength = kCodeFieldSize - 1;
constexpr std::size_t kMaxWordBytes = kWordFieldSize - 1;

// An entry whose first code byte is NUL is empty; every scan of a table stops at the first one.
struct DictEntry {
    char code[kCodeFieldSize];
    char word[kWordFieldSize];
};
static_assert(sizeof(DictEntry) == 107, "DictEntry is 107 bytes");

// The two code sets, as the settings record's CodeSet holds them.
constexpr std::int32_t kCodeSetPrimary = 1;    // 25 keys
constexpr std::int32_t kCodeSetSecondary = 0;  // 28 keys

constexpr std::size_t kMainTableCapacity = 67434;
constexpr std::size_t kMainTableBytes = kMainTableCapacity * sizeof(DictEntry);
constexpr std::size_t kUserTableCapacity = 10000;
constexpr int kLetterStartCount = 29;

// What this process knows of the user's user file on disk: whether a load took place and whether
// it failed, when the file was last written, and the words it held then (or, while the user has
// no file of their own, the machine's words that start it). A save merges against these words,
// so that what another program added since is kept and what was deleted here stays deleted.
struct UserFileRecord {
    bool Loaded;
    // The last load could not read the file: a save would replace words it never saw.
    bool Unreadable;
    // The user file's last-write time (FILETIME ticks) at the last load or save; 0 when the user
    // had none.
    std::uint64_t WriteTime;
    std::size_t BaseCount;
    DictEntry Base[kUserTableCapacity];
};

// Which file the main table was loaded from. A table from no file (its load failed) is never
// saved: it would replace a whole dictionary with nothing.
enum class TableSource { None, User, Machine };

// A promotion as it can be made again in another copy of the same main table: the entry moved and
// the entry it was moved before. A save applies this program's promotions to the newest file, so
// that no program's save discards the order another one learned since it loaded.
struct Promotion {
    DictEntry moved;
    DictEntry before;
};
constexpr std::size_t kMaxPromotions = 256;

// The two tables of the active code set, loaded whole from its dictionary files.
// The largest main file read: one that fills MainTable with the longest lines has about 7.3 MB.
// Anything larger is no file of ours.
constexpr std::uint64_t kMaxMainFileBytes = 8u << 20;

struct DictionaryTables {
    // kMainTableCapacity entries, in the main table's block in use (main_table_block.h).
    DictEntry* MainTable;
    DictEntry UserTable[kUserTableCapacity];
    // Index k (0..27) starts the group of key ordinal k + 1; index 28 ends the last group.
    std::int32_t LetterStart[kLetterStartCount];
    // The code set the tables were last loaded for.
    std::int32_t CodeSet;
    // Set when candidate promotion moves an entry of MainTable; cleared by a load and by a save.
    bool MainTableModified;
    TableSource MainSource;
    // The last-write time of the file MainTable was loaded from or saved to (FILETIME ticks).
    std::uint64_t MainFileWriteTime;
    // The promotions since the last load or save, oldest first.
    std::size_t PromotionCount;
    Promotion Promotions[kMaxPromotions];
    // A failed save of the order has been told: later attempts fail quietly until one succeeds.
    bool OrderFailureTold;
    // A main file that does not pass was passed over: the user is told at the next activation.
    bool BadMainFileNotice;
    UserFileRecord UserFile;
};
extern DictionaryTables Tables;

// The loads and saves of the tables, and what the windows of several threads share (the status
// pictures), one at a time in a process: programs may type in more than one thread.
std::recursive_mutex& ProcessDataMutex();
using ProcessDataLock = std::lock_guard<std::recursive_mutex>;
extern const std::int32_t LetterStartPrimary[kLetterStartCount];
extern const std::int32_t LetterStartSecondary[kLetterStartCount];
// The group starts of a code set: LetterStartPrimary or LetterStartSecondary.
const std::int32_t* LetterStartOf(std::int32_t codeSet);

// The tables as they were loaded: nothing reordered since, nothing known of the user file. The
// entries and the main table's source stay (they are replaced only by a load).
void ResetTableState();

// The group of a first key in a main file: 'a'..'z' give 1..26, '/' 27, ';' 28, any other byte 0.
int GroupOrdinal(unsigned char key);
// The ordinal every scan uses: as GroupOrdinal, except that in GBK mode '/' gives 25 and ';'
// gives 16.
int KeyOrdinal(unsigned char key, bool gbkMode);

// Empties count entries, writing only the pages that hold anything: a page of the tables that was
// never written stays the one zero page every program shares.
void ClearEntries(DictEntry* entries, std::size_t count);

inline bool IsEmptyEntry(const DictEntry& entry) {
    return entry.code[0] == '\0';
}
