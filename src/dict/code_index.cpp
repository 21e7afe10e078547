#include "dict/code_index.h"

#include <cstring>

#include "dict/tables.h"

namespace {

PackedCode userCodes[kUserTableCapacity];
WordHead userHeads[kUserTableCapacity];

PackedCode PackBytes(const char* code, unsigned length) {
    PackedCode packed = 0;
    for (unsigned i = 0; i < length; ++i) {
        packed |= static_cast<PackedCode>(static_cast<unsigned char>(code[i])) << (8 * i);
    }
    return packed;
}

}  // namespace

std::uint32_t TableGeneration;

GroupOrders MainGroupOrders;
TableIndex MainIndex;
const TableIndex UserIndex = {userCodes, userHeads};

unsigned FirstTwoBytes(const char* text) {
    const unsigned first = static_cast<unsigned char>(text[0]);
    const unsigned second = first != 0 ? static_cast<unsigned char>(text[1]) : 0;
    return first | second << 8;
}

PackedCode PackEntryCode(const DictEntry& entry) {
    const unsigned codeLength = static_cast<unsigned>(strnlen(entry.code, kMaxCodeLength));
    if (codeLength == 0) {
        return 0;
    }
    const unsigned wordLength = static_cast<unsigned>(strnlen(entry.word, kMaxWordBytes));
    return PackBytes(entry.code, codeLength) | static_cast<PackedCode>(codeLength) << 48 |
           static_cast<PackedCode>(wordLength) << 56;
}

WordHead EntryWordHead(const DictEntry& entry) {
    if (IsEmptyEntry(entry)) {
        return 0;
    }
    const unsigned wordLength = static_cast<unsigned>(strnlen(entry.word, kMaxWordBytes));
    return FirstTwoBytes(entry.word) | wordLength << 16;
}

namespace {

// A change of an entry's code voids both orders; a change of its word only its group's sorting.
void NoteMainEntryChanged(std::size_t i, bool codeChanged, bool wordChanged) {
    if (codeChanged) {
        MainGroupOrders.secondKeyStale = true;
        MainGroupOrders.wordHeadStale = true;
        return;
    }
    if (wordChanged) {
        for (int g = 0; g < kGroupCount; ++g) {
            if (static_cast<std::int32_t>(i) >= Tables.LetterStart[g] &&
                static_cast<std::int32_t>(i) < Tables.LetterStart[g + 1]) {
                MainGroupOrders.groupSorted[g] = false;
            }
        }
    }
}

}  // namespace

void IndexEntry(const TableIndex& index, const DictEntry& entry, std::size_t i) {
    const PackedCode code = PackEntryCode(entry);
    const WordHead head = EntryWordHead(entry);
    constexpr PackedCode kCodeBytes = (PackedCode{1} << 56) - 1;
    const bool codeChanged = ((index.codes[i] ^ code) & kCodeBytes) != 0;
    const bool wordChanged = index.heads[i] != head;
    // Only what changes is written: the pages of a shared image stay shared.
    if (index.codes[i] != code) {
        index.codes[i] = code;
    }
    if (wordChanged) {
        index.heads[i] = head;
    }
    ++TableGeneration;
    if (index.codes == MainIndex.codes && (codeChanged || wordChanged)) {
        NoteMainEntryChanged(i, codeChanged, wordChanged);
    }
}

void RebuildIndex(const TableIndex& index, const DictEntry* table, std::size_t capacity) {
    for (std::size_t i = 0; i < capacity; ++i) {
        IndexEntry(index, table[i], i);
    }
    if (index.codes == MainIndex.codes) {
        // The groups themselves may have moved (another code set).
        NoteMainEntryChanged(0, true, true);
    }
}

void NoteTablesReplaced() {
    ++TableGeneration;
    NoteMainEntryChanged(0, true, true);
}

void RebuildCodeIndexes() {
    RebuildIndex(MainIndex, Tables.MainTable, kMainTableCapacity);
    RebuildIndex(UserIndex, Tables.UserTable, kUserTableCapacity);
}

CodePrefix MakeCodePrefix(const char* code) {
    CodePrefix prefix;
    prefix.length = static_cast<unsigned>(strnlen(code, kMaxCodeLength));
    prefix.typed = PackBytes(code, prefix.length);
    prefix.mask = prefix.length == 0 ? 0 : ~PackedCode{0} >> (64 - 8 * prefix.length);
    return prefix;
}
