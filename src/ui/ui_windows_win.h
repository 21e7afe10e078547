// The five window classes and their window procedures (each procedure lives with its window).
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

// What the child windows do with a message they do not handle: the input-method messages are
// swallowed (the default handling would send them back to the IME window), everything else goes
// to DefWindowProcA.
LRESULT DefaultChildHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
