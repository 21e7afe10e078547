#include <cstring>

#include "common/gbk_text.h"
#include "common/message_names.h"
#include "common/typing_session.h"
#include "common/us_keyboard.h"
#include "context/input_context.h"
#include "keys/key_entry.h"
#include "platform/host/host_control.h"
#include "engine/conversion_state.h"

namespace {

constexpr UINT kDefaultListCapacity = 256;
constexpr UINT kRightShiftScan = 0x36;

bool IsLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// Removes the last UTF-8 character.
void EraseLastCharacter(std::string& text) {
    std::size_t end = text.size();
    while (end > 0) {
        --end;
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80) {
            break;
        }
    }
    text.erase(end);
}

}  // namespace

TypingSession::TypingSession() : context_(HostCreateInputContext()), ownContext_(true) {
    ownWindow_ = HostCreateWindow();
    HostSetContextOwner(context_, ownWindow_);
    Prepare();
}

TypingSession::TypingSession(HIMC context) : context_(context) {
    Prepare();
}

TypingSession::~TypingSession() {
    HostSetMessageSink(nullptr, nullptr);
    HostSetKeyboardState(nullptr);
    if (ownContext_) {
        HostDestroyInputContext(context_);
        HostDestroyWindow(ownWindow_);
    }
}

void TypingSession::Prepare() {
    if (INPUTCONTEXT* ic = ImmLockIMC(context_)) {
        ClearConversionBuffers();
        InitCompositionString(ic);
        ShapeSelectedCandidateInfo(ic);
        ic->fOpen = TRUE;
        ImmUnlockIMC(context_);
    }
    HostSetMessageSink(&TypingSession::Receive, this);
    HostSetKeyboardState(keyState_);
    nextKeystroke_ = HostKeystrokeCount();
    SetMessageListCapacity(kDefaultListCapacity);
}

void TypingSession::SetMessageListCapacity(UINT capacity) {
    listCapacity_ = capacity;
    listMemory_.assign(sizeof(TRANSMSGLIST) + capacity * sizeof(TRANSMSG), 0);
}

KeyOutcome TypingSession::Type(const KeyToken& token) {
    ClearOutcome();
    const int scan = token.scan | (token.extended ? 0x100 : 0);
    if (token.kind == KeyTokenKind::ShiftTap) {
        const bool taken = KeyEvent(VK_SHIFT, true, scan);
        KeyEvent(VK_SHIFT, false, scan);
        outcome_.taken = taken;
        return outcome_;
    }
    if (token.ctrl) {
        KeyEvent(VK_CONTROL, true);
    }
    if (token.shift) {
        KeyEvent(VK_SHIFT, true);
    }
    const bool taken = KeyEvent(token.virtualKey, true, scan);
    KeyEvent(token.virtualKey, false, scan);
    if (token.shift) {
        KeyEvent(VK_SHIFT, false);
    }
    if (token.ctrl) {
        KeyEvent(VK_CONTROL, false);
    }
    outcome_.taken = taken;
    return outcome_;
}

KeyOutcome TypingSession::TypeKeys(std::string_view notation) {
    std::vector<KeyToken> tokens;
    std::string error;
    KeyOutcome all;
    if (!ParseKeyNotation(notation, tokens, error)) {
        return all;
    }
    for (const KeyToken& token : tokens) {
        const KeyOutcome one = Type(token);
        all.taken = one.taken;
        all.commit += one.commit;
        all.messages.insert(all.messages.end(), one.messages.begin(), one.messages.end());
        all.beeps += one.beeps;
        all.boxes.insert(all.boxes.end(), one.boxes.begin(), one.boxes.end());
    }
    return all;
}

bool TypingSession::KeyEvent(BYTE virtualKey, bool press, int scan) {
    UINT hardwareScan;
    bool extended;
    if (scan < 0) {
        const UsKey key = UsKeyForVirtualKey(virtualKey);
        hardwareScan = key.scan;
        extended = key.extended;
    } else {
        hardwareScan = static_cast<UINT>(scan) & 0xFF;
        extended = (scan & 0x100) != 0;
    }
    const bool taken = Deliver(virtualKey, press, hardwareScan, extended);
    DeliverSynthesizedKeystrokes();
    return taken;
}

