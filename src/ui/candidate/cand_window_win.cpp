// The candidate window: paints the page, turns clicks on its lines and paging buttons into the
// same operations as the keys, shows a long candidate in full while the right button is held on
// its line, and can be dragged by its background.
#include "ui/candidate/cand_window_win.h"

#include "platform/boundary.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/paging.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/candidate/cand_paint_win.h"
#include "ui/common/drag_outline_win.h"
#include "ui/layout/hit_tests.h"
#include "ui/composition/long_tip_win.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"
#include "ui/common/child_window_win.h"
#include "ui/common/window_drags.h"

namespace {

constexpr int kHandCursor = 126;

bool IsVertical() {
    return Settings.CursorFollow != 0;
}

std::uint16_t HitTestAtCursor(HWND window) {
    const ClientPointer at = PointerInClient(window);
    return HitTestCandidateWindow(at.pointer, at.width, at.height, IsVertical());
}

void ShowCursorShape(HWND window, std::uint16_t hit) {
    if (hit != kCandidateHitBackground && hit != kCandidateHitOutside) {
        HCURSOR hand = LoadCursorA(static_cast<HINSTANCE>(reinterpret_cast<void*>(
                                       GetWindowLongPtrA(window, GWLP_HINSTANCE))),
                                   MAKEINTRESOURCEA(kHandCursor));
        SetCursor(hand != nullptr ? hand : LoadCursorA(nullptr, IDC_HAND));
    } else {
        SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
    }
}

void RunPagingButton(HIMC context, std::uint16_t button) {
    switch (button) {
        case 1:
            FirstPage(context);
            break;
        case 2:
            PageUp(context);
            break;
        case 3:
            PageDown(context);
            break;
        case 4:
            LastPage(context);
            break;
        default:
            break;
    }
}

void OnLeftPress(HWND window) {
    SetCapture(window);
    const std::uint16_t hit = HitTestAtCursor(window);
    Windows.CandidateHit = hit;
    RECT rect{};
    GetWindowRect(window, &rect);
    RedrawDragOutline(Drags.Cand.Press(PointerOnScreen(), rect, hit == kCandidateHitBackground));
    if (Drags.Cand.Armed()) {
        SetCursor(LoadCursorA(nullptr, IDC_SIZEALL));
        return;
    }
    if (Settings.ProgressiveHint == 0 && Conversion.AssociationShown == 0) {
        return;
    }
    PaintCandidateWindow(window);
    UiContext context(OwningUiWindow(window));
    if (!context) {
        return;
    }
    if (IsCandidateLineHit(hit)) {
        ChooseCandidateLine(context.get(), static_cast<unsigned char>(hit));
        return;
    }
    Windows.PressedPageButton = hit;
    RunPagingButton(context.get(), hit);
    PaintCandidateWindow(window);
}

void OnRightPress(HWND window) {
    SetCapture(window);
    const std::uint16_t hit = HitTestAtCursor(window);
    Windows.CandidateHit = hit;
    if (!IsVertical() || !IsCandidateLineHit(hit)) {
        return;
    }
    const UiPrivate* ui = UiPrivateOf(OwningUiWindow(window));
    if (ui == nullptr) {
        return;
    }
    // The anchor as 16-bit values: the record keeps them so.
    const POINT anchor{static_cast<std::uint16_t>(ui->placement.CandX),
                       static_cast<std::uint16_t>(ui->placement.CandY + ui->placement.CandHeight)};
    ShowLongCandidateTip(hit, window, anchor);
}

LRESULT OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (HIWORD(lParam)) {
        case WM_LBUTTONDOWN:
            OnLeftPress(window);
            return TRUE;
        case WM_RBUTTONDOWN:
            OnRightPress(window);
            return TRUE;
        case WM_MOUSEMOVE: {
            const std::uint16_t hit = HitTestAtCursor(window);
            Windows.CandidateHit = hit;
            ShowCursorShape(window, hit);
            return TRUE;
        }
        default:
            return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
    }
}

void OnMouseMove() {
    RedrawDragOutline(Drags.Cand.Move(PointerOnScreen()));
}

void OnLeftRelease(HWND window) {
    ReleaseCapture();
    if (Drags.Cand.Armed()) {
        const DragAction drop = Drags.Cand.Release(PointerOnScreen());
        RedrawDragOutline(drop);
        if (drop.place) {
            MoveWindow(window, drop.topLeft.x, drop.topLeft.y, drop.width, drop.height, TRUE);
            if (UiPrivate* ui = UiPrivateOf(OwningUiWindow(window))) {
                ui->placement.CandX = drop.topLeft.x;
                ui->placement.CandY = drop.topLeft.y;
            }
        }
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    } else if (Windows.PressedPageButton != 0) {
        Windows.PressedPageButton = 0;
        InvalidateRect(window, nullptr, FALSE);
    }
}

void OnRightRelease() {
    ReleaseCapture();
    if (Windows.LongCandidateTip != nullptr && Settings.CursorFollow != 0) {
        HideIfPresent(Windows.LongCandidateTip);
    }
}

void OnCreate(HWND window) {
    auto* pictures = new CandidatePictures(LoadCandidatePictures(Settings.CursorFollow != 0));
    SetWindowLongPtrA(window, kChildPicturesOffset, reinterpret_cast<LONG_PTR>(pictures));
}

void OnDestroy(HWND window) {
    CandidatePictures* pictures = CandidatePicturesOf(window);
    if (pictures != nullptr) {
        DeleteCandidatePictures(*pictures);
        delete pictures;
        SetWindowLongPtrA(window, kChildPicturesOffset, 0);
    }
}

}  // namespace

namespace {

LRESULT CandMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate(window);
            return 0;
        case WM_DESTROY:
            OnDestroy(window);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            PaintCandidateWindow(window);
            return 0;
        }
        case WM_SETCURSOR:
            return OnSetCursor(window, wParam, lParam);
        case WM_MOUSEMOVE:
            OnMouseMove();
            return 0;
        case WM_LBUTTONUP:
            OnLeftRelease(window);
            return 0;
        case WM_RBUTTONUP:
            OnRightRelease();
            return 0;
        default:
            return DefaultChildHandling(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT WINAPI CandWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&] { return CandMessage(window, message, wParam, lParam); });
}
