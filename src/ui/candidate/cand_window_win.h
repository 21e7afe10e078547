// The candidate window: its window procedure.
#pragma once

#include "platform/win32.h"

extern "C" LRESULT WINAPI CandWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
