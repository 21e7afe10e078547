#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "keys/soft_keyboard.h"
#include "ui/status/soft_keyboard_block.h"

namespace {

std::uint16_t CodeAt(const std::vector<unsigned char>& block, int state, int key) {
    std::uint16_t code = 0;
    std::memcpy(&code, block.data() + 4 + 2 * (state * 256 + key), 2);
    return code;
}

TEST(SoftKeyboardBlock, EveryLayoutCellByCell) {
    int empties = 0;
    for (int layout = 1; layout <= kSoftKeyboardLayoutCount; ++layout) {
        std::vector<unsigned char> block(kSoftKeyboardBlockSize, 0xCC);
        ASSERT_TRUE(BuildSoftKeyboardBlock(layout, block.data(), block.size()));
        std::uint32_t count = 0;
        std::memcpy(&count, block.data(), 4);
        EXPECT_EQ(count, 2u);
        for (int state = 0; state < 2; ++state) {
            for (int key = 0; key < 256; ++key) {
                std::uint16_t expected = 0;
                for (int cell = 0; cell < kSoftKeyboardCellCount; ++cell) {
                    if (SoftKeyboardKeyOrder[cell] == key) {
                        expected = SoftKeyboardCellCode(layout, state == 1, cell);
                        EXPECT_NE(expected, 0) << layout << " cell " << cell;
                    }
                }
                empties += expected == kEmptySoftKeyboardCell;
                EXPECT_EQ(CodeAt(block, state, key), expected)
                    << "layout " << layout << " state " << state << " key " << key;
            }
        }
        EXPECT_EQ(block[kSoftKeyboardBlockSize - 1], 0);
    }
    EXPECT_GT(empties, 0);
}

TEST(SoftKeyboardBlock, KnownCellsBoundsAndPlace) {
    std::vector<unsigned char> block(kSoftKeyboardBlockSize + 4, 0xCC);
    ASSERT_TRUE(BuildSoftKeyboardBlock(1, block.data(), block.size()));
    EXPECT_EQ(CodeAt(block, 0, 'A'), 0xA3E1);  // "ａ"
    EXPECT_EQ(CodeAt(block, 1, 'A'), 0xA3C1);  // "Ａ"
    EXPECT_EQ(block[kSoftKeyboardBlockSize], 0xCC);
    ASSERT_TRUE(BuildSoftKeyboardBlock(2, block.data(), block.size()));
    EXPECT_EQ(CodeAt(block, 0, '1'), 0x2020);  // Greek has nothing on the digits
    EXPECT_EQ(CodeAt(block, 0, 0x70), 0);      // F1 is no soft-keyboard key
    for (const int layout : {0, 14, -1}) {
        EXPECT_FALSE(BuildSoftKeyboardBlock(layout, block.data(), block.size()));
    }
    EXPECT_FALSE(BuildSoftKeyboardBlock(1, block.data(), kSoftKeyboardBlockSize - 1));
    EXPECT_EQ(kSoftKeyboardBlockSize, 1032u);
    const POINT place = SoftKeyboardPosition(RECT{-1920, 0, 0, 1040}, 400, 160);
    EXPECT_EQ(place.x, -400);
    EXPECT_EQ(place.y, 1040 - 160 - 10);
}

}  // namespace
