#include "support/table_restore.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/group_index.h"
#include "dict/main_table_block.h"
#include "dict/tables.h"
#include "settings/settings.h"

namespace {

struct KeptTables {
    // The entries, their index and every order of the main table, built: a whole copy then
    // spares the first keys after it the rebuilding, most of what such a copy used to cost.
    MainTableBlock main;
    DictEntry user[kUserTableCapacity];
    PackedCode userCodes[kUserTableCapacity];
    WordHead userHeads[kUserTableCapacity];
    std::int32_t letterStart[kLetterStartCount];
    std::size_t userUsed;
    // What a load remembers of the user file (its write time and words), which a reset clears.
    UserFileRecord userFile;
};

KeptTables primary;
KeptTables secondary;
// By code set: the user files' bytes and write times (a change of the time makes a save or a key
// read the file again, so the time is put back with the bytes).
std::string userFiles[2];
struct timespec userFileTimes[2];

int held = -1;  // the code set whose kept tables are in place
std::uint32_t heldGeneration;

// A code-set switch reloads both tables, re-indexing every entry; promotion re-indexes at most
// the ten entries of a page per key, so an input would need thousands of keys to come near this.
constexpr std::uint32_t kReloadGenerations = kMainTableCapacity;

struct Counts {
    long nothing = 0;
    long moved = 0;
    long userWords = 0;
    long reloaded = 0;
    long otherCodeSet = 0;
};
Counts counts;

KeptTables& Kept(std::int32_t codeSet) {
    return codeSet == kCodeSetPrimary ? primary : secondary;
}

std::string UserWordsPath(std::int32_t codeSet) {
    char path[kPathBufferSize];
    return UserFilePath(UserFileName(codeSet), path) ? std::string(path) : std::string();
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bytes.clear();
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return true;
}

void Fail(const char* what) {
    std::fprintf(stderr, "table restore: %s\n", what);
    std::abort();
}

void RestoreUserFile(std::int32_t codeSet) {
    std::FILE* file = std::fopen(UserWordsPath(codeSet).c_str(), "wb");
    const std::string& bytes = userFiles[codeSet == kCodeSetPrimary];
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        Fail("a user file cannot be written back");
    }
    const struct timespec times[2] = {{0, UTIME_OMIT}, userFileTimes[codeSet == kCodeSetPrimary]};
    if (utimensat(AT_FDCWD, UserWordsPath(codeSet).c_str(), times, 0) != 0) {
        Fail("a user file's write time cannot be put back");
    }
}

bool SameUserFileRecord(const UserFileRecord& a, const UserFileRecord& kept) {
    return a.Unreadable == kept.Unreadable && a.WriteTime == kept.WriteTime &&
           a.BaseCount == kept.BaseCount &&
           std::memcmp(a.Base, kept.Base, kept.BaseCount * sizeof(DictEntry)) == 0;
}

// The reset cleared the record; the words are copied only when a save or a reload changed them.
void RestoreUserFileRecord(const UserFileRecord& kept) {
    UserFileRecord& record = Tables.UserFile;
    record.Unreadable = kept.Unreadable;
    record.WriteTime = kept.WriteTime;
    if (record.BaseCount != kept.BaseCount ||
        std::memcmp(record.Base, kept.Base, kept.BaseCount * sizeof(DictEntry)) != 0) {
        std::memcpy(record.Base, kept.Base, kept.BaseCount * sizeof(DictEntry));
    }
    record.BaseCount = kept.BaseCount;
}

// The orders of the block in use and of a kept one, part by part.
struct OrderPart {
    void* live;
    const void* kept;
    std::size_t size;
};
std::array<OrderPart, 5> OrderPartsOf(const MainTableBlock& kept) {
    MainTableBlock& live = MainBlockInUse();
    return {{
        {live.bySecondKey, kept.bySecondKey, sizeof kept.bySecondKey},
        {live.bySecondKeyStart, kept.bySecondKeyStart, sizeof kept.bySecondKeyStart},
        {live.byWordHead, kept.byWordHead, sizeof kept.byWordHead},
        {live.wordHeadKey, kept.wordHeadKey, sizeof kept.wordHeadKey},
        {live.groupStart, kept.groupStart, sizeof kept.groupStart},
    }};
}

