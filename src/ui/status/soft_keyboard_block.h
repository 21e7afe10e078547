// The data block that hands a soft-keyboard layout to the system soft keyboard, and where the
// keyboard stands.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

// A 32-bit count of 2, then 256 16-bit codes for the normal state and 256 for the shifted state,
// indexed by virtual key: 1,028 bytes of data in a block of 1,032, the rest zero.
constexpr std::size_t kSoftKeyboardStateCount = 2;
constexpr std::size_t kSoftKeyboardCodesPerState = 256;
constexpr std::size_t kSoftKeyboardDataSize =
    4 + kSoftKeyboardStateCount * kSoftKeyboardCodesPerState * 2;
constexpr std::size_t kSoftKeyboardBlockSize = 1032;
static_assert(kSoftKeyboardDataSize <= kSoftKeyboardBlockSize, "the codes fit the block");

// Fills block with layout n (1..13): each key of `SoftKeyboardKeyOrder` gets its cell as lead
// byte * 256 + trail byte (an empty cell 0x2020), every other code 0. False, with the block
// untouched, for a layout out of range or a block smaller than kSoftKeyboardBlockSize.
bool BuildSoftKeyboardBlock(int layout, unsigned char* block, std::size_t blockSize);

// The soft keyboard's place: at the work area's right edge, 10 pixels above its bottom.
POINT SoftKeyboardPosition(const RECT& workArea, std::int32_t width, std::int32_t height);
