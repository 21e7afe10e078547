#include "dict/tables.h"

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
