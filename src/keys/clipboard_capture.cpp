#include "keys/clipboard_capture.h"

#include "engine/online_word.h"
#include "context/input_context.h"
#include "engine/mode_state.h"

const CaptureKeystroke kCaptureKeystrokes[kCaptureKeystrokeCount] = {
    {VK_CONTROL, false}, {'C', false},        {'C', true},
    {VK_CONTROL, true},  {VK_CONTROL, false}, {0, false},
};
const CaptureKeystroke kCaptureRelease[kCaptureReleaseCount] = {{0, true}, {VK_CONTROL, true}};

namespace {

void Send(const CaptureKeystroke* keystrokes, int count, BYTE virtualKey) {
    for (int i = 0; i < count; ++i) {
        const BYTE vk = keystrokes[i].virtualKey != 0 ? keystrokes[i].virtualKey : virtualKey;
        keybd_event(vk, 0, keystrokes[i].up ? KEYEVENTF_KEYUP : 0, 0);
    }
}

// The application copies its selection into an empty clipboard, so that nothing older is taken
// for it. A clipboard that cannot be opened stays as it is; the keystrokes go out anyway.
void SendCopyAndKeyAgain(HIMC context, BYTE virtualKey) {
    // Read before the keystrokes below change it.
    const bool ctrlHeld = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    ContextLock ic(context);
    if (!ic) {
        return;
    }
    if (OpenClipboard(ic->hWnd)) {
        EmptyClipboard();
        CloseClipboard();
    }
    ic.Release();
    Send(kCaptureKeystrokes, kCaptureKeystrokeCount, virtualKey);
    if (!ctrlHeld) {
        Send(kCaptureRelease, kCaptureReleaseCount, virtualKey);
    }
    Modes.ClipboardCapturePending = 1;
}

}  // namespace

void CaptureSelection(HIMC context, BYTE virtualKey) {
    if (Modes.ClipboardCapturePending == 0) {
        SendCopyAndKeyAgain(context, virtualKey);
        return;
    }
    if (virtualKey == VK_OEM_3) {
        ToggleOnlineWord(context);
    } else {
        ShowSelectionCodes(context);
    }
    Modes.ClipboardCapturePending = 0;
}
