// Drawing the composition window: the code being typed on its 58 x 26 picture, or on the plain
// look when the picture is missing.
#pragma once

#include "platform/win32.h"

// Draws the window at (0,0) of target with code (may be null or empty: the background only).
void DrawCompositionSurface(HDC target, HBITMAP background, const char* code, HFONT font);

// Hides the window while there is no code or a skin shows it; otherwise draws the code of the
// UI window's context.
void PaintCompositionWindow(HWND compWindow);
