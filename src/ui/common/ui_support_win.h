// What every window of the user interface needs from the system: the work area a window belongs
// on, whether a window is still there, where the pointer is, showing a pop-up without taking the
// focus, and the input context the UI acts on.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// The work area of the monitor that holds point (the nearest one when none does).
RECT WorkAreaAt(POINT point);
// The work area of the monitor a window stands on (the nearest one when it stands on none).
RECT WorkAreaOfWindow(HWND window);

// A handle kept from earlier names a window only while that window lives.
bool HasWindow(HWND window);

// The pointer on the screen.
POINT PointerOnScreen();
// The pointer in a window's client area, with the area's size: what a hit test takes.
struct ClientPointer {
    POINT pointer;
    std::int32_t width;
    std::int32_t height;
};
ClientPointer PointerInClient(HWND window);

// Shows a pop-up without activating it and keeps it above the application: a UI window without
// an owner (Wine) cannot carry its pop-ups above the application's windows, so they are raised to
// the top-most band. Nothing when window is null.
void ShowWithoutActivation(HWND window);
// Hides a window if it exists.
void HideIfPresent(HWND window);

// The input context a UI window acts on, held for one scope. On Windows it is the UI window's
// context slot; Wine keeps a record of its own there, so under Wine (or when the slot is empty)
// it is the context of the window with the keyboard focus, released at the end of the scope.
class UiContext {
  public:
    explicit UiContext(HWND uiWindow);
    ~UiContext();
    UiContext(const UiContext&) = delete;
    UiContext& operator=(const UiContext&) = delete;

    HIMC get() const { return context_; }
    explicit operator bool() const { return context_ != nullptr; }

  private:
    HIMC context_ = nullptr;
    HWND focus_ = nullptr;  // set when the context came from ImmGetContext
};
