#include "ui/status/soft_keyboard_block.h"

#include <cstring>

#include "keys/soft_keyboard.h"

namespace {

// The block is read by the system as its own structure, so values go in the machine's order.
void PutCode(unsigned char* block, std::size_t state, std::size_t key, WORD code) {
    const std::size_t offset = 4 + 2 * (state * kSoftKeyboardCodesPerState + key);
    std::memcpy(block + offset, &code, sizeof code);
}

}  // namespace

bool BuildSoftKeyboardBlock(int layout, unsigned char* block, std::size_t blockSize) {
    if (layout < 1 || layout > kSoftKeyboardLayoutCount || block == nullptr ||
        blockSize < kSoftKeyboardBlockSize) {
        return false;
    }
    std::memset(block, 0, kSoftKeyboardBlockSize);
    const std::uint32_t count = kSoftKeyboardStateCount;
    std::memcpy(block, &count, sizeof count);
    for (int cell = 0; cell < kSoftKeyboardCellCount; ++cell) {
        const std::size_t key = SoftKeyboardKeyOrder[cell];
        PutCode(block, 0, key, SoftKeyboardCellCode(layout, false, cell));
        PutCode(block, 1, key, SoftKeyboardCellCode(layout, true, cell));
    }
    return true;
}

POINT SoftKeyboardPosition(const RECT& workArea, std::int32_t width, std::int32_t height) {
    return POINT{workArea.right - width, workArea.bottom - height - 10};
}
