#include "common/us_keyboard.h"

namespace {

struct KeyRow {
    std::uint8_t virtualKey;
    std::uint8_t scan;
    bool extended;
    char normal;  // 0: types no character
    char shifted;
};

// Every key the notation can name. Letters are made from their virtual key.
constexpr KeyRow kKeys[] = {
    {0x08, 0x0E, false, '\b', '\b'}, {0x0D, 0x1C, false, '\r', '\r'},
    {0x10, 0x2A, false, 0, 0},       {0x11, 0x1D, false, 0, 0},
    {0x14, 0x3A, false, 0, 0},       {0x1B, 0x01, false, 0x1B, 0x1B},
    {0x20, 0x39, false, ' ', ' '},   {0x21, 0x49, true, 0, 0},
    {0x22, 0x51, true, 0, 0},        {0x23, 0x4F, true, 0, 0},
    {0x24, 0x47, true, 0, 0},        {'0', 0x0B, false, '0', ')'},
    {'1', 0x02, false, '1', '!'},    {'2', 0x03, false, '2', '@'},
    {'3', 0x04, false, '3', '#'},    {'4', 0x05, false, '4', '$'},
    {'5', 0x06, false, '5', '%'},    {'6', 0x07, false, '6', '^'},
    {'7', 0x08, false, '7', '&'},    {'8', 0x09, false, '8', '*'},
    {'9', 0x0A, false, '9', '('},    {0xBA, 0x27, false, ';', ':'},
    {0xBB, 0x0D, false, '=', '+'},   {0xBC, 0x33, false, ',', '<'},
    {0xBD, 0x0C, false, '-', '_'},   {0xBE, 0x34, false, '.', '>'},
    {0xBF, 0x35, false, '/', '?'},   {0xC0, 0x29, false, '`', '~'},
    {0xDB, 0x1A, false, '[', '{'},   {0xDC, 0x2B, false, '\\', '|'},
    {0xDD, 0x1B, false, ']', '}'},   {0xDE, 0x28, false, '\'', '"'},
};

// Scan codes of 'A'..'Z'.
constexpr std::uint8_t kLetterScans[26] = {
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C,
};

bool IsLetter(std::uint8_t vk) {
    return vk >= 'A' && vk <= 'Z';
}

const KeyRow* FindRow(std::uint8_t vk) {
    for (const KeyRow& row : kKeys) {
        if (row.virtualKey == vk) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

bool UsKeyForCharacter(char c, UsKey& key) {
    if (c >= 'a' && c <= 'z') {
        key = UsKeyForVirtualKey(static_cast<std::uint8_t>(c - 'a' + 'A'));
        return true;
    }
    if (c >= 'A' && c <= 'Z') {
        key = UsKeyForVirtualKey(static_cast<std::uint8_t>(c));
        key.shift = true;
        return true;
    }
    for (const KeyRow& row : kKeys) {
        if (row.normal == c || row.shifted == c) {
            if (c < 0x20 || c > 0x7E) {
                return false;
            }
            key = UsKey{row.virtualKey, row.scan, row.extended, row.normal != c};
            return true;
        }
    }
    return false;
}

UsKey UsKeyForVirtualKey(std::uint8_t virtualKey) {
    if (IsLetter(virtualKey)) {
        return UsKey{virtualKey, kLetterScans[virtualKey - 'A'], false, false};
    }
    const KeyRow* row = FindRow(virtualKey);
    return row != nullptr ? UsKey{row->virtualKey, row->scan, row->extended, false} : UsKey{};
}

unsigned char UsKeyCharacter(std::uint8_t virtualKey, bool shift, bool ctrl, bool capsLock) {
    if (IsLetter(virtualKey)) {
        if (ctrl) {
            return static_cast<unsigned char>(virtualKey & 0x1F);
        }
        const bool upper = shift != capsLock;
        return static_cast<unsigned char>(upper ? virtualKey : virtualKey - 'A' + 'a');
    }
    const KeyRow* row = FindRow(virtualKey);
    if (row == nullptr) {
        return 0;
    }
    if (ctrl) {
        // Of the keys that type something, only these keep a character with Ctrl.
        switch (virtualKey) {
            case 0x08:
                return 0x7F;
            case 0x0D:
                return '\n';
            case 0x1B:
                return 0x1B;
            case 0x20:
                return ' ';
            default:
                return 0;
        }
    }
    return static_cast<unsigned char>(shift ? row->shifted : row->normal);
}
