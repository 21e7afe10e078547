// Key states, the clipboard and synthesized keystrokes of the stand-in.
#include <cstring>
#include <string>
#include <vector>

#include "platform/host/host_control.h"

namespace {

BYTE keyboardState[256];
// Keys let go of since the key being handled was pressed (the asynchronous state says up).
bool releasedSince[256];

// The clipboard's one block: its bytes (a text and its NUL, or whatever a test put there), and
// whether it holds any.
struct ClipboardBlock {
    std::vector<char> bytes;
    bool hasText = false;
    int locks = 0;
};
ClipboardBlock clipboard;
bool clipboardOpen = false;
bool clipboardOpenFails = false;

HostKeystroke keystrokeLog[kHostKeystrokeLogSize];
int keystrokeCount = 0;

}  // namespace

void HostSetKeyboardState(const BYTE* state) {
    if (state == nullptr) {
        std::memset(keyboardState, 0, sizeof keyboardState);
    } else {
        std::memcpy(keyboardState, state, sizeof keyboardState);
    }
    std::memset(releasedSince, 0, sizeof releasedSince);
}

void HostReleaseKeySince(int virtualKey) {
    releasedSince[virtualKey & 0xFF] = true;
}

SHORT GetAsyncKeyState(int virtualKey) {
    const bool down =
        (keyboardState[virtualKey & 0xFF] & 0x80) != 0 && !releasedSince[virtualKey & 0xFF];
    return static_cast<SHORT>(down ? 0x8000u : 0u);
}

SHORT GetKeyState(int virtualKey) {
    const BYTE state = keyboardState[virtualKey & 0xFF];
    const unsigned value = ((state & 0x80) != 0 ? 0xFF80u : 0u) | (state & 0x01u);
    return static_cast<SHORT>(static_cast<std::uint16_t>(value));
}

void keybd_event(BYTE virtualKey, BYTE scan, DWORD flags, ULONG_PTR) {
    keystrokeLog[keystrokeCount % kHostKeystrokeLogSize] = HostKeystroke{virtualKey, scan, flags};
    ++keystrokeCount;
}

int HostKeystrokeCount() {
    return keystrokeCount;
}

const HostKeystroke& HostKeystrokeAt(int index) {
    return keystrokeLog[index % kHostKeystrokeLogSize];
}

void HostClearKeystrokes() {
    keystrokeCount = 0;
}

void HostSetClipboardText(const char* text) {
    clipboard.hasText = text != nullptr;
    clipboard.bytes.assign(text, text + (text != nullptr ? std::strlen(text) + 1 : 0));
}

void HostSetClipboardBytes(const char* bytes, std::size_t size) {
    clipboard.hasText = true;
    clipboard.bytes.assign(bytes, bytes + size);
}

const char* HostClipboardText() {
    return clipboard.hasText ? clipboard.bytes.data() : nullptr;
}

void HostSetClipboardOpenFailure(bool fail) {
    clipboardOpenFails = fail;
}

bool HostClipboardIsOpen() {
    return clipboardOpen;
}

int HostClipboardLockCount() {
    return clipboard.locks;
}

void HostResetClipboard() {
    clipboard = ClipboardBlock{};
    clipboardOpen = false;
    clipboardOpenFails = false;
}

BOOL OpenClipboard(HWND) {
    if (clipboardOpen || clipboardOpenFails) {
        return FALSE;
    }
    clipboardOpen = true;
    return TRUE;
}

BOOL CloseClipboard() {
    if (!clipboardOpen) {
        return FALSE;
    }
    clipboardOpen = false;
    return TRUE;
}

BOOL EmptyClipboard() {
    if (!clipboardOpen) {
        return FALSE;
    }
    clipboard.bytes.clear();
    clipboard.hasText = false;
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    return format == CF_TEXT && clipboard.hasText ? TRUE : FALSE;
}

HANDLE GetClipboardData(UINT format) {
    if (!clipboardOpen || format != CF_TEXT || !clipboard.hasText) {
        return nullptr;
    }
    return &clipboard;
}

// A block of no bytes locks as Windows locks a discarded one: not at all.
LPVOID GlobalLock(HGLOBAL block) {
    if (block != &clipboard || clipboard.bytes.empty()) {
        return nullptr;
    }
    ++clipboard.locks;
    return clipboard.bytes.data();
}

std::size_t GlobalSize(HGLOBAL block) {
    return block == &clipboard ? clipboard.bytes.size() : 0;
}

BOOL GlobalUnlock(HGLOBAL block) {
    if (block != &clipboard || clipboard.locks == 0) {
        return FALSE;
    }
    --clipboard.locks;
    return clipboard.locks != 0 ? TRUE : FALSE;
}