// The orders in place, built afresh, against the kept ones.
void RequireKeptOrders(const MainTableBlock& kept) {
    BuildEveryMainOrder();
    for (const OrderPart& part : OrderPartsOf(kept)) {
        if (std::memcmp(part.live, part.kept, part.size) != 0) {
            Fail("the orders built from a fresh load differ from the kept ones");
        }
    }
}

// The tables in place and their kept copies, part by part: what a snapshot takes, a whole
// restore puts back and the check compares.
struct Part {
    void* live;
    void* kept;
    std::size_t size;
    const char* name;
};
constexpr std::size_t kPartCount = 7;
using Parts = std::array<Part, kPartCount>;

Parts PartsOf(KeptTables& kept) {
    return {{
        {Tables.MainTable, kept.main.entries, sizeof kept.main.entries, "MainTable"},
        {Tables.UserTable, kept.user, sizeof kept.user, "UserTable"},
        {Tables.LetterStart, kept.letterStart, sizeof kept.letterStart, "LetterStart"},
        {MainIndex.codes, kept.main.codes, sizeof kept.main.codes, "main codes"},
        {MainIndex.heads, kept.main.heads, sizeof kept.main.heads, "main word heads"},
        {UserIndex.codes, kept.userCodes, sizeof kept.userCodes, "user codes"},
        {UserIndex.heads, kept.userHeads, sizeof kept.userHeads, "user word heads"},
    }};
}

void Snapshot(KeptTables& kept) {
    BuildEveryMainOrder();
    for (const Part& part : PartsOf(kept)) {
        std::memcpy(part.kept, part.live, part.size);
    }
    for (const OrderPart& part : OrderPartsOf(kept.main)) {
        std::memcpy(const_cast<void*>(part.kept), part.live, part.size);
    }
    std::memcpy(static_cast<void*>(&kept.userFile), &Tables.UserFile, sizeof kept.userFile);
    kept.userUsed = 0;
    while (kept.userUsed < kUserTableCapacity && !IsEmptyEntry(kept.user[kept.userUsed])) {
        ++kept.userUsed;
    }
}

void CopyWhole(KeptTables& kept) {
    for (const Part& part : PartsOf(kept)) {
        std::memcpy(part.live, part.kept, part.size);
    }
    for (const OrderPart& part : OrderPartsOf(kept.main)) {
        std::memcpy(part.live, part.kept, part.size);
    }
    // The tables were copied in whole: whatever was computed from them is void, but for the
    // orders kept with them, which are complete.
    NoteTablesReplaced();
    MainGroupOrders.secondKeyStale = false;
    MainGroupOrders.wordHeadStale = false;
    for (bool& sorted : MainGroupOrders.groupSorted) {
        sorted = true;
    }
}

// Promotion only rotates entries inside a page, and a save of the user words rewrites the user
// table with mostly the same words: comparing blocks first keeps the scan near the speed of memory,
// and re-indexing just the entries put back leaves every other group's orders as they are.
void RestoreChangedEntries(DictEntry* table, const DictEntry* kept, std::size_t capacity,
                           const TableIndex& index) {
    constexpr std::size_t kBlock = 512;
    for (std::size_t start = 0; start < capacity; start += kBlock) {
        const std::size_t end = start + kBlock < capacity ? start + kBlock : capacity;
        if (std::memcmp(&table[start], &kept[start], (end - start) * sizeof(DictEntry)) == 0) {
            continue;
        }
        for (std::size_t i = start; i < end; ++i) {
            if (std::memcmp(&table[i], &kept[i], sizeof(DictEntry)) != 0) {
                table[i] = kept[i];
                IndexEntry(index, table[i], i);
            }
        }
    }
}

bool WordsAdded(const KeptTables& kept) {
    return kept.userUsed < kUserTableCapacity && !IsEmptyEntry(Tables.UserTable[kept.userUsed]);
}

// A load from the files has none of the hand-made user words, which end the kept user table.
bool HandMadeWordsGone(const KeptTables& kept) {
    return kept.userUsed > 0 && std::memcmp(&Tables.UserTable[kept.userUsed - 1],
                                            &kept.user[kept.userUsed - 1], sizeof(DictEntry)) != 0;
}

