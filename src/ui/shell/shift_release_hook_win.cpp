#include "ui/shell/shift_release_hook_win.h"

#include "platform/boundary.h"
#include "keys/hooked_keys.h"
#include "keys/key_entry.h"

namespace {

thread_local HHOOK Hook;
thread_local HWND HookOwner;

namespace {

LRESULT ShiftReleaseEvent(int code, WPARAM virtualKey, LPARAM keyData) {
    UINT scanCode = 0;
    // HC_NOREMOVE is a message only peeked at; it comes again when it is taken.
    if (code == HC_ACTION && HookedShiftRelease(virtualKey, keyData, scanCode)) {
        // The key belongs to the focus window, whose context the key entry was given. (Wine 8
        // keeps its own record, not the context handle, in the UI window's context slot.)
        HWND focus = GetFocus();
        HIMC context = focus != nullptr ? ImmGetContext(focus) : nullptr;
        BYTE keyState[256];
        if (context != nullptr && GetKeyboardState(keyState)) {
            HandleKeyRelease(context, VK_SHIFT, scanCode, keyState);
        }
        if (context != nullptr) {
            ImmReleaseContext(focus, context);
        }
    }
    return CallNextHookEx(Hook, code, virtualKey, keyData);
}

}  // namespace

LRESULT CALLBACK WatchShiftRelease(int code, WPARAM virtualKey, LPARAM keyData) {
    return Guarded<LRESULT>(CallNextHookEx(nullptr, code, virtualKey, keyData),
                            [&] { return ShiftReleaseEvent(code, virtualKey, keyData); });
}

}  // namespace

void InstallShiftReleaseHook(HWND uiWindow) {
    if (Hook != nullptr) {
        return;
    }
    Hook = SetWindowsHookExA(WH_KEYBOARD, WatchShiftRelease, nullptr, GetCurrentThreadId());
    HookOwner = Hook != nullptr ? uiWindow : nullptr;
}

void RemoveShiftReleaseHook(HWND uiWindow) {
    if (Hook == nullptr || HookOwner != uiWindow) {
        return;
    }
    UnhookWindowsHookEx(Hook);
    Hook = nullptr;
    HookOwner = nullptr;
}