bool TypingSession::Deliver(BYTE virtualKey, bool press, UINT scan, bool extended) {
    // The key-state array as it is while the key's message is processed: the key itself already
    // down (or up), Caps Lock toggled by its press, and each Shift side kept apart.
    BYTE stateKey = virtualKey;
    if (virtualKey == VK_SHIFT) {
        stateKey = scan == kRightShiftScan ? VK_RSHIFT : VK_LSHIFT;
    } else if (virtualKey == VK_CONTROL) {
        stateKey = VK_LCONTROL;
    }
    const bool wasDown = (keyState_[stateKey] & 0x80) != 0;
    keyState_[stateKey] =
        static_cast<BYTE>(press ? keyState_[stateKey] | 0x80 : keyState_[stateKey] & ~0x80);
    if (virtualKey == VK_CAPITAL && press && !wasDown) {
        keyState_[VK_CAPITAL] ^= 0x01;
    }
    keyState_[VK_SHIFT] = static_cast<BYTE>((keyState_[VK_LSHIFT] | keyState_[VK_RSHIFT]) & 0x80);
    keyState_[VK_CONTROL] = static_cast<BYTE>(keyState_[VK_LCONTROL] & 0x80);
    HostSetKeyboardState(keyState_);

    const std::uint32_t keyData = 1u | (scan & 0xFF) << 16 | (extended ? 1u << 24 : 0u) |
                                  (wasDown ? 1u << 30 : 0u) | (press ? 0u : 1u << 31);
    const int beepsBefore = HostBeepCount();
    const int boxesBefore = HostMessageBoxCount();
    const bool taken =
        ImeProcessKey(context_, virtualKey, static_cast<LPARAM>(keyData), keyState_) != 0;
    // A key going up translates to no character.
    const unsigned char character =
        press ? UsKeyCharacter(virtualKey, (keyState_[VK_SHIFT] & 0x80) != 0,
                               (keyState_[VK_CONTROL] & 0x80) != 0,
                               (keyState_[VK_CAPITAL] & 0x01) != 0)
              : 0;
    if (taken) {
        const UINT key = virtualKey | static_cast<UINT>(character) << (wineKeyArgument_ ? 16 : 8);
        auto* list = reinterpret_cast<TRANSMSGLIST*>(listMemory_.data());
        list->uMsgCount = listCapacity_;
        const UINT count = ImeToAsciiEx(key, keyData >> 16, keyState_, list, 0, context_);
        HostDeliverTranslatedMessages(context_, list, count);
    } else if (press) {
        ApplicationKey(virtualKey, character);
    }
    outcome_.beeps += HostBeepCount() - beepsBefore;
    for (int i = boxesBefore; i < HostMessageBoxCount(); ++i) {
        const HostMessageBox& box = HostMessageBoxAt(i);
        outcome_.boxes.push_back(MessageBoxRecord{Utf8(box.caption), Utf8(box.text)});
    }
    return taken;
}

void TypingSession::DeliverSynthesizedKeystrokes() {
    if (nextKeystroke_ > HostKeystrokeCount()) {
        nextKeystroke_ = 0;
    }
    // Each delivered keystroke may send more; the log holds the most recent ones only.
    for (int guard = 0; nextKeystroke_ < HostKeystrokeCount() && guard < kHostKeystrokeLogSize;
         ++guard) {
        const HostKeystroke keystroke = HostKeystrokeAt(nextKeystroke_++);
        Deliver(keystroke.virtualKey, (keystroke.flags & KEYEVENTF_KEYUP) == 0, keystroke.scan,
                (keystroke.flags & KEYEVENTF_EXTENDEDKEY) != 0);
    }
}

void TypingSession::ApplicationKey(BYTE virtualKey, unsigned char character) {
    if (virtualKey == 'C' && (keyState_[VK_CONTROL] & 0x80) != 0) {
        if (!selection_.empty()) {
            HostSetClipboardText(selection_.c_str());
        }
        return;
    }
    if (character != 0) {
        TypeText(std::string_view(reinterpret_cast<const char*>(&character), 1), false);
    }
}

void TypingSession::TypeText(std::string_view gbk, bool fromInputMethod) {
    for (char byte : gbk) {
        const unsigned char b = static_cast<unsigned char>(byte);
        std::string typed;
        if (pendingLeadByte_ >= 0) {
            const char pair[2] = {static_cast<char>(pendingLeadByte_), byte};
            pendingLeadByte_ = -1;
            GbkToUtf8(std::string_view(pair, 2), typed);
        } else if (IsLeadByte(b)) {
            // A double-byte character arrives in two halves; the first waits for the second.
            pendingLeadByte_ = b;
            continue;
        } else if (b == '\r') {
            typed = "\n";
        } else if (b == '\b') {
            EraseLastCharacter(text_);
            continue;
        } else if (b >= 0x20 && b < 0x7F) {
            typed.assign(1, byte);
        }
        text_ += typed;
        if (fromInputMethod) {
            outcome_.commit += typed;
        }
    }
}

void TypingSession::ReadResultString() {
    std::string result;
    if (INPUTCONTEXT* ic = ImmLockIMC(context_)) {
        if (ImmGetIMCCSize(ic->hCompStr) >= kCompStrSize) {
            if (auto* comp = static_cast<COMPOSITIONSTRING*>(ImmLockIMCC(ic->hCompStr))) {
                const DWORD length = comp->dwResultStrLen < kResultStrAreaSize
                                         ? comp->dwResultStrLen
                                         : kResultStrAreaSize;
                result.assign(ResultString(comp), length);
                ImmUnlockIMCC(ic->hCompStr);
            }
        }
        ImmUnlockIMC(context_);
    }
    TypeText(result, true);
}

void TypingSession::Receive(HIMC context, const HostMessage& message, void* data) {
    auto* session = static_cast<TypingSession*>(data);
    if (context == session->context_) {
        session->OnMessage(message);
    }
}

void TypingSession::OnMessage(const HostMessage& message) {
    outcome_.messages.push_back(MessageName(message.message, message.wParam, message.lParam));
    if (message.message == WM_IME_COMPOSITION && (message.lParam & GCS_RESULTSTR) != 0) {
        ReadResultString();
    } else if (message.message == WM_CHAR) {
        const char byte = static_cast<char>(message.wParam & 0xFF);
        TypeText(std::string_view(&byte, 1), true);
    }
}
