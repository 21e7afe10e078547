#include "dict/char_codes.h"

#include <cstring>

#include "dict/tables.h"

namespace {

const CharCodeRecord* FindCharacter(const char* character) {
    const unsigned char lead = static_cast<unsigned char>(character[0]);
    const unsigned char trail = lead != 0 ? static_cast<unsigned char>(character[1]) : 0;
    // The GB2312 block is searched first: it holds the common characters.
    for (std::size_t i = 0; i < kGb2312Count; ++i) {
        const CharCodeRecord& r = Gb2312Codes[i];
        if (r.character[0] == lead && r.character[1] == trail) {
            return &r;
        }
    }
    for (std::size_t i = 0; i < kGbkExtensionCount; ++i) {
        const CharCodeRecord& r = GbkExtensionCodes[i];
        if (r.character[0] == lead && r.character[1] == trail) {
            return &r;
        }
    }
    return nullptr;
}

int CopyCode(const CharCodeRecord* record, const char* (*column)(const CharCodeRecord&),
             char* code) {
    std::memset(code, 0, kCharCodeBufferSize);
    if (record == nullptr) {
        return 0;
    }
    std::memcpy(code, column(*record), kCharCodeBufferSize - 1);  // the column is NUL-filled
    return 1;
}

const char* PrimaryColumn(const CharCodeRecord& r) {
    return r.primary;
}
const char* SecondaryColumn(const CharCodeRecord& r) {
    return r.secondary;
}

int LookupIn(int codeSet, const char* character, char* code) {
    return codeSet == kCodeSetPrimary ? LookupCharCode25(character, code)
                                      : LookupCharCode28(character, code);
}

bool SameEntry(const DictEntry& entry, const char* code, const char* word) {
    // The entries may come from an image: no field is read past its end.
    return std::strncmp(entry.code, code, kCodeFieldSize) == 0 &&
           std::strncmp(entry.word, word, kWordFieldSize) == 0;
}

}  // namespace

int LookupCharCode25(const char* character, char* code) {
    return CopyCode(FindCharacter(character), PrimaryColumn, code);
}

int LookupCharCode28(const char* character, char* code) {
    return CopyCode(FindCharacter(character), SecondaryColumn, code);
}

int LookupCharCode(int codeSet, const char* character, char* code) {
    return LookupIn(codeSet, character, code);
}

void DeriveWordCode(int codeSet, const char* word, char* code) {
    std::memset(code, 0, kCharCodeBufferSize);
    const std::size_t length = std::strlen(word);
    if (length == 0) {
        return;
    }
    // Which character (by byte offset) gives how many of its first keys, in code order.
    struct Take {
        std::size_t offset;
        int keys;
    };
    Take takes[4];
    int takeCount;
    if (length == 2) {
        takes[0] = {0, 4};
        takeCount = 1;
    } else if (length == 4) {
        takes[0] = {0, 2};
        takes[1] = {2, 2};
        takeCount = 2;
    } else if (length == 6) {
        takes[0] = {0, 1};
        takes[1] = {2, 1};
        takes[2] = {4, 2};
        takeCount = 3;
    } else {
        takes[0] = {0, 1};
        takes[1] = {2, 1};
        takes[2] = {4, 1};
        takes[3] = {length >= 2 ? length - 2 : 0, 1};
        takeCount = 4;
    }
    int position = 0;
    for (int t = 0; t < takeCount; ++t) {
        // Bytes past the end of a short word read as 0 and match no character.
        char character[2] = {0, 0};
        for (std::size_t b = 0; b < 2; ++b) {
            if (takes[t].offset + b < length) {
                character[b] = word[takes[t].offset + b];
            }
        }
        char keys[kCharCodeBufferSize];
        if (!LookupIn(codeSet, character, keys)) {
            return;  // the code ends at the first position left unfilled
        }
        for (int k = 0; k < takes[t].keys && keys[k] != '\0' && position < 4; ++k) {
            code[position++] = keys[k];
        }
    }
}

int WordExists(const char* code, const char* word, bool gbkMode) {
    const int ordinal = KeyOrdinal(static_cast<unsigned char>(code[0]), gbkMode);
    if (ordinal == 0) {
        return 0;
    }
    for (std::int32_t i = Tables.LetterStart[ordinal - 1]; i < Tables.LetterStart[ordinal]; ++i) {
        if (i < 0 || static_cast<std::size_t>(i) >= kMainTableCapacity ||
            IsEmptyEntry(Tables.MainTable[i])) {
            break;
        }
        if (SameEntry(Tables.MainTable[i], code, word)) {
            return 1;
        }
    }
    for (std::size_t i = 0; i < kUserTableCapacity && !IsEmptyEntry(Tables.UserTable[i]); ++i) {
        if (SameEntry(Tables.UserTable[i], code, word)) {
            return 1;
        }
    }
    return 0;
}
