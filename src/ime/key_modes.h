// The modes of the key entry: process-wide, shared by every input context of the process.
#pragma once

#include <cstdint>

// English typing: only Shift and Caps Lock are taken (unless full width or Chinese punctuation
// claim a key).
extern std::int32_t EnglishMode;
// The last key press was a digit typed while no candidates were showing, so a '.' now is a
// decimal point and goes to the application.
extern std::int32_t DigitBeforePeriod;
// A Shift key went down and no other key has been pressed since: its release is a tap.
extern std::int32_t ShiftTapPending;
// The first pass of a clipboard command has run; the re-sent key runs the second.
extern std::int32_t ClipboardCapturePending;
// 0: no soft-keyboard layout; n: layout n (1 to 13). Layout 1 types the ordinary way.
extern std::int32_t SoftKeyboardIndex;
