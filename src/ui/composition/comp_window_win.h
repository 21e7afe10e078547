// The composition window (and the long-candidate tip, a window of its class): its window procedure.
#pragma once

#include "platform/win32.h"

extern "C" LRESULT WINAPI CompWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
