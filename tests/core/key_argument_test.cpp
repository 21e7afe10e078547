#include <gtest/gtest.h>

#include "ime/key_argument.h"

namespace {

TEST(KeyArgumentTest, WindowsCarriesTheCharacterInBits8To15) {
    const KeyArgument a = DecodeKeyArgument(0x6141);
    EXPECT_EQ(a.virtualKey, 0x41);
    EXPECT_EQ(a.character, 'a');
    EXPECT_EQ(KeyValue(a), 0x6141u);
    EXPECT_EQ(KeyValue(DecodeKeyArgument(0x0A4A)), 0x0A4Au);  // Ctrl+J
}

TEST(KeyArgumentTest, WineCarriesItInBits16To31) {
    const KeyArgument a = DecodeKeyArgument(0x00610041);
    EXPECT_EQ(a.virtualKey, 0x41);
    EXPECT_EQ(a.character, 'a');
    // Ctrl+J in Wine's form compares like Windows' form.
    EXPECT_EQ(KeyValue(DecodeKeyArgument(0x000A004A)), 0x0A4Au);
}

TEST(KeyArgumentTest, KeysWithoutCharacterAndOddForms) {
    EXPECT_EQ(KeyValue(DecodeKeyArgument(0x21)), 0x21u);  // Page Up
    EXPECT_EQ(KeyValue(DecodeKeyArgument(0x31)), 0x31u);  // Ctrl+1
    // Bits 8-15 win when both are set.
    EXPECT_EQ(DecodeKeyArgument(0x00626141).character, 'a');
    // A wide character beyond the code page's bytes is no character.
    EXPECT_EQ(DecodeKeyArgument(0x4E2D0041).character, 0);
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
