#include <gtest/gtest.h>

#include "keys/key_argument.h"

namespace {

// Each key argument decoded as Windows (bits 8-15 only) and as Wine (bits 16-31 when 8-15 are 0).
TEST(KeyArgumentTest, EachFormIsReadOnlyWhereItIsUsed) {
    const struct {
        UINT key;
        UINT windows;  // KeyValue on Windows
        UINT wine;     // KeyValue under Wine
    } rows[] = {
        {0x6141, 0x6141, 0x6141},      // 'a', Windows' form
        {0x0A4A, 0x0A4A, 0x0A4A},      // Ctrl+J, Windows' form
        {0x00610041, 0x41, 0x6141},    // 'a', Wine's form: no character on Windows
        {0x000A004A, 0x4A, 0x0A4A},    // Ctrl+J, Wine's form
        {0x21, 0x21, 0x21},            // Page Up: no character
        {0x31, 0x31, 0x31},            // Ctrl+1
        {0x00626141, 0x6141, 0x6141},  // bits 8-15 win when both are set
        {0x4E2D0041, 0x41, 0x41},      // a wide character beyond the code page's bytes
    };
    for (const auto& row : rows) {
        EXPECT_EQ(KeyValue(DecodeKeyArgument(row.key, false)), row.windows) << std::hex << row.key;
        EXPECT_EQ(KeyValue(DecodeKeyArgument(row.key, true)), row.wine) << std::hex << row.key;
    }
}

TEST(KeyArgumentTest, PressReleaseAndKeyState) {
    EXPECT_TRUE(IsKeyPress(0x001E0001));
    EXPECT_TRUE(IsKeyPress(0x401E0001));  // auto-repeat
    EXPECT_FALSE(IsKeyPress(static_cast<LPARAM>(0xC01E0001u)));
    EXPECT_TRUE(IsReleaseScan(0xC02A));
    EXPECT_FALSE(IsReleaseScan(0x402A));
    BYTE state[256] = {};
    state[VK_SHIFT] = 0x80;
    state[VK_CAPITAL] = 0x01;
    EXPECT_TRUE(IsKeyDown(state, VK_SHIFT));
    EXPECT_FALSE(IsKeyDown(state, VK_CAPITAL));  // toggled, not down
    EXPECT_FALSE(IsKeyDown(nullptr, VK_SHIFT));
}

}  // namespace
