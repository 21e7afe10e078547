// The decisions of the key entry as plain functions of plain facts: whether a key is taken, which
// way a taken key goes, and what Shift taps and Caps Lock do to English typing. The entry points
// (key_entry.h) read the facts, call these and carry out the answer.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Hardware scan codes of the Shift keys; a release adds bit 15 and the previous-state bit 14.
constexpr UINT kLeftShiftScan = 0x2A;
constexpr UINT kRightShiftScan = 0x36;
constexpr UINT kReleaseScanBits = 0xC000;

// The key event as ImeProcessKey sees it.
struct KeyEventFacts {
    BYTE virtualKey;
    bool press;
    bool ctrl;   // Ctrl down
    bool shift;  // Shift down
};

// What Ctrl and Shift decide first; these act also while the context is closed.
enum class ShortcutAction {
    None,                // the decision goes on
    ToApplication,       // answer 0: Ctrl+letter shortcuts, Ctrl+Shift, a soft keyboard's modifiers
    StopWordCollection,  // Ctrl+Space: answer 0
    FlipPunctuation,     // Ctrl+'.': drop the code, answer 0 (the key also reaches the application)
    FlipFullWidth,       // Shift+Space: cancel the composition, end the Shift tap, go on
    EndShiftTap,         // any other key pressed with Shift down: go on
};
ShortcutAction DecideShortcut(const KeyEventFacts& event, int softKeyboardIndex);

// The state ImeProcessKey reads, after the shortcut acted, to decide whether a key is taken.
struct TakeFacts {
    BYTE virtualKey;
    bool press;
    bool composing;  // a code is typed
    std::uint16_t candidateCount;
    std::uint16_t codeLength;
    bool english;
    bool fullWidth;
    bool chinesePunctuation;
    bool digitBeforePeriod;
};
struct TakeDecision {
    BOOL taken;
    // A code that found nothing meets the next key (other than Backspace), or Caps Lock meets
    // candidates: the code is dropped and the key taken, to be processed afresh.
    bool discardCode;
    // Backspace while association candidates show: they close, and the key reaches the
    // application.
    bool closeAssociation;
    bool digitBeforePeriod;  // the new DigitBeforePeriod
};
TakeDecision DecideTaken(const TakeFacts& facts);

// The way a taken key goes in ImeToAsciiEx.
struct TranslateFacts {
    BYTE virtualKey;
    BYTE character;
    bool release;
    bool shift;
    int softKeyboardIndex;
    bool chinesePunctuation;
    bool fullWidth;
    bool english;
    std::uint16_t candidateCount;
    bool secondaryCodeSet;
};
enum class TranslateRoute {
    SoftKeyboard,  // the active layout's character for the key, as two WM_CHAR messages
    Symbol,        // the converted symbol of the character, committed on its own
    Release,       // HandleKeyRelease
    Press,         // HandleKeyPress
};
TranslateRoute DecideTranslateRoute(const TranslateFacts& facts);

// The way a key press goes in HandleKeyPress (key: virtual key | character << 8).
enum class PressRoute {
    ShiftDown,          // Shift itself: may start a tap
    CommitShifted,      // Shift+key: the shifted character at once
    SelectInSecondRow,  // skin 3, Shift+digit: selects in the second candidate row
    SwitchCodeSet,      // Ctrl+J
    SwitchGbkMode,      // Ctrl+M
    PromoteCandidate,   // Ctrl+digit
    ClipboardCommand,   // Ctrl+grave, Ctrl+/
    Control,            // HandleControlKey, then the engine for a character key
};
PressRoute DecidePressRoute(UINT key, bool ctrl, bool shift, std::int32_t skinIndex);

// A first press of either Shift key (an auto-repeat has the previous-state bit) may be a tap.
bool StartsShiftTap(UINT scanCode);
// The release of a tapped Shift switches English typing when its side's option is on. Only the
// exact scan codes count: an extended or otherwise marked Shift is no tap.
bool ShiftReleaseSwitches(UINT scanCode, bool leftShiftSwitch, bool rightShiftSwitch);

// Caps Lock on (toggled, down or not) forces English; otherwise every switch flips it.
bool NextEnglishMode(SHORT capsLockState, bool english);

// The keys HandleControlKey leaves to the engine: digits, letters, the numeric pad, the
// punctuation keys, and Page Up and Page Down (which the engine pages by scan code).
bool IsEngineCharacterKey(BYTE virtualKey);
