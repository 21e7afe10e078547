// The drag outline: a frame of four bands inverted on the screen with a grey pattern, so that
// drawing the same rectangle twice restores the screen.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// One band as PatBlt takes it: a negative width or height extends left or up from (x, y).
struct OutlineBand {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

// The four bands for a rectangle, with b = `SM_CXBORDER` and c = `SM_CYBORDER`: top, right,
// bottom (drawn leftwards from the right end) and left (drawn upwards from the bottom). They meet
// without overlapping, so no pixel is inverted twice.
void DragOutlineBands(const RECT& rect, std::int32_t b, std::int32_t c, OutlineBand (&bands)[4]);

// The area a band covers, with left <= right and top <= bottom (right and bottom excluded).
RECT NormalisedBand(const OutlineBand& band);
