// Arbitrary bytes as a backup file, through the restore's planner, within a bound of memory
// however long the file: at most a table's worth of words is kept, each one a word the user file
// can hold, the list's lines sorted, and every good line beyond the table counted.
//
// The planner's allocations are counted through the sanitizer's allocation hooks: their peak
// must stay under kMemoryBound whatever the input's size (before, every line of a file got an
// entry: 2 MB of line breaks took 224 MB).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <sanitizer/allocator_interface.h>

#include "dict/entry_rules.h"
#include "support/engine_fixture.h"
#include "ui/dialogs/word_dialog_rules.h"

namespace {

// A table's worth of entries and of display lines, with room to grow them.
constexpr std::size_t kMemoryBound = 8u << 20;

std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

void CountMalloc(const volatile void*, std::size_t size) {
    liveBytes += size;
    peakBytes = liveBytes > peakBytes ? liveBytes : peakBytes;
}

void CountFree(const volatile void* pointer) {
    liveBytes -= __sanitizer_get_allocated_size(const_cast<const void*>(pointer));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    __sanitizer_install_malloc_and_free_hooks(CountMalloc, CountFree);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the code set; the input is repeated to reach files longer than a
    // fuzzer's inputs usually are.
    const std::int32_t codeSet = data[0] % 2 == 0 ? kCodeSetPrimary : kCodeSetSecondary;
    const std::size_t copies = 1 + data[0] / 2;
    std::string bytes;
    for (std::size_t i = 0; i < copies; ++i) {
        bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);
    }
    const std::size_t before = liveBytes;
    peakBytes = liveBytes;
    {
        const RestorePlan plan = PlanRestore(bytes, codeSet);
        Require(plan.entries.size() <= kUserTableCapacity, "at most a table's worth of words");
        Require(plan.lines.size() == plan.entries.size(), "a line for every word");
        for (const DictEntry& entry : plan.entries) {
            Require(IsUsableEntry(entry, ' ', codeSet), "every word restored fits the user file");
        }
        for (std::size_t i = 1; i < plan.lines.size(); ++i) {
            Require(!(plan.lines[i] < plan.lines[i - 1]), "the list in its sorted order");
        }
    }
    Require(peakBytes - before < kMemoryBound, "the plan within its memory bound");
    return 0;
}
