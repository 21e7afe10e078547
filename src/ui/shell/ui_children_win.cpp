#include "ui/shell/ui_children_win.h"

#include "context/process_facts.h"
#include "engine/window_state.h"
#include "ui/common/ui_support_win.h"

namespace {

constexpr DWORD kChildStyle = WS_POPUP | WS_DISABLED;

HWND CreateChild(HWND uiWindow, const char* className, DWORD extendedStyle, int x, int y, int width,
                 int height) {
    HWND child = CreateWindowExA(extendedStyle, className, "", kChildStyle, x, y, width, height,
                                 uiWindow, nullptr, Process.ModuleInstance, nullptr);
    if (child != nullptr) {
        SetWindowLongPtrA(child, kChildOwnerOffset, reinterpret_cast<LONG_PTR>(uiWindow));
    }
    return child;
}

}  // namespace

bool CreateHiddenChild(HWND uiWindow, const char* windowClass, HWND& window) {
    if (HasWindow(window)) {
        ShowWindow(window, SW_HIDE);
        return false;
    }
    window = CreateChild(uiWindow, windowClass, WS_EX_WINDOWEDGE, 0, 0, 1, 1);
    HideIfPresent(window);
    return true;
}

void DestroyIfPresent(HWND& window) {
    if (HasWindow(window)) {
        DestroyWindow(window);
    }
    window = nullptr;
}

void CreateCompWindow(HWND uiWindow, UiPrivate& ui) {
    if (!CreateHiddenChild(uiWindow, "QMVCOMP", ui.CompWindow)) {
        return;
    }
    ui.placement.CompWidth = kCompWindowWidth;
    ui.placement.CompHeight = kCompWindowHeight;
    Windows.CurrentCompWindow = ui.CompWindow;
}

void CreateCandWindow(HWND uiWindow, UiPrivate& ui) {
    if (!CreateHiddenChild(uiWindow, "QMVCAND", ui.CandWindow)) {
        return;
    }
    ui.placement.CandWidth = kCandPanelWidth;
    ui.placement.CandHeight = kCandPanelHeight;
    Windows.CurrentCandWindow = ui.CandWindow;
}

void CreateStatusWindow(HWND uiWindow, UiPrivate& ui) {
    if (!HasWindow(ui.StatusWindow)) {
        const UiPlacement& at = ui.placement;
        ui.StatusWindow = CreateChild(uiWindow, "QMVSTATUS", 0, at.StatusX, at.StatusY,
                                      at.StatusWidth, at.StatusHeight);
        Windows.CurrentStatusWindow = ui.StatusWindow;
    }
    ShowWithoutActivation(ui.StatusWindow);
    if (HasWindow(ui.StatusWindow)) {
        InvalidateRect(ui.StatusWindow, nullptr, FALSE);
    }
}

void CreateLongCandidateTip(HWND uiWindow) {
    CreateHiddenChild(uiWindow, "QMVCOMP", Windows.LongCandidateTip);
}
