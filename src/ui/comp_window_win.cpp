// The composition window: shows the code being typed; dragging it with either button moves the
// candidate window along, keeping their distance.
#include "platform/boundary.h"
#include "engine/window_state.h"
#include "ui/comp_paint_win.h"
#include "ui/drag_outline_win.h"
#include "ui/long_tip_win.h"
#include "ui/skin_pictures_win.h"
#include "ui/ui_geometry.h"
#include "ui/ui_private.h"
#include "ui/ui_windows_win.h"

namespace {

constexpr LONG_PTR kDragArmed = 1;
constexpr LONG_PTR kOutlinesShown = 2;

void Record(WindowDrag& drag, HWND window, POINT pointer) {
    GetWindowRect(window, &drag.rect);
    drag.offset = DragOffset(pointer, drag.rect);
    drag.width = drag.rect.right - drag.rect.left;
    drag.height = drag.rect.bottom - drag.rect.top;
    drag.started = true;
}

HWND CandWindowOf(HWND compWindow) {
    const UiPrivate* ui = UiPrivateOf(OwningUiWindow(compWindow));
    HWND cand = ui != nullptr ? ui->CandWindow : nullptr;
    return cand != nullptr && IsWindow(cand) ? cand : nullptr;
}

void DrawOutlines(HWND cand) {
    DrawDragOutline(Windows.CompDrag.rect);
    if (cand != nullptr && Windows.CompCandDrag.started) {
        DrawDragOutline(Windows.CompCandDrag.rect);
    }
}

// `CompositionDrag`.
void CompositionDrag(HWND window, HWND cand, UINT message, LPARAM lParam) {
    POINT pointer{};
    GetCursorPos(&pointer);
    const LONG_PTR state = GetWindowLongPtrA(window, kChildDragStateOffset);
    switch (message) {
        case WM_SETCURSOR:
            if (HIWORD(lParam) != WM_LBUTTONDOWN && HIWORD(lParam) != WM_RBUTTONDOWN) {
                return;
            }
            SetCapture(window);
            Record(Windows.CompDrag, window, pointer);
            Windows.CompCandDrag = WindowDrag{};
            if (cand != nullptr) {
                Record(Windows.CompCandDrag, cand, pointer);
            }
            SetWindowLongPtrA(window, kChildDragStateOffset, kDragArmed);
            return;
        case WM_MOUSEMOVE:
            if ((state & kOutlinesShown) != 0) {
                DrawOutlines(cand);
                WindowDrag& comp = Windows.CompDrag;
                WindowDrag& candDrag = Windows.CompCandDrag;
                comp.rect = DraggedRect(pointer, comp.offset, comp.width, comp.height);
                candDrag.rect =
                    DraggedRect(pointer, candDrag.offset, candDrag.width, candDrag.height);
                DrawOutlines(cand);
            } else if ((state & kDragArmed) != 0) {
                DrawOutlines(cand);
                SetWindowLongPtrA(window, kChildDragStateOffset, state | kOutlinesShown);
            }
            return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if ((state & kDragArmed) == 0) {
                return;
            }
            ReleaseCapture();
            if ((state & kOutlinesShown) != 0) {
                DrawOutlines(cand);
                const WindowDrag& comp = Windows.CompDrag;
                const POINT place = DraggedTopLeft(pointer, comp.offset);
                MoveWindow(window, place.x, place.y, comp.width, comp.height, TRUE);
                const WindowDrag& candDrag = Windows.CompCandDrag;
                if (cand != nullptr && candDrag.started) {
                    const POINT candPlace = DraggedTopLeft(pointer, candDrag.offset);
                    MoveWindow(cand, candPlace.x, candPlace.y, candDrag.width, candDrag.height,
                               TRUE);
                }
            }
            return;
        default:
            return;
    }
}

}  // namespace

namespace {

LRESULT CompMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetWindowLongPtrA(window, kChildPicturesOffset,
                              reinterpret_cast<LONG_PTR>(LoadSkinPicture("skip0s.bmp")));
            return 0;
        case WM_DESTROY: {
            auto background =
                reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, kChildPicturesOffset));
            if (background != nullptr) {
                DeleteObject(background);
                SetWindowLongPtrA(window, kChildPicturesOffset, 0);
            }
            return 0;
        }
        case WM_PAINT:
            if (window == Windows.LongCandidateTip) {
                // The tip shares the class; it is drawn by the candidate window's rules.
                PAINTSTRUCT paint;
                BeginPaint(window, &paint);
                EndPaint(window, &paint);
                PaintLongCandidateTip(window);
                return 0;
            }
            PaintCompositionWindow(window);
            return 0;
        case WM_SETCURSOR:
            CompositionDrag(window, CandWindowOf(window), message, lParam);
            if (HIWORD(lParam) == WM_LBUTTONDOWN || HIWORD(lParam) == WM_RBUTTONDOWN) {
                return TRUE;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_MOUSEMOVE:
            CompositionDrag(window, CandWindowOf(window), message, lParam);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            CompositionDrag(window, CandWindowOf(window), message, lParam);
            SetWindowLongPtrA(window, kChildDragStateOffset, 0);
            return 0;
        default:
            return DefaultChildHandling(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT WINAPI CompWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&] { return CompMessage(window, message, wParam, lParam); });
}
