#include "ui/common/child_window_win.h"

#include "context/input_context.h"

LRESULT DefaultChildHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsImeUiMessage(message)) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
