// The pictures the windows draw, from the skin folder under the system directory, and the plain
// fallback drawn where a picture is missing or unreadable.
#pragma once

#include "platform/win32.h"

// Loads "<system directory>\zelk\skip\<fileName>"; null when the file is missing or unreadable.
// The caller deletes the bitmap (DeleteObject).
HBITMAP LoadSkinPicture(const char* fileName);

// Copies the width x height rectangle at (sourceX, sourceY) of picture to (x, y) of target.
// Returns false and draws nothing when picture is null.
bool CopyPicture(HDC target, int x, int y, int width, int height, HBITMAP picture, int sourceX,
                 int sourceY);

// The fallback of a missing background: a light face with a one-pixel border.
void DrawPlainPanel(HDC target, const RECT& area);
// The fallback of a missing button: a framed square, filled darker while the button is on
// (pressed, active), with text (may be null) centred in black.
void DrawPlainButton(HDC target, const RECT& area, bool on, const char* text);
