// The input modes: process-wide, shared by every input context of the process.
#pragma once

#include <cstdint>

// Bits of ModeFlags; no other bit is ever set.
constexpr std::uint16_t ChinesePunctuation = 0x1;
constexpr std::uint16_t FullWidth = 0x2;
// What the input method starts with, and what a UI window's destruction returns to.
constexpr std::uint16_t kStartModeFlags = ChinesePunctuation;

struct ModeState {
    // English typing: only Shift and Caps Lock are taken (unless full width or Chinese
    // punctuation claim a key).
    std::int32_t EnglishMode;
    // The last key press was a digit typed while no candidates were showing, so a '.' now is a
    // decimal point and goes to the application.
    std::int32_t DigitBeforePeriod;
    // A Shift key went down and no other key has been pressed since: its release is a tap.
    std::int32_t ShiftTapPending;
    // The first pass of a clipboard command has run; the re-sent key runs the second.
    std::int32_t ClipboardCapturePending;
    // 0: no soft-keyboard layout; n: layout n (1 to 13). Layout 1 types the ordinary way.
    std::int32_t SoftKeyboardIndex;
    // Chinese punctuation and full width.
    std::uint16_t ModeFlags;
    // True while the last quote of that kind typed in Chinese punctuation was a closing one (or
    // none was typed yet), so the next one opens. Never reset while the process lives.
    std::int32_t SingleQuoteToggle;
    std::int32_t DoubleQuoteToggle;
};
extern ModeState Modes;

// The modes of a freshly started input method: Chinese typing with Chinese punctuation, half
// width, no soft keyboard, both quotes opening next.
void ResetModeState();
// The modes as a new UI window starts them; the quotes' pairing lives on with the process.
void ResetModesOfUiWindow();

inline bool IsModeOn(std::uint16_t flag) {
    return (Modes.ModeFlags & flag) != 0;
}
void SetMode(std::uint16_t flag, bool on);
void FlipMode(std::uint16_t flag);
