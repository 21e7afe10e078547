#include "ui/common/drag_outline_win.h"

#include "ui/layout/drag_outline.h"

void DrawDragOutline(const RECT& rect) {
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (screen == nullptr) {
        return;
    }
    OutlineBand bands[4];
    DragOutlineBands(rect, GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER), bands);
    HGDIOBJ previous = SelectObject(screen, GetStockObject(GRAY_BRUSH));
    for (const OutlineBand& band : bands) {
        PatBlt(screen, band.x, band.y, band.width, band.height, PATINVERT);
    }
    SelectObject(screen, previous);
    DeleteDC(screen);
}

void RedrawDragOutline(const DragAction& action) {
    if (action.erase) {
        DrawDragOutline(action.eraseRect);
    }
    if (action.draw) {
        DrawDragOutline(action.drawRect);
    }
}
