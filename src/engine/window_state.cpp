#include "engine/window_state.h"

#include "settings/settings.h"

WindowState Windows;

void ResetWindowState() {
    Windows = WindowState{};
}

void RequestRepaint(HWND window) {
    if (window != nullptr && IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void RequestConversionRepaint() {
    if (Settings.SkinIndex != 0) {
        RequestRepaint(Windows.CurrentStatusWindow);
    } else {
        RequestRepaint(Windows.CurrentCompWindow);
        RequestRepaint(Windows.CurrentCandWindow);
    }
}

void RequestCandidateRepaint() {
    RequestRepaint(Settings.SkinIndex != 0 ? Windows.CurrentStatusWindow
                                           : Windows.CurrentCandWindow);
}
