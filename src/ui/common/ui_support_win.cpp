#include "ui/common/ui_support_win.h"

#include "context/process_facts.h"

namespace {

RECT WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor != nullptr && GetMonitorInfoA(monitor, &info)) {
        return info.rcWork;
    }
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace

RECT WorkAreaAt(POINT point) {
    return WorkAreaOf(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

RECT WorkAreaOfWindow(HWND window) {
    return WorkAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

bool HasWindow(HWND window) {
    return window != nullptr && IsWindow(window);
}

POINT PointerOnScreen() {
    POINT pointer{};
    GetCursorPos(&pointer);
    return pointer;
}

ClientPointer PointerInClient(HWND window) {
    POINT pointer = PointerOnScreen();
    ScreenToClient(window, &pointer);
    RECT client{};
    GetClientRect(window, &client);
    return ClientPointer{pointer, client.right - client.left, client.bottom - client.top};
}

void ShowWithoutActivation(HWND window) {
    if (!HasWindow(window)) {
        return;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    HWND uiWindow = GetWindow(window, GW_OWNER);
    if (uiWindow == nullptr || GetWindow(uiWindow, GW_OWNER) == nullptr) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void HideIfPresent(HWND window) {
    if (HasWindow(window)) {
        ShowWindow(window, SW_HIDE);
    }
}

UiContext::UiContext(HWND uiWindow) {
    if (uiWindow != nullptr && !Process.RunningUnderWine) {
        context_ = reinterpret_cast<HIMC>(GetWindowLongPtrA(uiWindow, IMMGWLP_IMC));
    }
    if (context_ == nullptr) {
        HWND focus = GetFocus();
        context_ = focus != nullptr ? ImmGetContext(focus) : nullptr;
        focus_ = context_ != nullptr ? focus : nullptr;
    }
}

UiContext::~UiContext() {
    if (focus_ != nullptr) {
        ImmReleaseContext(focus_, context_);
    }
}