// Compares the tables in place with kept ones.
void RequireInPlace(KeptTables& kept, const char* when) {
    for (const Part& part : PartsOf(kept)) {
        if (std::memcmp(part.live, part.kept, part.size) != 0) {
            std::fprintf(stderr, "table restore: %s %s differs from the kept load\n", part.name,
                         when);
            std::abort();
        }
    }
    if (!SameUserFileRecord(Tables.UserFile, kept.userFile)) {
        std::fprintf(stderr, "table restore: the user-file record %s differs from the kept load\n",
                     when);
        std::abort();
    }
}

}  // namespace

void KeepPristineTables(std::int32_t codeSet) {
    Snapshot(Kept(codeSet));
    struct stat status;
    if (!ReadWholeFile(UserWordsPath(codeSet), userFiles[codeSet == kCodeSetPrimary]) ||
        stat(UserWordsPath(codeSet).c_str(), &status) != 0) {
        Fail("a user file cannot be read");
    }
    userFileTimes[codeSet == kCodeSetPrimary] = status.st_mtim;
    held = codeSet;
    heldGeneration = TableGeneration;
}

TablesLeft TablesLeftByLastInput() {
    return {Tables.MainTableModified, Settings.CodeSet};
}

void RestoreTables(const TablesLeft& left, std::int32_t codeSet) {
    const std::uint32_t reindexed = TableGeneration - heldGeneration;
    // A code-set switch reloads both tables; words may have been saved before or after it, to
    // either code set's file.
    const bool reloaded = held < 0 || left.codeSet != held || reindexed >= kReloadGenerations;
    // A word made on line is appended; a save merges with the file and re-indexes the whole user
    // table, and may leave out hand-made words that cannot be written.
    const bool userChanged =
        !reloaded && (WordsAdded(Kept(held)) || HandMadeWordsGone(Kept(held)) ||
                      reindexed >= kUserTableCapacity);
    if (reloaded) {
        RestoreUserFile(kCodeSetPrimary);
        RestoreUserFile(kCodeSetSecondary);
    } else if (userChanged) {
        RestoreUserFile(held);
    }

    if (reloaded || codeSet != held) {
        CopyWhole(Kept(codeSet));
        ++(reloaded ? counts.reloaded : counts.otherCodeSet);
    } else if (left.mainTableModified || userChanged) {
        if (left.mainTableModified) {
            RestoreChangedEntries(Tables.MainTable, Kept(held).main.entries, kMainTableCapacity,
                                  MainIndex);
            ++counts.moved;
        }
        if (userChanged) {
            RestoreChangedEntries(Tables.UserTable, Kept(held).user, kUserTableCapacity, UserIndex);
            ++counts.userWords;
        }
    } else {
        ++counts.nothing;
    }
    Tables.MainTableModified = false;
    RestoreUserFileRecord(Kept(codeSet).userFile);
    held = codeSet;
    heldGeneration = TableGeneration;
}

void RequireFreshTables(std::int32_t codeSet, bool (*load)(std::int32_t codeSet)) {
    for (std::int32_t set : {kCodeSetPrimary, kCodeSetSecondary}) {
        std::string bytes;
        if (!ReadWholeFile(UserWordsPath(set), bytes) ||
            bytes != userFiles[set == kCodeSetPrimary]) {
            Fail("a user file differs from the one kept");
        }
    }
    if (Tables.MainTableModified) {
        Fail("MainTableModified left set");
    }
    RequireInPlace(Kept(codeSet), "as restored");
    // The kept tables were a fresh load; a load now must still give them (now and then only, to
    // keep the check fast enough for thousands of inputs).
    static long calls = 0;
    if (calls++ % 256 == 0) {
        if (!load(codeSet)) {
            Fail("the tables cannot be loaded afresh");
        }
        RequireInPlace(Kept(codeSet), "as loaded again");
        RequireKeptOrders(Kept(codeSet).main);
        held = codeSet;
        heldGeneration = TableGeneration;
    }
}

void PrintRestoreCounts() {
    std::fprintf(stderr,
                 "table restores: %ld untouched, %ld with moved main entries, %ld with changed "
                 "user words, %ld whole after a reload, %ld whole for the other code set\n",
                 counts.nothing, counts.moved, counts.userWords, counts.reloaded,
                 counts.otherCodeSet);
}
