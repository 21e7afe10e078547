#include "keys/key_entry.h"

#include "dict/dictionary_files.h"
#include "platform/boundary.h"
#include "dict/learned_order.h"
#include "engine/online_word_state.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/lookup.h"
#include "engine/promotion.h"
#include "engine/user_words.h"
#include "keys/clipboard_capture.h"
#include "context/input_context.h"
#include "keys/key_argument.h"
#include "keys/key_decisions.h"
#include "engine/mode_state.h"
#include "keys/soft_keyboard.h"
#include "engine/symbol_conversion.h"
#include "settings/settings.h"
#include "engine/window_state.h"
#include "context/message_queue.h"
#include "context/process_facts.h"
#include "engine/composition.h"
#include "engine/ui_sink.h"

namespace {

std::int32_t Flipped(std::int32_t flag) {
    return flag != 0 ? 0 : 1;
}

// A code is typed into a composition string in its selected shape.
bool IsComposing(const INPUTCONTEXT* ic) {
    ComponentLock<COMPOSITIONSTRING, sizeof(COMPOSITIONSTRING)> comp(ic->hCompStr);
    return comp && comp->dwSize > kCompStrIdleSize && Conversion.CodeLength != 0;
}

// The soft keyboard's character goes straight to the application as two WM_CHAR messages;
// nothing else changes. Where the list cannot be read, the pair goes through the message buffer.
UINT TypeSoftKeyboardCharacter(HIMC context, BYTE virtualKey, bool shift, TRANSMSGLIST* messageList,
                               bool throughBuffer) {
    const WORD code =
        SoftKeyboardCellCode(Modes.SoftKeyboardIndex, shift, SoftKeyboardCellOf(virtualKey));
    FinishMessageList(context, throughBuffer);
    if (code == kEmptySoftKeyboardCell || code == 0) {
        MessageBeep(kSimpleBeep);
        return 0;
    }
    if (!throughBuffer) {
        return PutCharMessages(messageList, code, false);
    }
    QueueMessage(context, WM_CHAR, code >> 8, 1);
    QueueMessage(context, WM_CHAR, code & 0xFF, 1);
    return 0;
}

// The two key entry points' work, which the exports below run guarded.
BOOL ProcessKey(HIMC context, UINT virtualKey, LPARAM keyData, const BYTE* keyState) {
    Messages.CurrentMessageList = nullptr;
    ContextLock ic(context);
    if (!ic) {
        return 0;
    }
    const KeyEventFacts event{static_cast<BYTE>(virtualKey & 0xFF), IsKeyPress(keyData),
                              IsKeyDown(keyState, VK_CONTROL), IsKeyDown(keyState, VK_SHIFT)};
    switch (DecideShortcut(event, Modes.SoftKeyboardIndex)) {
        case ShortcutAction::ToApplication:
            return 0;
        case ShortcutAction::StopWordCollection:
            OnlineWord.OnlineWordActive = 0;
            return 0;
        case ShortcutAction::FlipPunctuation:
            FlipMode(ChinesePunctuation);
            EditCode(context, 0, Clear, true);
            TellUi(UiChange::Status);
            DropCandidates();
            return 0;
        case ShortcutAction::FlipFullWidth:
            FlipMode(FullWidth);
            CancelComposition(context);
            TellUi(UiChange::Status);
            Conversion.CandidatesOpen = 0;
            Modes.ShiftTapPending = 0;
            break;
        case ShortcutAction::EndShiftTap:
            Modes.ShiftTapPending = 0;
            break;
        case ShortcutAction::None:
            break;
    }
    // Only the shortcuts above act while the context is closed.
    if (ic->fOpen == 0) {
        return 0;
    }
    const TakeDecision decision = DecideTaken(
        TakeFacts{event.virtualKey, event.press, IsComposing(ic.get()), Conversion.CandidateCount,
                  Conversion.CodeLength, Modes.EnglishMode != 0, IsModeOn(FullWidth),
                  IsModeOn(ChinesePunctuation), Modes.DigitBeforePeriod != 0});
    Modes.DigitBeforePeriod = decision.digitBeforePeriod ? 1 : 0;
    if (decision.discardCode) {
        DiscardCode(context);
        return 1;
    }
    if (decision.closeAssociation) {
        CancelComposition(context);
        // The list is gone: a digit typed next is a digit, not a selection from nothing.
        Conversion.CandidatesOpen = 0;
        Conversion.AssociationShown = 0;
        TellUi(UiChange::Conversion);
    }
    return decision.taken;
}

UINT TranslateKey(UINT key, UINT scanCode, const BYTE* keyState, TRANSMSGLIST* messageList,
                  HIMC context) {
    BeginMessageList(messageList);
    const bool throughBuffer = Process.TranslatedMessagesThroughBuffer != 0;
    const KeyArgument argument = DecodeKeyArgument(key, Process.RunningUnderWine);
    ContextLock ic(context);
    if (!ic) {
        FinishMessageList(context, throughBuffer);
        return 0;
    }
    if (ic->fOpen == 0) {
        ic.Release();
        return FinishMessageList(context, throughBuffer);
    }
    const TranslateFacts facts{argument.virtualKey,       argument.character,
                               IsReleaseScan(scanCode),   IsKeyDown(keyState, VK_SHIFT),
                               Modes.SoftKeyboardIndex,   IsModeOn(ChinesePunctuation),
                               IsModeOn(FullWidth),       Modes.EnglishMode != 0,
                               Conversion.CandidateCount, Settings.CodeSet == kCodeSetSecondary};
    const TranslateRoute route = DecideTranslateRoute(facts);
    if (route == TranslateRoute::SoftKeyboard) {
        ic.Release();
        return TypeSoftKeyboardCharacter(context, argument.virtualKey, facts.shift, messageList,
                                         throughBuffer);
    }
    if (route == TranslateRoute::Symbol) {
        CommitSymbol(context, ConvertSymbol(argument.character, IsModeOn(FullWidth),
                                            IsModeOn(ChinesePunctuation)));
        ic.Release();
        return FinishMessageList(context, throughBuffer);
    }
    ic.Release();
    if (route == TranslateRoute::Release) {
        HandleKeyRelease(context, KeyValue(argument), scanCode, keyState);
    } else {
        HandleKeyPress(context, KeyValue(argument), scanCode, keyState);
    }
    return FinishMessageList(context, throughBuffer);
}

}  // namespace

