// The five window classes and their window procedures. The procedures are placeholders until the
// windows are built: they keep the input-method messages from the default handling (which would
// send them back to the IME window) and give everything else to DefWindowProcA.
#pragma once

#include "platform/win32.h"

// Registers the classes in order; stops at the first failure.
bool RegisterUiClasses(HINSTANCE instance);
void UnregisterUiClasses(HINSTANCE instance);

extern "C" {
LRESULT WINAPI UIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI CompWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI CandWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}
LRESULT CALLBACK InfoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
