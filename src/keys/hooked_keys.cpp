#include "keys/hooked_keys.h"

#include <cstdint>

bool HookedShiftRelease(WPARAM virtualKey, LPARAM keyData, UINT& scanCode) {
    const std::uint32_t data = static_cast<std::uint32_t>(keyData);
    if (virtualKey != VK_SHIFT || (data & 0x80000000u) == 0) {
        return false;
    }
    scanCode = data >> 16;
    return true;
}