BOOL WINAPI ImeProcessKey(HIMC context, UINT virtualKey, LPARAM keyData, const BYTE* keyState) {
    return Guarded<BOOL>(FALSE, [&] { return ProcessKey(context, virtualKey, keyData, keyState); });
}

UINT WINAPI ImeToAsciiEx(UINT key, UINT scanCode, const BYTE* keyState, TRANSMSGLIST* messageList,
                         UINT, HIMC context) {
    constexpr UINT kFailed = ~0u;
    const UINT count = Guarded(
        kFailed, [&] { return TranslateKey(key, scanCode, keyState, messageList, context); });
    if (count == kFailed) {
        // Nothing of the key's messages stands: the list the call was handed is left alone.
        Messages.CurrentMessageList = nullptr;
        return 0;
    }
    return count;
}

int HandleKeyRelease(HIMC context, UINT key, UINT scanCode, const BYTE* keyState) {
    ContextLock ic(context);
    if (!ic) {
        return 0;
    }
    const BYTE vk = static_cast<BYTE>(key & 0xFF);
    if (IsKeyDown(keyState, VK_CONTROL) && (vk == 'J' || vk == 'M')) {
        return 0;
    }
    if (vk != VK_SHIFT || Modes.ShiftTapPending == 0) {
        return 0;
    }
    Modes.ShiftTapPending = 0;
    if (ShiftReleaseSwitches(scanCode, Settings.LeftShiftSwitch != 0,
                             Settings.RightShiftSwitch != 0)) {
        if (ListHasCandidates(ic.get())) {
            DiscardCode(context);
        }
        SyncEnglishMode();
        TellUi(UiChange::Status);
    }
    return 0;
}

