// The composition window. (Being built: until then it swallows the input-method messages.)
#include "ui/ui_windows_win.h"

LRESULT WINAPI CompWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultChildHandling(window, message, wParam, lParam);
}
