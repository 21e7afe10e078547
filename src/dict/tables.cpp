#include "dict/tables.h"

#include <cstring>

DictionaryTables Tables;

std::recursive_mutex& ProcessDataMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

void ResetTableState() {
    Tables.MainTableModified = false;
    Tables.PromotionCount = 0;
    Tables.OrderFailureTold = false;
    Tables.BadMainFileNotice = false;
    Tables.UserFile.Loaded = false;
    Tables.UserFile.Unreadable = false;
    Tables.UserFile.WriteTime = 0;
    Tables.UserFile.BaseCount = 0;
}

// The group sizes are fixed in the program: a main file must come grouped in key order with
// exactly these sizes (zelk-dict check verifies it).
const std::int32_t LetterStartPrimary[kLetterStartCount] = {
    0,     2896,  4557,  6116,  9545,  10812, 14356, 18543, 19859, 23422,
    25832, 28096, 30374, 32131, 34473, 35422, 37899, 40936, 44866, 47576,
    52008, 55299, 56624, 60738, 62974, 66898, 67433, 67433, 67433,
};
const std::int32_t LetterStartSecondary[kLetterStartCount] = {
    0,     2127,  3387,  5723,  9615,  11582, 13956, 16263, 18800, 22086,
    25431, 27246, 29092, 30942, 32758, 35026, 36615, 37281, 40788, 44592,
    46265, 49178, 52133, 54322, 56122, 58066, 59219, 60541, 61954,
};

void ClearEntries(DictEntry* entries, std::size_t count) {
    constexpr std::size_t kPageBytes = 4096;
    static const unsigned char zeros[kPageBytes] = {};
    unsigned char* bytes = reinterpret_cast<unsigned char*>(entries);
    for (std::size_t left = count * sizeof(DictEntry); left > 0;) {
        const std::size_t part = left < kPageBytes ? left : kPageBytes;
        if (std::memcmp(bytes, zeros, part) != 0) {
            std::memset(bytes, 0, part);
        }
        bytes += part;
        left -= part;
    }
}

const std::int32_t* LetterStartOf(std::int32_t codeSet) {
    return codeSet == kCodeSetPrimary ? LetterStartPrimary : LetterStartSecondary;
}

int GroupOrdinal(unsigned char key) {
    if (key >= 'a' && key <= 'z') {
        return key - 'a' + 1;
    }
    if (key == '/') {
        return 27;
    }
    if (key == ';') {
        return 28;
    }
    return 0;
}

int KeyOrdinal(unsigned char key, bool gbkMode) {
    if (gbkMode) {
        if (key == '/') {
            return 25;
        }
        if (key == ';') {
            return 16;
        }
    }
    return GroupOrdinal(key);
}
