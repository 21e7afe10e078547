#include "dict/user_file_sync.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/user_word_merge.h"
#include "platform/win32.h"

namespace {

constexpr DWORD kLockRetryMilliseconds = 20;

bool LockPath(std::int32_t codeSet, char (&path)[kPathBufferSize]) {
    if (!DictionaryFilePath(UserFileName(codeSet), path)) {
        return false;
    }
    const std::size_t used = std::strlen(path);
    const int n = std::snprintf(path + used, kPathBufferSize - used, ".lock");
    return n > 0 && static_cast<std::size_t>(n) < kPathBufferSize - used;
}

}  // namespace

UserFileLock::UserFileLock(std::int32_t codeSet, int attempts) {
    char path[kPathBufferSize];
    if (!LockPath(codeSet, path)) {
        return;
    }
    for (int attempt = 0; attempt < attempts; ++attempt) {
        HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            handle_ = handle;
            return;
        }
        if (attempt + 1 < attempts) {
            Sleep(kLockRetryMilliseconds);
        }
    }
}

UserFileLock::~UserFileLock() {
    if (handle_ != nullptr) {
        CloseHandle(static_cast<HANDLE>(handle_));
    }
}

UserSaveResult SaveUserWords(std::int32_t codeSet, const DictEntry* mine, std::size_t mineCount,
                             const DictEntry* base, std::size_t baseCount) {
    if (Tables.UserFile.Unreadable) {
        return UserSaveResult::Unreadable;
    }
    UserFileLock lock(codeSet);
    char path[kPathBufferSize];
    if (!lock.Held() || !DictionaryFilePath(UserFileName(codeSet), path)) {
        return UserSaveResult::Busy;
    }
    std::vector<DictEntry> theirs(kUserTableCapacity);
    std::size_t theirsCount = 0;
    if (ReadDictionaryLines(path, ' ', theirs.data(), theirs.size(), LineRules::UserWords)) {
        while (theirsCount < theirs.size() && !IsEmptyEntry(theirs[theirsCount])) {
            ++theirsCount;
        }
    } else if (UserFileWriteTime(codeSet) != 0) {
        // There but unreadable: writing now would drop whatever it holds.
        return UserSaveResult::Busy;
    } else {
        // Gone: nobody changed what this program read.
        theirs.assign(base, base + baseCount);
        theirsCount = baseCount;
    }
    std::vector<DictEntry> merged =
        MergeUserWords(base, baseCount, mine, mineCount, theirs.data(), theirsCount);
    std::size_t kept = 0;
    for (const DictEntry& entry : merged) {
        if (ReadsBackWhole(entry, ' ')) {
            merged[kept++] = entry;
        }
    }
    merged.resize(kept);
    if (merged.size() > kUserTableCapacity) {
        return UserSaveResult::TooMany;
    }
    if (!SaveUserTable(codeSet, merged.data(), merged.size())) {
        return UserSaveResult::WriteFailed;
    }
    std::memset(Tables.UserTable, 0, sizeof Tables.UserTable);
    if (!merged.empty()) {
        std::memcpy(Tables.UserTable, merged.data(), merged.size() * sizeof(DictEntry));
    }
    RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
    RememberUserFile(UserFileWriteTime(codeSet), merged.data(), merged.size());
    return UserSaveResult::Saved;
}

bool ReloadUserFileIfChanged(std::int32_t codeSet) {
    const UserFileRecord& record = Tables.UserFile;
    if (!record.Unreadable && record.WriteTime == 0) {
        return false;
    }
    const std::uint64_t now = UserFileWriteTime(codeSet);
    if (now == record.WriteTime || (record.Unreadable && now == 0)) {
        return false;
    }
    LoadDictionaries(codeSet, false, true);
    return true;
}
