// The five window classes, registered with their window procedures (each procedure lives with
// its window).
#pragma once

#include "platform/win32.h"

// Registers the classes in order; stops at the first failure.
bool RegisterUiClasses(HINSTANCE instance);
void UnregisterUiClasses(HINSTANCE instance);

LRESULT CALLBACK InfoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
