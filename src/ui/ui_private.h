// `UiPrivate`: the record each UI window keeps in its private slot (IMMGWLP_PRIVATE) from its
// creation to its destruction: the handles of its three windows and where they stand.
#pragma once

#include "platform/win32.h"
#include "ui/ui_geometry.h"

struct UiPrivate {
    HWND StatusWindow;
    HWND CandWindow;
    HWND CompWindow;
    UiPlacement placement;
};

// The record of a UI window; null while it has none (before WM_CREATE, after WM_DESTROY).
UiPrivate* UiPrivateOf(HWND uiWindow);
// The UI window that owns a child window (its third window slot, set at creation).
HWND OwningUiWindow(HWND child);
