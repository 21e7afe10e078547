#include "ui/ui_windows_win.h"

#include "context/input_context.h"
#include "ui/shift_release_hook_win.h"
#include "ui/ui_classes.h"
#include "context/process_facts.h"

namespace {

const WNDPROC kWindowProcedures[kUiClassCount] = {
    UIWndProc, CompWndProc, CandWndProc, StatusWndProc, InfoWndProc,
};

LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsImeUiMessage(message)) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterUiClasses(HINSTANCE instance) {
    for (int role = 0; role < kUiClassCount; ++role) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = kUiClasses[role].style;
        windowClass.lpfnWndProc = kWindowProcedures[role];
        windowClass.cbClsExtra = 0;
        windowClass.cbWndExtra = kUiClasses[role].windowExtraBytes;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kUiClasses[role].name;
        if (RegisterClassExA(&windowClass) == 0) {
            return false;
        }
    }
    return true;
}

void UnregisterUiClasses(HINSTANCE instance) {
    for (const UiClassInfo& windowClass : kUiClasses) {
        UnregisterClassA(windowClass.name, instance);
    }
}

LRESULT WINAPI UIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (Process.RunningUnderWine) {
                InstallShiftReleaseHook(window);
            }
            return 0;
        case WM_DESTROY:
            RemoveShiftReleaseHook(window);
            return 0;
        default:
            return DefaultHandling(window, message, wParam, lParam);
    }
}

LRESULT WINAPI CompWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(window, message, wParam, lParam);
}

LRESULT WINAPI CandWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(window, message, wParam, lParam);
}

LRESULT WINAPI StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(window, message, wParam, lParam);
}

// The system creates no window of this class.
LRESULT CALLBACK InfoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
