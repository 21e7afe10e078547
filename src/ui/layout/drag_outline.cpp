#include "ui/layout/drag_outline.h"

void DragOutlineBands(const RECT& rect, std::int32_t b, std::int32_t c, OutlineBand (&bands)[4]) {
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    bands[0] = OutlineBand{rect.left, rect.top, width - b, c};
    bands[1] = OutlineBand{rect.right - b, rect.top, b, height - c};
    bands[2] = OutlineBand{rect.right, rect.bottom - c, -(width - b), c};
    bands[3] = OutlineBand{rect.left, rect.bottom, b, -(height - c)};
}

RECT NormalisedBand(const OutlineBand& band) {
    RECT area{band.x, band.y, band.x + band.width, band.y + band.height};
    if (band.width < 0) {
        area.left = band.x + band.width;
        area.right = band.x;
    }
    if (band.height < 0) {
        area.top = band.y + band.height;
        area.bottom = band.y;
    }
    return area;
}
