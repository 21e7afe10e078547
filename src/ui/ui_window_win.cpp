// The UI window IMM32 creates per context: it owns the status, composition and candidate windows.
// (Being built: until then it installs the Shift-release hook Wine needs and nothing else.)
#include "context/input_context.h"
#include "context/process_facts.h"
#include "ui/shift_release_hook_win.h"
#include "ui/ui_windows_win.h"

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
            return DefaultChildHandling(window, message, wParam, lParam);
    }
}
