// A table image as anybody may have left it: the image of the shipped Primary main file with the
// input's bytes written over any part of it (header, entries, index, orders), then read the way
// the input method reads one: checked, and when it passes, put in use for lookups and
// associations of the input's codes.
//
// Checked: nothing is read outside the image (it lies in a heap block of exactly its size, which
// AddressSanitizer guards); an image passes only with its header intact; and every candidate a
// lookup offers from the main table is what a main-file line may hold, whether the image's group
// passed its check or the text was read instead.
//
// Input: patches, each a part byte (which array: header, entries, codes, word heads, second-key
// order, its starts, word-head order, its keys, group starts), a three-byte offset into that
// part (taken modulo its size), a length byte and that many bytes; a 0xFF part byte ends them.
// The bytes after it are codes to look up, separated by spaces.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/scratch_directory.h"
#include "dict/dictionary_files.h"
#include "dict/entry_rules.h"
#include "dict/main_table_block.h"
#include "dict/table_image_files.h"
#include "engine/commit.h"
#include "engine/lookup.h"
#include "ime/process_state.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/engine_fixture.h"

namespace {

struct Part {
    std::size_t offset;
    std::size_t size;
};
constexpr std::size_t kBlock = offsetof(TableImage, block);
const Part kParts[] = {
    {0, sizeof(TableImageHeader)},
    {kBlock + offsetof(MainTableBlock, entries), sizeof(MainTableBlock::entries)},
    {kBlock + offsetof(MainTableBlock, codes), sizeof(MainTableBlock::codes)},
    {kBlock + offsetof(MainTableBlock, heads), sizeof(MainTableBlock::heads)},
    {kBlock + offsetof(MainTableBlock, bySecondKey), sizeof(MainTableBlock::bySecondKey)},
    {kBlock + offsetof(MainTableBlock, bySecondKeyStart), sizeof(MainTableBlock::bySecondKeyStart)},
    {kBlock + offsetof(MainTableBlock, byWordHead), sizeof(MainTableBlock::byWordHead)},
    {kBlock + offsetof(MainTableBlock, wordHeadKey), sizeof(MainTableBlock::wordHeadKey)},
    {kBlock + offsetof(MainTableBlock, groupStart), sizeof(MainTableBlock::groupStart)},
};
constexpr std::size_t kPartCount = sizeof kParts / sizeof kParts[0];

std::string pristine;
char* image;  // exactly sizeof(TableImage) bytes on the heap
SourceFacts facts;

void Init() {
    static ScratchDirectory scratch;
    const std::string system = scratch.Create() ? scratch.Path("system") : std::string();
    if (system.empty() || !CopyDictionaryFiles(ZELK_SOURCE_DIR "/data", system)) {
        std::abort();
    }
    HostSetSystemDirectory(system.c_str());
    HostSetApplicationDataDirectory(nullptr);
    ResetProcessState();
    DecodeSettings(kInstalledDefaults, Settings);
    Settings.CodeSet = kCodeSetPrimary;
    const std::string main = system + "/zelk/" + MainFileName(kCodeSetPrimary);
    char path[kPathBufferSize];
    if (!BuildTableImage(main.c_str(), kCodeSetPrimary) ||
        ReadSourceFacts(main.c_str(), facts) != FileReadStatus::Read ||
        !TableImagePath(main.c_str(), facts.checksum, path) ||
        LoadDictionaries(kCodeSetPrimary, true, true) != 1) {
        std::fprintf(stderr, "no image of the shipped main file\n");
        std::abort();
    }
    std::FILE* file = std::fopen(path, "rb");
    pristine.resize(sizeof(TableImage));
    if (file == nullptr || std::fread(&pristine[0], 1, pristine.size(), file) != pristine.size()) {
        std::abort();
    }
    std::fclose(file);
    image = static_cast<char*>(std::malloc(sizeof(TableImage)));
    std::memcpy(image, pristine.data(), pristine.size());
}

struct Change {
    std::size_t at;
    std::size_t size;
};

// Writes the patches over the image; returns where the codes begin.
std::size_t Patch(const std::uint8_t* data, std::size_t size, std::vector<Change>& changes) {
    std::size_t position = 0;
    while (position + 5 <= size && data[position] != 0xFF) {
        const Part& part = kParts[data[position] % kPartCount];
        const std::size_t offset =
            (data[position + 1] | data[position + 2] << 8 | data[position + 3] << 16) % part.size;
        std::size_t length = data[position + 4];
        position += 5;
        length = std::min({length, size - position, part.size - offset});
        std::memcpy(image + part.offset + offset, data + position, length);
        changes.push_back({part.offset + offset, length});
        position += length;
    }
    return position < size ? position + 1 : size;
}

void Undo(const std::vector<Change>& changes) {
    for (const Change& change : changes) {
        std::memcpy(image + change.at, pristine.data() + change.at, change.size);
    }
}

// Every main-table candidate is plain GBK of a main-file word, wherever it came from.
void RequireSoundItems(const std::optional<LookupOutcome>& outcome, bool association) {
    if (!outcome) {
        return;
    }
    const char* blockStart = reinterpret_cast<const char*>(Tables.MainTable);
    const char* blockEnd = blockStart + kMainTableBytes;
    for (int k = 0; k < outcome->found.count; ++k) {
        const CandidateItem& item = outcome->found.items[k];
        const bool fromMain = item.text >= blockStart && item.text < blockEnd;
        Require(!fromMain || item.text + item.textLength <= blockEnd,
                "a candidate within the table");
        if (fromMain) {
            Require(CheckWord(item.text, item.textLength, "_ ").fault == WordFault::None,
                    association ? "an associated word as a main file holds it"
                                : "a candidate as a main file holds it");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (Init(), true);
    (void)ready;
    std::vector<Change> changes;
    const std::size_t codes = Patch(data, size, changes);
    const ImageFault fault = CheckTableImage(image, sizeof(TableImage), facts, kCodeSetPrimary);
    const bool headerIntact = std::memcmp(image, pristine.data(), sizeof(TableImageHeader)) == 0;
    Require(!changes.empty() || fault == ImageFault::None, "the pristine image passes");
    Require(headerIntact || (fault != ImageFault::None && fault != ImageFault::Index &&
                             fault != ImageFault::Orders),
            "any change of the header is refused by the header's checks");
    if (fault == ImageFault::None) {
        UseMainBlock(reinterpret_cast<TableImage*>(image)->block, true, false);
        std::string code;
        for (std::size_t at = codes; at <= size; ++at) {
            if (at == size || data[at] == ' ' || code.size() == kMaxCodeLength) {
                if (!code.empty()) {
                    const std::optional<LookupOutcome> outcome = LookupCandidates(code.c_str());
                    RequireSoundItems(outcome, false);
                    if (outcome && outcome->found.count > 0) {
                        const CandidateItem& first = outcome->found.items[0];
                        const std::string key(first.text, first.textLength);
                        RequireSoundItems(AssociationLookup(code.c_str(), key.c_str()), true);
                    }
                }
                code.clear();
            }
            if (at < size && data[at] != ' ') {
                code += static_cast<char>(data[at]);
            }
        }
    }
    Undo(changes);
    // The own block holds the text's table (loaded at the start, or again by a group that failed
    // its check): the next input starts from it.
    LeaveTableImage();
    return 0;
}
