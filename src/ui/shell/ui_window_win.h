// The UI window IMM32 creates per context, and what it does with the input-method notifications.
#pragma once

#include "platform/win32.h"

// `WM_IME_NOTIFY`; always 0.
LRESULT HandleImeNotify(HIMC context, HWND uiWindow, WPARAM notification, LPARAM lParam);

extern "C" LRESULT WINAPI UIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
