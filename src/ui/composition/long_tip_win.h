// `LongCandidateTip`: a candidate of the vertical panel shown in full below the panel while the
// right button is held over its line.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// Shows the candidate of line hit (a line hit '1'..'9', '0') of the candidate window's current
// page below-right of anchor (the candidate window's left and bottom). A candidate shorter than
// 20 bytes gives a tip of no size; a line without a candidate changes nothing.
void ShowLongCandidateTip(std::uint16_t hit, HWND candWindow, POINT anchor);
// Draws `LongCandidateText` on white in a black frame; nothing while there are no candidates or a
// skin shows them.
void PaintLongCandidateTip(HWND tip);
// The drawing itself, for a client area of width x height.
void DrawLongCandidateTip(HDC target, int width, int height, const char* text, HFONT font);
