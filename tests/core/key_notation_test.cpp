#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/key_notation.h"
#include "common/us_keyboard.h"

namespace {

TEST(UsKeyboardTest, CharactersAndTheirKeys) {
    UsKey key;
    ASSERT_TRUE(UsKeyForCharacter('a', key));
    EXPECT_EQ(key.virtualKey, 'A');
    EXPECT_EQ(key.scan, 0x1E);
    EXPECT_FALSE(key.shift);
    ASSERT_TRUE(UsKeyForCharacter('Q', key));
    EXPECT_EQ(key.virtualKey, 'Q');
    EXPECT_EQ(key.scan, 0x10);
    EXPECT_TRUE(key.shift);
    ASSERT_TRUE(UsKeyForCharacter('!', key));
    EXPECT_EQ(key.virtualKey, '1');
    EXPECT_TRUE(key.shift);
    ASSERT_TRUE(UsKeyForCharacter('"', key));
    EXPECT_EQ(key.virtualKey, 0xDE);
    EXPECT_TRUE(key.shift);
    ASSERT_TRUE(UsKeyForCharacter('`', key));
    EXPECT_EQ(key.virtualKey, 0xC0);
    EXPECT_EQ(key.scan, 0x29);
    ASSERT_TRUE(UsKeyForCharacter(' ', key));
    EXPECT_EQ(key.virtualKey, 0x20);
    EXPECT_EQ(key.scan, 0x39);
    EXPECT_FALSE(UsKeyForCharacter('\t', key));
    EXPECT_FALSE(UsKeyForCharacter('\r', key));
    EXPECT_FALSE(UsKeyForCharacter(static_cast<char>(0xB0), key));
}

TEST(UsKeyboardTest, EveryPrintableCharacterComesBackFromItsKey) {
    for (int c = 0x20; c < 0x7F; ++c) {
        UsKey key;
        ASSERT_TRUE(UsKeyForCharacter(static_cast<char>(c), key)) << c;
        EXPECT_EQ(UsKeyCharacter(key.virtualKey, key.shift, false, false), c) << c;
    }
}

TEST(UsKeyboardTest, CtrlAndCapsLock) {
    EXPECT_EQ(UsKeyCharacter('J', false, true, false), 0x0A);
    EXPECT_EQ(UsKeyCharacter('M', false, true, false), 0x0D);
    EXPECT_EQ(UsKeyCharacter('1', false, true, false), 0);
    EXPECT_EQ(UsKeyCharacter(0xBE, false, true, false), 0);
    EXPECT_EQ(UsKeyCharacter(0xC0, false, true, false), 0);
    EXPECT_EQ(UsKeyCharacter(0x20, false, true, false), ' ');
    EXPECT_EQ(UsKeyCharacter('A', false, false, true), 'A');
    EXPECT_EQ(UsKeyCharacter('A', true, false, true), 'a');
    EXPECT_EQ(UsKeyCharacter('1', false, false, true), '1');  // Caps Lock leaves digits alone
    EXPECT_EQ(UsKeyCharacter(0x21, false, false, false), 0);  // Page Up
}

TEST(UsKeyboardTest, PagingKeysAreExtended) {
    EXPECT_TRUE(UsKeyForVirtualKey(0x21).extended);
    EXPECT_EQ(UsKeyForVirtualKey(0x21).scan, 0x49);
    EXPECT_EQ(UsKeyForVirtualKey(0x22).scan, 0x51);
    EXPECT_EQ(UsKeyForVirtualKey(0x10).scan, 0x2A);
    EXPECT_EQ(UsKeyForVirtualKey(0x90).virtualKey, 0);
}

std::vector<KeyToken> Parse(const std::string& text) {
    std::vector<KeyToken> tokens;
    std::string error;
    EXPECT_TRUE(ParseKeyNotation(text, tokens, error)) << error;
    return tokens;
}

TEST(KeyNotationTest, PrintableCharactersAreKeysAndLineBreaksAreIgnored) {
    const std::vector<KeyToken> tokens = Parse("aB\n;\r\n ");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[0].text, "a");
    EXPECT_EQ(tokens[0].virtualKey, 'A');
    EXPECT_FALSE(tokens[0].shift);
    EXPECT_EQ(tokens[1].virtualKey, 'B');
    EXPECT_TRUE(tokens[1].shift);
    EXPECT_EQ(tokens[2].virtualKey, 0xBA);
    EXPECT_EQ(tokens[3].virtualKey, 0x20);
}

TEST(KeyNotationTest, NamedKeys) {
    const std::vector<KeyToken> tokens =
        Parse("<Enter><Esc><BS><PgUp><PgDn><Home><End><Caps><lt><S-Space>");
    const std::vector<int> keys = {0x0D, 0x1B, 0x08, 0x21, 0x22, 0x24, 0x23, 0x14, 0xBC, 0x20};
    ASSERT_EQ(tokens.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(tokens[i].virtualKey, keys[i]) << tokens[i].text;
        EXPECT_EQ(tokens[i].kind, KeyTokenKind::Key);
        EXPECT_FALSE(tokens[i].ctrl);
    }
    EXPECT_TRUE(tokens[3].extended);
    EXPECT_EQ(tokens[8].text, "<lt>");
    EXPECT_TRUE(tokens[8].shift);
    EXPECT_TRUE(tokens[9].shift);
}

TEST(KeyNotationTest, ShiftTapsCarryTheirSidesScanCode) {
    const std::vector<KeyToken> tokens = Parse("<LShift><RShift>");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].kind, KeyTokenKind::ShiftTap);
    EXPECT_EQ(tokens[0].scan, 0x2A);
    EXPECT_FALSE(tokens[0].rightShift);
    EXPECT_EQ(tokens[1].scan, 0x36);
    EXPECT_TRUE(tokens[1].rightShift);
}

TEST(KeyNotationTest, CtrlWithAKey) {
    const std::vector<KeyToken> tokens = Parse("<C-.><C-j><C-1><C-Space><C-`><C-/><C->><C-J>");
    const std::vector<int> keys = {0xBE, 'J', '1', 0x20, 0xC0, 0xBF, 0xBE, 'J'};
    ASSERT_EQ(tokens.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(tokens[i].virtualKey, keys[i]) << tokens[i].text;
        EXPECT_TRUE(tokens[i].ctrl);
    }
    EXPECT_EQ(tokens[6].text, "<C->>");
    EXPECT_TRUE(tokens[6].shift);
    EXPECT_FALSE(tokens[1].shift);
    EXPECT_TRUE(tokens[7].shift);
}

TEST(KeyNotationTest, BadNotationIsRefused) {
    std::vector<KeyToken> tokens;
    std::string error;
    for (const char* bad : {"<Foo>", "<Enter", "a<", "<C-xy>", "<C->", "\t", "<>", "<Space>"}) {
        EXPECT_FALSE(ParseKeyNotation(bad, tokens, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

}  // namespace
