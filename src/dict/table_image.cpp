#include "dict/table_image.h"

#include <cstring>

#include "dict/entry_rules.h"

const char kTableImageMagic[8] = {'Z', 'E', 'L', 'K', 'T', 'B', 'L', 0x1A};

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;

std::uint64_t Rotate(std::uint64_t value, unsigned bits) {
    return value << bits | value >> (64 - bits);
}

std::uint64_t Word(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

constexpr std::int32_t kCapacity = static_cast<std::int32_t>(kMainTableCapacity);
constexpr PackedCode kCodeBytesMask = (PackedCode{1} << 48) - 1;

// Group g (0-based) of the code set: positions begin .. end.
struct GroupRange {
    std::int32_t begin;
    std::int32_t end;
};
GroupRange RangeOf(const std::int32_t* letterStart, int g) {
    return {letterStart[g], letterStart[g + 1]};
}

// A code of 1 to 6 keys with nothing after it, a word of 1 to 99 bytes, and the head holding the
// same length.
bool IndexPasses(PackedCode code, WordHead head) {
    const unsigned codeLength = PackedCodeLength(code);
    const unsigned wordLength = PackedWordLength(code);
    return codeLength >= 1 && codeLength <= kMaxCodeLength && wordLength >= 1 &&
           wordLength <= kMaxWordBytes && ((code & kCodeBytesMask) >> (8 * codeLength)) == 0 &&
           (head >> 16) == wordLength;
}

ImageFault CheckIndex(const MainTableBlock& block, const std::int32_t* letterStart) {
    for (int g = 0; g < kGroupCount; ++g) {
        const GroupRange range = RangeOf(letterStart, g);
        for (std::int32_t i = range.begin; i < range.end; ++i) {
            const PackedCode code = block.codes[i];
            if (!IndexPasses(code, block.heads[i]) ||
                GroupOrdinal(static_cast<unsigned char>(code & 0xFF)) != g + 1) {
                return ImageFault::Index;
            }
        }
    }
    for (std::int32_t i = letterStart[kGroupCount]; i < kCapacity; ++i) {
        if (block.codes[i] != 0 || block.heads[i] != 0) {
            return ImageFault::Index;
        }
    }
    return ImageFault::None;
}

// Starts in order and within the table.
bool InOrder(const std::int32_t* starts, std::size_t count) {
    std::int32_t previous = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (starts[i] < previous || starts[i] > kCapacity) {
            return false;
        }
        previous = starts[i];
    }
    return true;
}

bool WithinGroup(const std::int32_t* positions, std::int32_t begin, std::int32_t end,
                 GroupRange group) {
    for (std::int32_t p = begin; p < end; ++p) {
        if (positions[p] < group.begin || positions[p] >= group.end) {
            return false;
        }
    }
    return true;
}

ImageFault CheckOrders(const MainTableBlock& block, const std::int32_t* letterStart) {
    if (!InOrder(&block.bySecondKeyStart[0][0],
                 sizeof block.bySecondKeyStart / sizeof(std::int32_t)) ||
        !InOrder(block.groupStart, kGroupCount + 1)) {
        return ImageFault::Orders;
    }
    for (int g = 0; g < kGroupCount; ++g) {
        const GroupRange range = RangeOf(letterStart, g);
        const std::int32_t* row = block.bySecondKeyStart[g];
        if (!WithinGroup(block.bySecondKey, row[0], row[kSecondKeyCount], range) ||
            !WithinGroup(block.byWordHead, block.groupStart[g], block.groupStart[g + 1], range)) {
            return ImageFault::Orders;
        }
        for (std::int32_t p = block.groupStart[g] + 1; p < block.groupStart[g + 1]; ++p) {
            if (block.wordHeadKey[p] < block.wordHeadKey[p - 1]) {
                return ImageFault::Orders;
            }
        }
    }
    return ImageFault::None;
}

}  // namespace

void SourceChecksum::Mix(const unsigned char* block) {
    for (int lane = 0; lane < 4; ++lane) {
        lanes_[lane] = Rotate((lanes_[lane] ^ Word(block + 8 * lane)) * kMultiplier, 29);
    }
}

