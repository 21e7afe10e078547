#include "keys/key_decisions.h"

#include "keys/key_tables.h"
#include "engine/symbol_table.h"

namespace {

constexpr std::uint16_t kNoCandidates = 2;  // CandidateCount with the two empty slots only
constexpr std::int32_t kTwoRowSkin = 3;
constexpr UINT kCtrlJ = 0x0A00 | 'J';  // character 0x0A
constexpr UINT kCtrlM = 0x0D00 | 'M';  // character 0x0D

// The keys that act on association candidates although nothing is typed.
bool IsListKey(BYTE vk) {
    return vk == VK_SPACE || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK ||
           vk == VK_PRIOR || vk == VK_NEXT;
}

}  // namespace

ShortcutAction DecideShortcut(const KeyEventFacts& event, int softKeyboardIndex) {
    const BYTE vk = event.virtualKey;
    if (event.ctrl && IsLetterKey(vk) && vk != 'J' && vk != 'M') {
        return ShortcutAction::ToApplication;
    }
    if (event.ctrl && event.shift) {
        return ShortcutAction::ToApplication;
    }
    if ((vk == VK_SHIFT || vk == VK_CONTROL) && softKeyboardIndex > 0) {
        return ShortcutAction::ToApplication;
    }
    if (event.ctrl && event.press) {
        if (vk == VK_SPACE) {
            return ShortcutAction::StopWordCollection;
        }
        if (vk == VK_OEM_PERIOD) {
            return ShortcutAction::FlipPunctuation;
        }
    }
    if (event.shift && vk != VK_SHIFT && event.press) {
        return vk == VK_SPACE ? ShortcutAction::FlipFullWidth : ShortcutAction::EndShiftTap;
    }
    return ShortcutAction::None;
}

TakeDecision DecideTaken(const TakeFacts& facts) {
    const BYTE vk = facts.virtualKey;
    TakeDecision decision{0, false, false, facts.digitBeforePeriod};
    if (facts.composing) {
        if (facts.press && ((facts.candidateCount == kNoCandidates && vk != VK_BACK) ||
                            (facts.candidateCount > kNoCandidates && vk == VK_CAPITAL))) {
            decision.taken = 1;
            decision.discardCode = true;
            return decision;
        }
        decision.digitBeforePeriod = false;
        decision.taken = KeyTableComposing[vk];
    } else {
        decision.taken = KeyTableIdle[vk];
        if (facts.press) {
            if (IsListKey(vk) && facts.candidateCount > kNoCandidates) {
                decision.taken = 1;
            }
            if (IsDigitKey(vk)) {
                decision.digitBeforePeriod = facts.candidateCount <= kNoCandidates;
            } else if (vk != VK_OEM_PERIOD) {
                decision.digitBeforePeriod = false;
            }
        }
    }
    if (facts.english && vk != VK_SHIFT && vk != VK_CAPITAL) {
        decision.taken = 0;
    }
    if (facts.fullWidth && (IsPrintableKey(vk) || IsLetterKey(vk))) {
        decision.taken = 1;
    }
    if (facts.chinesePunctuation && IsPrintableKey(vk)) {
        if (decision.digitBeforePeriod && vk == VK_OEM_PERIOD) {
            // The decimal point after a number stays '.'.
            decision.taken = 0;
            decision.digitBeforePeriod = false;
        } else {
            decision.taken = 1;
        }
    }
    if (vk == VK_BACK && facts.codeLength == 0 && facts.candidateCount > kNoCandidates) {
        decision.closeAssociation = true;
        decision.taken = 0;
    }
    return decision;
}

TranslateRoute DecideTranslateRoute(const TranslateFacts& facts) {
    const BYTE ch = facts.character;
    if (facts.softKeyboardIndex > 1 && ch >= 0x20 && ch <= 0x7E) {
        return TranslateRoute::SoftKeyboard;
    }
    if (facts.release) {
        return TranslateRoute::Release;
    }
    if (facts.chinesePunctuation && facts.candidateCount == kNoCandidates) {
        // In the Secondary code set ';' and '/' are code keys.
        const bool codeKey = (ch == ';' || ch == '/') && facts.secondaryCodeSet && !facts.english;
        if (!codeKey && IsPunctuationKey(ch)) {
            return TranslateRoute::Symbol;
        }
        if (codeKey) {
            return TranslateRoute::Press;
        }
    }
    // Lower-case letters stay code keys in full width unless English is on.
    if (facts.fullWidth && facts.candidateCount == kNoCandidates &&
        (facts.english || ch < 'a' || ch > 'z') && FindSymbol(ch)) {
        return TranslateRoute::Symbol;
    }
    return TranslateRoute::Press;
}

PressRoute DecidePressRoute(UINT key, bool ctrl, bool shift, std::int32_t skinIndex) {
    if (key == VK_SHIFT) {
        return PressRoute::ShiftDown;
    }
    if (shift) {
        if (skinIndex != kTwoRowSkin) {
            return PressRoute::CommitShifted;
        }
        if (IsDigitKey(static_cast<BYTE>(key & 0xFF))) {
            return PressRoute::SelectInSecondRow;
        }
    }
    if (ctrl) {
        if (key == kCtrlJ) {
            return PressRoute::SwitchCodeSet;
        }
        if (key == kCtrlM) {
            return PressRoute::SwitchGbkMode;
        }
        if (key >= '0' && key <= '9') {
            return PressRoute::PromoteCandidate;
        }
        if (key == VK_OEM_2 || key == VK_OEM_3) {
            return PressRoute::ClipboardCommand;
        }
    }
    return PressRoute::Control;
}

bool StartsShiftTap(UINT scanCode) {
    return scanCode == kLeftShiftScan || scanCode == kRightShiftScan;
}

bool ShiftReleaseSwitches(UINT scanCode, bool leftShiftSwitch, bool rightShiftSwitch) {
    return (scanCode == (kReleaseScanBits | kRightShiftScan) && rightShiftSwitch) ||
           (scanCode == (kReleaseScanBits | kLeftShiftScan) && leftShiftSwitch);
}

bool NextEnglishMode(SHORT capsLockState, bool english) {
    return capsLockState == 1 || capsLockState == -127 ? true : !english;
}

bool IsEngineCharacterKey(BYTE vk) {
    return IsDigitKey(vk) || IsLetterKey(vk) || (vk >= 0x60 && vk <= 0x6F) ||
           (vk >= 0xBA && vk <= 0xE0) || vk == VK_PRIOR || vk == VK_NEXT;
}
