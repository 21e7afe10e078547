#include "ui/shell/ui_windows_win.h"

#include "ui/candidate/cand_window_win.h"
#include "ui/composition/comp_window_win.h"
#include "ui/status/status_window_win.h"
#include "ui/common/ui_classes.h"
#include "ui/shell/ui_window_win.h"

namespace {

const WNDPROC kWindowProcedures[kUiClassCount] = {
    UIWndProc, CompWndProc, CandWndProc, StatusWndProc, InfoWndProc,
};

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

// The system creates no window of this class.
LRESULT CALLBACK InfoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
