#include "ui/window_handles.h"

#include "settings/settings.h"

HWND CurrentStatusWindow;
HWND CurrentCompWindow;
HWND CurrentCandWindow;
HWND LongCandidateTip;

void ResetWindowHandles() {
    CurrentStatusWindow = nullptr;
    CurrentCandWindow = nullptr;
    LongCandidateTip = nullptr;
    CurrentCompWindow = nullptr;
}

void RequestRepaint(HWND window) {
    if (window != nullptr && IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void RequestConversionRepaint() {
    if (Settings.SkinIndex != 0) {
        RequestRepaint(CurrentStatusWindow);
    } else {
        RequestRepaint(CurrentCompWindow);
        RequestRepaint(CurrentCandWindow);
    }
}

void RequestCandidateRepaint() {
    RequestRepaint(Settings.SkinIndex != 0 ? CurrentStatusWindow : CurrentCandWindow);
}
