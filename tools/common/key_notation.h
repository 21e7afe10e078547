// The key notation of zelk-type: every printable ASCII character stands for its key (with Shift
// where a US keyboard needs it), and '<' starts a named key up to '>': <Enter> <Esc> <BS> <PgUp>
// <PgDn> <Home> <End>, the taps <LShift> <RShift>, <Caps>, <C-x> (Ctrl with the key of x, or
// <C-Space>), <S-Space>, and <lt> for '<'. Line breaks are ignored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class KeyTokenKind {
    Key,       // the key pressed and released, with its modifiers held around it
    ShiftTap,  // a Shift key pressed and released alone
};

struct KeyToken {
    std::string text;  // as written
    KeyTokenKind kind;
    std::uint8_t virtualKey;  // the key (VK_SHIFT for a tap)
    std::uint8_t scan;
    bool extended;
    bool shift;       // held with Shift (a tap: false)
    bool ctrl;        // held with Ctrl
    bool rightShift;  // the Shift key used is the right one
};

// False, with a message in error, for text that is not valid notation.
bool ParseKeyNotation(std::string_view text, std::vector<KeyToken>& tokens, std::string& error);
