// Keeping the user file shared between programs: every program that has the input method loaded
// holds its own copy of the user words, so a save re-reads the file under a lock and merges, and a
// change made by another program is noticed by the file's last-write time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/tables.h"

enum class UserSaveResult {
    Saved,       // the file and UserTable hold the merged words
    Unreadable,  // the last load failed: nothing is written until a load succeeds
    Busy,        // the lock stayed taken, or the file is there but cannot be read
    TooMany,     // the merged words do not fit UserTable
    WriteFailed,
};

// Writes the user file of a code set as mine merged with what the file holds now, base being what
// mine was made from (MergeUserWords). The lock file beside the user file is held from the read to
// the replacement. On success UserTable holds the merged words (re-indexed) and they are
// remembered as the file's content; otherwise the tables and the file are as they were.
UserSaveResult SaveUserWords(std::int32_t codeSet, const DictEntry* mine, std::size_t mineCount,
                             const DictEntry* base, std::size_t baseCount);

// One look at the user file's last-write time: when it differs from the one remembered at the last
// load or save (or the last load failed), UserTable is read again. Returns true when it was.
// Nothing is read while nothing was ever loaded.
bool ReloadUserFileIfChanged(std::int32_t codeSet);

// The lock beside a user file: held by one program at a time, waited for a bounded time.
class UserFileLock {
  public:
    // Tries attempts times, a short sleep apart (the default waits about two seconds).
    explicit UserFileLock(std::int32_t codeSet, int attempts = kDefaultAttempts);
    ~UserFileLock();
    UserFileLock(const UserFileLock&) = delete;
    UserFileLock& operator=(const UserFileLock&) = delete;
    bool Held() const { return handle_ != nullptr; }

    // The lock is held only while a file of at most a megabyte is read and written: two seconds
    // of waiting means the other holder is stuck, not busy.
    static constexpr int kDefaultAttempts = 100;

  private:
    void* handle_ = nullptr;
};
