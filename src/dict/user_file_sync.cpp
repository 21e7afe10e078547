#include "dict/user_file_sync.h"

#include <cstring>
#include <vector>

#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/entry_rules.h"
#include "dict/user_word_merge.h"

UserSaveResult SaveUserWords(std::int32_t codeSet, const DictEntry* mine, std::size_t mineCount,
                             const DictEntry* base, std::size_t baseCount) {
    const ProcessDataLock hold(ProcessDataMutex());
    // A dialog may outlive a switch of the code set: then the tables are the other set's, and the
    // file alone is merged over.
    const bool loaded = codeSet == Tables.CodeSet;
    if (loaded && Tables.UserFile.Unreadable) {
        return UserSaveResult::Unreadable;
    }
    char path[kPathBufferSize];
    if (LookAtUserDataDirectory(true) != UserFolderState::Ready ||
        !UserFilePath(UserFileName(codeSet), path)) {
        return UserSaveResult::NoUserFolder;
    }
    FileLock lock(path);
    if (!lock.Held()) {
        return UserSaveResult::Busy;
    }
    std::vector<DictEntry> theirs(kUserTableCapacity);
    std::size_t theirsCount = 0;
    const LinesRead read =
        ReadDictionaryLines(path, ' ', theirs.data(), theirs.size(), LineRules::UserWords, codeSet);
    if (read.status == FileReadStatus::Read) {
        while (theirsCount < theirs.size() && !IsEmptyEntry(theirs[theirsCount])) {
            ++theirsCount;
        }
    } else if (read.status == FileReadStatus::Missing) {
        // Gone, or never made: nobody changed what this program read.
        theirs.assign(base, base + baseCount);
        theirsCount = baseCount;
    } else {
        // There but unreadable: writing now would drop whatever it holds.
        return UserSaveResult::Busy;
    }
    std::vector<DictEntry> merged =
        MergeUserWords(base, baseCount, mine, mineCount, theirs.data(), theirsCount);
    std::size_t kept = 0;
    for (const DictEntry& entry : merged) {
        if (IsUsableEntry(entry, ' ', codeSet)) {
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
    if (!loaded) {
        return UserSaveResult::Saved;
    }
    ClearEntries(Tables.UserTable, kUserTableCapacity);
    if (!merged.empty()) {
        std::memcpy(Tables.UserTable, merged.data(), merged.size() * sizeof(DictEntry));
    }
    RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
    RememberUserFile(UserFileWriteTime(codeSet), merged.data(), merged.size());
    return UserSaveResult::Saved;
}

bool ReloadUserFileIfChanged(std::int32_t codeSet) {
    const ProcessDataLock hold(ProcessDataMutex());
    const UserFileRecord& record = Tables.UserFile;
    if (!record.Loaded) {
        return false;
    }
    const std::uint64_t now = UserFileWriteTime(codeSet);
    if (now == record.WriteTime || (record.Unreadable && now == 0)) {
        return false;
    }
    LoadDictionaries(codeSet, false, true);
    return true;
}
