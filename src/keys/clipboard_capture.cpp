#include "keys/clipboard_capture.h"

#include "engine/online_word.h"
#include "context/input_context.h"
#include "engine/mode_state.h"

const CaptureKeystroke kCaptureKeystrokes[kCaptureKeystrokeCount] = {
    {VK_CONTROL, false}, {'C', false},        {'C', true},
    {VK_CONTROL, true},  {VK_CONTROL, false}, {0, false},
};

namespace {

// The application copies its selection into an empty clipboard, so that nothing older is taken
// for it. A clipboard that cannot be opened stays as it is; the keystrokes go out anyway.
void SendCopyAndKeyAgain(HIMC context, BYTE virtualKey) {
    ContextLock ic(context);
    if (!ic) {
        return;
    }
    if (OpenClipboard(ic->hWnd)) {
        EmptyClipboard();
        CloseClipboard();
    }
    ic.Release();
    for (const CaptureKeystroke& keystroke : kCaptureKeystrokes) {
        const BYTE vk = keystroke.virtualKey != 0 ? keystroke.virtualKey : virtualKey;
        keybd_event(vk, 0, keystroke.up ? KEYEVENTF_KEYUP : 0, 0);
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
