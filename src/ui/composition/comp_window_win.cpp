// The composition window: shows the code being typed; dragging it with either button moves the
// candidate window along, keeping their distance.
#include "ui/composition/comp_window_win.h"

#include "platform/boundary.h"
#include "engine/window_state.h"
#include "ui/composition/comp_paint_win.h"
#include "ui/common/drag_outline_win.h"
#include "ui/composition/long_tip_win.h"
#include "ui/common/skin_pictures_win.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"
#include "ui/common/child_window_win.h"
#include "ui/common/window_drags.h"

namespace {

HWND CandWindowOf(HWND compWindow) {
    const UiPrivate* ui = UiPrivateOf(OwningUiWindow(compWindow));
    HWND cand = ui != nullptr ? ui->CandWindow : nullptr;
    return HasWindow(cand) ? cand : nullptr;
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

void Place(HWND window, const DragAction& drop) {
    if (drop.place) {
        MoveWindow(window, drop.topLeft.x, drop.topLeft.y, drop.width, drop.height, TRUE);
    }
}

void Press(HWND window) {
    SetCapture(window);
    const POINT pointer = PointerOnScreen();
    HWND cand = CandWindowOf(window);
    RedrawDragOutline(Drags.Comp.Press(pointer, WindowRectOf(window), true));
    RedrawDragOutline(Drags.CompCand.Press(pointer, cand != nullptr ? WindowRectOf(cand) : RECT{},
                                           cand != nullptr));
}

void Move() {
    const POINT pointer = PointerOnScreen();
    RedrawDragOutline(Drags.Comp.Move(pointer));
    RedrawDragOutline(Drags.CompCand.Move(pointer));
}

void Release(HWND window) {
    if (!Drags.Comp.Armed()) {
        return;
    }
    ReleaseCapture();
    const POINT pointer = PointerOnScreen();
    const DragAction drop = Drags.Comp.Release(pointer);
    RedrawDragOutline(drop);
    Place(window, drop);
    const DragAction carried = Drags.CompCand.Release(pointer);
    RedrawDragOutline(carried);
    // The candidate window may have gone while the outline moved.
    if (HWND cand = CandWindowOf(window)) {
        Place(cand, carried);
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
            if (HIWORD(lParam) == WM_LBUTTONDOWN || HIWORD(lParam) == WM_RBUTTONDOWN) {
                Press(window);
                return TRUE;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_MOUSEMOVE:
            Move();
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            Release(window);
            return 0;
        default:
            return DefaultChildHandling(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT WINAPI CompWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&] { return CompMessage(window, message, wParam, lParam); });
}
