#include "dict/learned_order.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "dict/code_index.h"
#include "dict/dictionary_files.h"
#include "dict/table_image_files.h"
#include "platform/win32.h"

namespace {

bool SameEntry(const DictEntry& a, const DictEntry& b) {
    return std::strncmp(a.code, b.code, kCodeFieldSize) == 0 &&
           std::strncmp(a.word, b.word, kWordFieldSize) == 0;
}

// The index of the entry in [begin, end), or end.
std::int32_t Find(const DictEntry* table, std::int32_t begin, std::int32_t end,
                  const DictEntry& entry) {
    for (std::int32_t i = begin; i < end; ++i) {
        if (SameEntry(table[i], entry)) {
            return i;
        }
    }
    return end;
}

// The order is dropped once the user has been told why it cannot be kept.
void Drop() {
    Tables.MainTableModified = false;
    Tables.PromotionCount = 0;
}

}  // namespace

bool RecordPromotion(const DictEntry& moved, const DictEntry& before) {
    if (Tables.PromotionCount == kMaxPromotions) {
        return false;
    }
    Tables.Promotions[Tables.PromotionCount++] = Promotion{moved, before};
    return true;
}

void ApplyPromotions(DictEntry* table, const std::int32_t* letterStart, const Promotion* promotions,
                     std::size_t count) {
    for (std::size_t p = 0; p < count; ++p) {
        const int ordinal = GroupOrdinal(static_cast<unsigned char>(promotions[p].moved.code[0]));
        if (ordinal == 0) {
            continue;
        }
        const std::int32_t begin = letterStart[ordinal - 1];
        const std::int32_t end = letterStart[ordinal];
        const std::int32_t moved = Find(table, begin, end, promotions[p].moved);
        const std::int32_t before = Find(table, begin, end, promotions[p].before);
        if (moved < end && before < moved) {
            std::rotate(table + before, table + moved, table + moved + 1);
        }
    }
}

OrderSaveResult SaveLearnedOrder(std::int32_t codeSet) {
    const ProcessDataLock hold(ProcessDataMutex());
    if (!Tables.MainTableModified) {
        return OrderSaveResult::NothingToSave;
    }
    if (Tables.MainSource == TableSource::None) {
        return OrderSaveResult::NotLoaded;
    }
    char path[kPathBufferSize];
    if (LookAtUserDataDirectory(true) != UserFolderState::Ready ||
        !UserFilePath(MainFileName(codeSet), path)) {
        Drop();
        return OrderSaveResult::NoUserFolder;
    }
    FileLock lock(path);
    if (!lock.Held()) {
        return OrderSaveResult::Busy;
    }
    const std::uint64_t now = FileWriteTime(path);
    const bool unchanged =
        Tables.MainSource == TableSource::User ? now == Tables.MainFileWriteTime : now == 0;
    if (unchanged) {
        if (!WriteMainFile(path, Tables.MainTable, codeSet)) {
            return OrderSaveResult::WriteFailed;
        }
    } else {
        // Another program saved its order since: this program's promotions go into the newest.
        auto newest = std::make_unique<DictEntry[]>(kMainTableCapacity);
        const LinesRead read = ReadDictionaryLines(path, '_', newest.get(), kMainTableCapacity,
                                                   LineRules::MainFile, codeSet);
        if (read.status == FileReadStatus::Failed) {
            return OrderSaveResult::Busy;
        }
        if (read.status == FileReadStatus::Read) {
            ApplyPromotions(newest.get(), Tables.LetterStart, Tables.Promotions,
                            Tables.PromotionCount);
        } else {
            // Gone, or no usable dictionary: this program's table is the one that passed.
            std::memcpy(newest.get(), Tables.MainTable, kMainTableBytes);
        }
        if (!WriteMainFile(path, newest.get(), codeSet)) {
            return OrderSaveResult::WriteFailed;
        }
        // The whole table changes: into the module's own block rather than a copy of every
        // page of an image.
        LeaveTableImage();
        std::memcpy(Tables.MainTable, newest.get(), kMainTableBytes);
        RebuildIndex(MainIndex, Tables.MainTable, kMainTableCapacity);
    }
    Tables.MainSource = TableSource::User;
    Tables.MainFileWriteTime = FileWriteTime(path);
    Drop();
    return OrderSaveResult::Saved;
}
