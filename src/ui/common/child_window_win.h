// What the child windows of the UI window share in their procedures.
#pragma once

#include "platform/win32.h"

// What the child windows do with a message they do not handle: the input-method messages are
// swallowed (the default handling would send them back to the IME window), everything else goes
// to DefWindowProcA.
LRESULT DefaultChildHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
