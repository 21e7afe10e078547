#include "ui/status/soft_keyboard_win.h"

#include "engine/mode_state.h"
#include "engine/window_state.h"
#include "ui/status/soft_keyboard_block.h"
#include "ui/common/ui_support_win.h"

namespace {

constexpr UINT kSoftKeyboardTypeC1 = 2;  // SOFTKEYBOARD_TYPE_C1

LRESULT SendSoftKeyboardData(HWND keyboard, const void* block) {
    return SendMessageA(keyboard, WM_IME_CONTROL, IMC_SETSOFTKBDDATA,
                        reinterpret_cast<LPARAM>(block));
}

SoftKeyboardCalls& Calls() {
    static SoftKeyboardCalls calls{ImmCreateSoftKeyboard, ImmDestroySoftKeyboard,
                                   ImmShowSoftKeyboard, SendSoftKeyboardData};
    return calls;
}

}  // namespace

SoftKeyboardCalls InstallSoftKeyboardCalls(const SoftKeyboardCalls& calls) {
    const SoftKeyboardCalls previous = Calls();
    Calls() = calls;
    return previous;
}

void CreateSoftKeyboard(HWND uiWindow) {
    DestroySoftKeyboard();
    Windows.SoftKeyboardWindow = Calls().create(kSoftKeyboardTypeC1, uiWindow, 0, 0);
}

void DestroySoftKeyboard() {
    if (Windows.SoftKeyboardWindow != nullptr) {
        Calls().destroy(Windows.SoftKeyboardWindow);
        Windows.SoftKeyboardWindow = nullptr;
    }
}

void ShowSoftKeyboard(bool shown) {
    if (Windows.SoftKeyboardWindow != nullptr) {
        Calls().show(Windows.SoftKeyboardWindow, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
}

void SelectSoftKeyboardLayout(int index) {
    HWND keyboard = Windows.SoftKeyboardWindow;
    if (keyboard == nullptr) {
        return;
    }
    Modes.SoftKeyboardIndex = index + 1;
    RECT rect{};
    GetWindowRect(keyboard, &rect);
    const POINT place = SoftKeyboardPosition(WorkAreaOfWindow(keyboard), rect.right - rect.left,
                                             rect.bottom - rect.top);
    SetWindowPos(keyboard, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    HGLOBAL memory = GlobalAlloc(GHND, kSoftKeyboardBlockSize);
    if (memory == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(GlobalLock(memory));
    if (block != nullptr) {
        if (BuildSoftKeyboardBlock(index + 1, block, kSoftKeyboardBlockSize)) {
            Calls().setData(keyboard, block);
        }
        GlobalUnlock(memory);
    }
    GlobalFree(memory);
}
