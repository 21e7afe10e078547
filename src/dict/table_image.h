// The table image of a main file: a header naming the file it was built from, then the main
// table's block exactly as the engine reads it (main_table_block.h), ready to be mapped.
//
// An image is data from disk like any other. It is used only when it has exactly the size of this
// layout, its header names this layout and code set, and its source is the main file as it stands
// now (size, write time and checksum); any other image is rebuilt, never used. What the block
// holds is checked before anything is read through it: every position of the orders within its
// group, every code and word length within its field (CheckTableImage, when mapped), and each
// group's entries against the main-file rules before its first use (ImageGroupPasses).
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/main_table_block.h"

// Bumped whenever MainTableBlock or the header changes.
constexpr std::uint32_t kTableImageLayout = 1;
extern const char kTableImageMagic[8];  // "ZELKTBL" and 0x1A

// What an image says of the main file it was built from.
struct SourceFacts {
    std::uint64_t bytes;
    std::uint64_t writeTime;  // FILETIME ticks
    std::uint64_t checksum;   // SourceChecksum of the bytes
};

struct TableImageHeader {
    char magic[8];
    std::uint32_t layout;
    std::int32_t codeSet;
    std::uint32_t capacity;    // kMainTableCapacity
    std::uint32_t entryBytes;  // sizeof(DictEntry)
    std::uint64_t imageBytes;  // sizeof(TableImage)
    std::uint64_t sourceBytes;
    std::uint64_t sourceWriteTime;
    std::uint64_t sourceChecksum;
};
static_assert(sizeof(TableImageHeader) == 56, "TableImageHeader is 56 bytes");

struct TableImage {
    TableImageHeader header;
    MainTableBlock block;
};
static_assert(offsetof(TableImage, block) == 56, "the block follows the header");
static_assert(sizeof(TableImage) == 8702528, "TableImage is 8702528 bytes");

// A checksum of a file's bytes, fed a chunk at a time: four 64-bit lanes of multiply and rotate,
// which keeps pace with the read (a main file is checked at every start).
class SourceChecksum {
  public:
    void Add(const char* bytes, std::size_t size);
    // Of every byte added so far.
    std::uint64_t Value() const;
    std::uint64_t Bytes() const { return total_; }

  private:
    void Mix(const unsigned char* block);

    static constexpr std::size_t kBlockBytes = 32;
    std::uint64_t lanes_[4] = {0x243F6A8885A308D3u, 0x13198A2E03707344u, 0xA4093822299F31D0u,
                               0x082EFA98EC4E6C89u};
    unsigned char pending_[kBlockBytes] = {};
    std::size_t pendingBytes_ = 0;
    std::uint64_t total_ = 0;
};

enum class ImageFault {
    None,
    Size,     // not the size of this layout
    Format,   // no table image: the magic
    Layout,   // another layout version, capacity, entry size or image size
    CodeSet,  // built for the other code set
    Source,   // built from another version of the main file
    Index,    // a code or word length outside its field, an empty entry inside a group, an entry
              // outside its group, or an entry beyond the groups
    Orders,   // a start out of order or past the table, or a position outside its group
};

// The header of an image of the block in use, built from a file with these facts.
TableImageHeader MakeImageHeader(const SourceFacts& source, std::int32_t codeSet);

// Whether bytes (size of them) are an image of the main file with these facts, for this code
// set, whose block may be read through: everything but the entries themselves is checked.
ImageFault CheckTableImage(const void* bytes, std::size_t size, const SourceFacts& source,
                           std::int32_t codeSet);

// Whether every entry of a group (ordinal 1..28) of a block that passed CheckTableImage is what a
// main-file line makes: its code keys and word pass the rules and the index holds them.
bool ImageGroupPasses(const MainTableBlock& block, int ordinal, std::int32_t codeSet);