void SourceChecksum::Add(const char* bytes, std::size_t size) {
    const unsigned char* next = reinterpret_cast<const unsigned char*>(bytes);
    total_ += size;
    if (pendingBytes_ > 0) {
        const std::size_t part =
            size < kBlockBytes - pendingBytes_ ? size : kBlockBytes - pendingBytes_;
        std::memcpy(pending_ + pendingBytes_, next, part);
        pendingBytes_ += part;
        next += part;
        size -= part;
        if (pendingBytes_ < kBlockBytes) {
            return;
        }
        Mix(pending_);
        pendingBytes_ = 0;
    }
    for (; size >= kBlockBytes; size -= kBlockBytes, next += kBlockBytes) {
        Mix(next);
    }
    std::memcpy(pending_, next, size);
    pendingBytes_ = size;
}

std::uint64_t SourceChecksum::Value() const {
    SourceChecksum last = *this;
    if (last.pendingBytes_ > 0) {
        std::memset(last.pending_ + last.pendingBytes_, 0, kBlockBytes - last.pendingBytes_);
        last.Mix(last.pending_);
    }
    std::uint64_t value = total_;
    for (const std::uint64_t lane : last.lanes_) {
        value = Rotate((value ^ lane) * kMultiplier, 31);
    }
    return value ^ value >> 32;
}

TableImageHeader MakeImageHeader(const SourceFacts& source, std::int32_t codeSet) {
    TableImageHeader header{};
    std::memcpy(header.magic, kTableImageMagic, sizeof header.magic);
    header.layout = kTableImageLayout;
    header.codeSet = codeSet;
    header.capacity = static_cast<std::uint32_t>(kMainTableCapacity);
    header.entryBytes = sizeof(DictEntry);
    header.imageBytes = sizeof(TableImage);
    header.sourceBytes = source.bytes;
    header.sourceWriteTime = source.writeTime;
    header.sourceChecksum = source.checksum;
    return header;
}

ImageFault CheckTableImage(const void* bytes, std::size_t size, const SourceFacts& source,
                           std::int32_t codeSet) {
    if (bytes == nullptr || size != sizeof(TableImage)) {
        return ImageFault::Size;
    }
    const TableImage& image = *static_cast<const TableImage*>(bytes);
    const TableImageHeader& header = image.header;
    if (std::memcmp(header.magic, kTableImageMagic, sizeof header.magic) != 0) {
        return ImageFault::Format;
    }
    if (header.layout != kTableImageLayout || header.capacity != kMainTableCapacity ||
        header.entryBytes != sizeof(DictEntry) || header.imageBytes != sizeof(TableImage)) {
        return ImageFault::Layout;
    }
    if (header.codeSet != codeSet) {
        return ImageFault::CodeSet;
    }
    if (header.sourceBytes != source.bytes || header.sourceWriteTime != source.writeTime ||
        header.sourceChecksum != source.checksum) {
        return ImageFault::Source;
    }
    const std::int32_t* letterStart = LetterStartOf(codeSet);
    const ImageFault index = CheckIndex(image.block, letterStart);
    return index != ImageFault::None ? index : CheckOrders(image.block, letterStart);
}

bool ImageGroupPasses(const MainTableBlock& block, int ordinal, std::int32_t codeSet) {
    if (ordinal < 1 || ordinal > kGroupCount) {
        return false;
    }
    const GroupRange range = RangeOf(LetterStartOf(codeSet), ordinal - 1);
    for (std::int32_t i = range.begin; i < range.end; ++i) {
        const DictEntry& entry = block.entries[i];
        const PackedCode code = block.codes[i];
        const unsigned codeLength = PackedCodeLength(code);
        const unsigned wordLength = PackedWordLength(code);
        if (PackEntryCode(entry) != code || EntryWordHead(entry) != block.heads[i] ||
            entry.code[codeLength] != '\0' || entry.word[wordLength] != '\0' ||
            CheckWord(entry.word, wordLength, "_ ").fault != WordFault::None) {
            return false;
        }
        for (unsigned k = 0; k < codeLength; ++k) {
            if (!IsCodeKey(static_cast<unsigned char>(entry.code[k]), codeSet)) {
                return false;
            }
        }
    }
    return true;
}
