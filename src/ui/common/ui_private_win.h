// `UiPrivate`: the record each UI window keeps in its private slot (IMMGWLP_PRIVATE) from its
// creation to its destruction: the handles of its three windows and where they stand.
#pragma once

#include "platform/win32.h"
#include "ui/common/ui_classes.h"
#include "ui/layout/ui_geometry.h"

struct UiPrivate {
    HWND StatusWindow;
    HWND CandWindow;
    HWND CompWindow;
    UiPlacement placement;
    // The application passes the composition messages on to the UI window: it wants the
    // composition window. (Applications that draw the composition themselves pass only
    // WM_IME_NOTIFY on.)
    bool compositionMessagesSeen;
    // The application closed the status window (IMN_CLOSESTATUSWINDOW): only its reopening
    // shows the plain bar again, not a change of the candidates.
    bool statusClosedByApplication;
};

// The record of a UI window; null while it has none (before WM_CREATE, after WM_DESTROY).
UiPrivate* UiPrivateOf(HWND uiWindow);
// The UI window that owns a child window (its third window slot, set at creation).
HWND OwningUiWindow(HWND child);

// The slot of the candidate and composition windows that holds the pictures they loaded at
// creation (the candidate window's CandidatePictures, the composition window's background
// bitmap). Their first slot is unused: their drags are process-wide (ui/window_drags.h).
constexpr int kChildPicturesOffset = kWindowSlotSize;
