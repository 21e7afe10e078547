#include "ui/common/ui_private_win.h"

UiPrivate* UiPrivateOf(HWND uiWindow) {
    if (uiWindow == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<UiPrivate*>(GetWindowLongPtrA(uiWindow, IMMGWLP_PRIVATE));
}

HWND OwningUiWindow(HWND child) {
    if (child == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(GetWindowLongPtrA(child, kChildOwnerOffset));
}
