#include "keys/key_tables.h"

namespace {

struct KeyRange {
    BYTE first;
    BYTE last;
};

template <std::size_t N>
constexpr KeyTable MakeKeyTable(const KeyRange (&ranges)[N]) {
    KeyTable table{};
    for (const KeyRange& range : ranges) {
        for (int vk = range.first; vk <= range.last; ++vk) {
            table[static_cast<std::size_t>(vk)] = 1;
        }
    }
    return table;
}

constexpr KeyRange kIdleKeyRanges[] = {
    {VK_SHIFT, VK_CONTROL},
    {VK_CAPITAL, VK_CAPITAL},
    {VK_SPACE, VK_SPACE},
    {'0', '9'},
    {'A', 'Z'},
    {0xA7, 0xA7},
    {0xBA, 0xC0},
    {0xDA, 0xDE},
};
constexpr KeyRange kComposingKeyRanges[] = {
    {VK_BACK, VK_BACK},   {VK_RETURN, VK_RETURN},
    {VK_SHIFT, VK_SHIFT}, {VK_ESCAPE, VK_ESCAPE},
    {VK_SPACE, VK_HOME},  {'0', '9'},
    {'A', 'Z'},           {0xA7, 0xA7},
    {0xBA, 0xC0},         {0xDA, 0xDE},
};
constexpr KeyRange kPrintableKeyRanges[] = {
    {'0', '9'}, {0xBA, 0xBF}, {0xDB, 0xDE}, {0xE2, 0xE2}, {0xC0, 0xC0},
};

}  // namespace

const KeyTable KeyTableIdle = MakeKeyTable(kIdleKeyRanges);
const KeyTable KeyTableComposing = MakeKeyTable(kComposingKeyRanges);

const KeyTable PrintableKeys = MakeKeyTable(kPrintableKeyRanges);
