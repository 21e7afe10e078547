#include <gtest/gtest.h>

#include <set>

#include "keys/key_tables.h"

namespace {

std::set<int> Keys(std::initializer_list<std::pair<int, int>> ranges) {
    std::set<int> keys;
    for (const auto& [first, last] : ranges) {
        for (int vk = first; vk <= last; ++vk) {
            keys.insert(vk);
        }
    }
    return keys;
}

void ExpectExactly(const KeyTable& table, const std::set<int>& taken) {
    for (int vk = 0; vk < 256; ++vk) {
        EXPECT_EQ(table[static_cast<std::size_t>(vk)], taken.count(vk) != 0 ? 1 : 0)
            << "virtual key 0x" << std::hex << vk;
    }
}

TEST(KeyTablesTest, IdleTakesModifiersSpaceDigitsLettersAndPunctuation) {
    ExpectExactly(KeyTableIdle, Keys({{0x10, 0x10},
                                      {0x11, 0x11},
                                      {0x14, 0x14},
                                      {0x20, 0x20},
                                      {0x30, 0x39},
                                      {0x41, 0x5A},
                                      {0xA7, 0xA7},
                                      {0xBA, 0xC0},
                                      {0xDA, 0xDE}}));
}

TEST(KeyTablesTest, ComposingTakesTheEditingAndPagingKeysButNotCtrlOrCapsLock) {
    ExpectExactly(KeyTableComposing, Keys({{0x08, 0x08},
                                           {0x0D, 0x0D},
                                           {0x10, 0x10},
                                           {0x1B, 0x1B},
                                           {0x20, 0x20},
                                           {0x21, 0x24},
                                           {0x30, 0x39},
                                           {0x41, 0x5A},
                                           {0xA7, 0xA7},
                                           {0xBA, 0xC0},
                                           {0xDA, 0xDE}}));
    EXPECT_EQ(KeyTableComposing[0x11], 0);
    EXPECT_EQ(KeyTableComposing[0x14], 0);
}

TEST(KeyTablesTest, PrintableKeysAreDigitsAndPunctuationButNotLettersOr0xDA) {
    const std::set<int> printable =
        Keys({{0x30, 0x39}, {0xBA, 0xBF}, {0xDB, 0xDE}, {0xE2, 0xE2}, {0xC0, 0xC0}});
    for (int vk = 0; vk < 256; ++vk) {
        EXPECT_EQ(IsPrintableKey(static_cast<BYTE>(vk)), printable.count(vk) != 0)
            << "virtual key 0x" << std::hex << vk;
    }
}

}  // namespace