int HandleKeyPress(HIMC context, UINT key, UINT scanCode, const BYTE* keyState) {
    const BYTE vk = static_cast<BYTE>(key & 0xFF);
    const BYTE ch = static_cast<BYTE>((key >> 8) & 0xFF);
    switch (DecidePressRoute(key, IsKeyDown(keyState, VK_CONTROL), IsKeyDown(keyState, VK_SHIFT),
                             Settings.SkinIndex)) {
        case PressRoute::ShiftDown:
            if (StartsShiftTap(scanCode)) {
                Modes.ShiftTapPending = 1;
            }
            return 1;
        case PressRoute::CommitShifted:
            return CommitCharacter(context, ch);
        case PressRoute::SelectInSecondRow:
            DropCandidates();
            CommitCandidate(context, vk, 0, static_cast<unsigned>(Conversion.SecondRowStart));
            EditCode(context, 0, Clear, false);
            return 1;
        case PressRoute::SwitchCodeSet:
            // Not stored: the settings dialog is what makes a code set permanent. The order learned
            // in the code set left is kept first.
            SaveLearnedOrderOrTell(Settings.CodeSet);
            Settings.CodeSet = Flipped(Settings.CodeSet);
            LoadDictionaries(Settings.CodeSet, true, true);
            TellUi(UiChange::Status);
            return 1;
        case PressRoute::SwitchGbkMode:
            Settings.GbkMode = Flipped(Settings.GbkMode);
            TellUi(UiChange::Status);
            return 1;
        case PressRoute::PromoteCandidate:
            if (Settings.AutoFrequency == 0) {
                PromoteCandidate(context, key);
            }
            return 1;
        case PressRoute::ClipboardCommand:
            CaptureSelection(context, vk);
            return 0;
        case PressRoute::Control:
            break;
    }
    if (vk != 0 && HandleControlKey(context, vk, scanCode, keyState) == 0) {
        ProcessCharacter(context, ch, scanCode);
    }
    return 1;
}

int HandleControlKey(HIMC context, BYTE virtualKey, UINT, const BYTE*) {
    ContextLock ic(context);
    if (!ic) {
        return 0;
    }
    switch (virtualKey) {
        case VK_BACK:
            DeleteLastKey(context, virtualKey);
            break;
        case VK_RETURN:
        case VK_ESCAPE:
            // Both discard the code and end the composition; nothing is committed.
            DiscardCode(context);
            break;
        case VK_CAPITAL:
            SyncEnglishMode();
            TellUi(UiChange::Status);
            break;
        case VK_SPACE:
            if (Conversion.CandidateCount <= kNoCandidates) {
                CommitCharacter(context, ' ');
                return 1;
            }
            DropCandidates();
            CommitFirstCandidate(context);
            EditCode(context, ' ', Clear, true);
            break;
        default:
            break;
    }
    ic.Release();
    return IsEngineCharacterKey(virtualKey) ? 0 : 1;
}

void SyncEnglishMode() {
    Modes.EnglishMode = NextEnglishMode(GetKeyState(VK_CAPITAL), Modes.EnglishMode != 0) ? 1 : 0;
    SetMode(ChinesePunctuation, Modes.EnglishMode == 0);
}

UINT PutCharMessages(TRANSMSGLIST* messageList, WORD code, bool twice) {
    if (messageList == nullptr) {
        return 0;
    }
    const UINT wanted = twice ? 4 : 2;
    const UINT fitting = messageList->uMsgCount - messageList->uMsgCount % 2;
    const UINT count = wanted < fitting ? wanted : fitting;
    TRANSMSG* entries = messageList->TransMsg;
    for (UINT i = 0; i < count; ++i) {
        const WPARAM byte = i % 2 == 0 ? code >> 8 : code & 0xFF;
        entries[i] = TRANSMSG{WM_CHAR, byte, 1};
    }
    return count;
}
