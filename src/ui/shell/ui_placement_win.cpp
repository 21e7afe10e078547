// Where the composition, candidate and status windows stand, applied to the windows: the rules
// are ui_geometry's; here the caret, the work area and the measured sizes are gathered for them.
#include "context/process_facts.h"
#include "engine/conversion_state.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/candidate/cand_paint_win.h"
#include "ui/common/ui_support_win.h"
#include "ui/shell/ui_children_win.h"
#include "ui/shell/ui_placement_win.h"

namespace {

// A point of the context window's client area on the screen.
POINT OnScreen(const INPUTCONTEXT* data, POINT point) {
    if (data->hWnd != nullptr) {
        ClientToScreen(data->hWnd, &point);
    }
    return point;
}

// The caret that caret following works from: the composition form's position. An application
// that leaves the form at its default (Wine's EDIT control, for one) gets the system caret of its
// window, which is where the typing happens.
POINT CompositionCaret(HIMC context) {
    ContextLock data(context);
    if (!data) {
        return POINT{0, 0};
    }
    POINT caret = data->cfCompForm.ptCurrentPos;
    if (data->cfCompForm.dwStyle == CFS_DEFAULT) {
        POINT systemCaret{};
        if (GetCaretPos(&systemCaret)) {
            caret = systemCaret;
        }
    }
    return OnScreen(data.get(), caret);
}

RECT WorkAreaOfPlacement(const UiPlacement& ui) {
    return WorkAreaAt(POINT{ui.CompX, ui.CompY});
}

}  // namespace

void PlaceCompWindow(HWND uiWindow, UiPrivate& ui, HIMC context, bool showComp) {
    if (!HasWindow(ui.CompWindow)) {
        CreateCompWindow(uiWindow, ui);
    }
    CompPlacementInput in{};
    in.cursorFollow = Settings.CursorFollow != 0;
    in.lineHeight = Windows.CharExtentHeight;
    in.candidatesPresent = HasCandidates();
    if (in.cursorFollow) {
        const POINT caret = CompositionCaret(context);
        in.workArea = WorkAreaAt(caret);
        in.caret = CaretPointForFollowing(caret, in.workArea);
    } else {
        in.workArea = HasWindow(ui.StatusWindow)
                          ? WorkAreaOfWindow(ui.StatusWindow)
                          : WorkAreaAt(POINT{ui.placement.StatusX, ui.placement.StatusY});
    }
    if (!HasWindow(ui.CompWindow)) {
        return;
    }
    {
        ContextLock data(context);
        ComponentLock<COMPOSITIONSTRING> comp(data ? data->hCompStr : nullptr);
        if (comp && (comp->dwSize <= kCompStrIdleSize || comp->dwCompStrLen == 0)) {
            ShowWindow(ui.CompWindow, SW_HIDE);
        }
    }
    const CompPlacement placed = PlaceCompWindowPosition(ui.placement, in);
    if (placed.statusPushed) {
        Windows.StatusPosX = ui.placement.StatusX;
        Windows.StatusPosY = ui.placement.StatusY;
        if (HasWindow(ui.StatusWindow)) {
            MoveWindow(ui.StatusWindow, ui.placement.StatusX, ui.placement.StatusY,
                       ui.placement.StatusWidth, ui.placement.StatusHeight, TRUE);
        }
    }
    const WindowMove& move = placed.comp;
    if (move.move) {
        if (in.cursorFollow) {
            SetWindowPos(ui.CompWindow, nullptr, move.x, move.y, move.width, move.height,
                         SWP_NOACTIVATE | SWP_NOZORDER);
        } else {
            MoveWindow(ui.CompWindow, move.x, move.y, move.width, move.height, TRUE);
        }
    }
    if (!showComp || !CompWindowShown(Conversion.CodeLength, Settings.SkinIndex)) {
        ShowWindow(ui.CompWindow, SW_HIDE);
    } else {
        ShowWithoutActivation(ui.CompWindow);
        InvalidateRect(ui.CompWindow, nullptr, FALSE);
    }
}

void PlaceCandWindow(HWND uiWindow, UiPrivate& ui, HIMC /*context*/) {
    if (!HasWindow(ui.CandWindow)) {
        CreateCandWindow(uiWindow, ui);
    }
    // Without progressive hints the list shows only once the code is complete or association
    // candidates are offered.
    if (Settings.SkinIndex != 0 ||
        (Settings.ProgressiveHint == 0 && Conversion.AssociationShown == 0 &&
         Conversion.CodeComplete == 0)) {
        HideIfPresent(ui.CandWindow);
        return;
    }
    if (!HasWindow(ui.CandWindow)) {
        return;
    }
    if (!HasCandidates()) {
        ShowWindow(ui.CandWindow, SW_HIDE);
        return;
    }
    const bool follow = Settings.CursorFollow != 0;
    const WindowMove move =
        PlaceCandWindowPosition(ui.placement, follow, WorkAreaOfPlacement(ui.placement));
    SetWindowPos(ui.CandWindow, nullptr, move.x, move.y, move.width, move.height,
                 SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWithoutActivation(ui.CandWindow);
    InvalidateRect(ui.CandWindow, nullptr, FALSE);
}

void PlaceSkinnedStatus(HWND /*uiWindow*/, UiPrivate& ui, HIMC context) {
    const SkinLayoutRecord* skin = SkinLayoutOf(Settings.SkinIndex);
    if (skin == nullptr || !HasWindow(ui.StatusWindow)) {
        return;
    }
    const bool follow = Settings.CursorFollow != 0;
    POINT caret{};
    RECT area = WorkAreaOfWindow(ui.StatusWindow);
    if (follow) {
        const POINT raw = CompositionCaret(context);
        area = WorkAreaAt(raw);
        caret = CaretPointForFollowing(raw, area);
    }
    const WindowMove move = PlaceSkinnedStatusPosition(ui.placement, *skin, follow, caret,
                                                       Windows.CharExtentHeight, area);
    if (move.move) {
        MoveWindow(ui.StatusWindow, move.x, move.y, move.width, move.height, TRUE);
    }
    ShowWithoutActivation(ui.StatusWindow);
    InvalidateRect(ui.StatusWindow, nullptr, FALSE);
}

void PlaceConversionWindows(HWND uiWindow, UiPrivate& ui, HIMC context, bool showComp) {
    if (Settings.SkinIndex != 0) {
        PlaceSkinnedStatus(uiWindow, ui, context);
    } else {
        PlaceCompWindow(uiWindow, ui, context, showComp);
        PlaceCandWindow(uiWindow, ui, context);
    }
}

void HideCandWindow(UiPrivate& ui) {
    HideIfPresent(ui.CandWindow);
}

void HideCompWindow(UiPrivate& ui) {
    HideIfPresent(ui.CompWindow);
}

void HideStatusWindow(UiPrivate& ui) {
    HideIfPresent(ui.StatusWindow);
}

void RepaintStatusWindow(UiPrivate& ui) {
    if (HasWindow(ui.StatusWindow)) {
        InvalidateRect(ui.StatusWindow, nullptr, FALSE);
    }
}

void CaretJump(HWND uiWindow, UiPrivate& ui, HIMC context) {
    POINT caret{};
    {
        ContextLock data(context);
        if (!data) {
            return;
        }
        caret = OnScreen(data.get(), data->cfCandForm[0].ptCurrentPos);
    }
    const std::int32_t line = Windows.CharExtentHeight;
    UiPlacement& at = ui.placement;
    switch (CaretJumpTargetFor(Settings.SkinIndex, Process.Win9xFamily != 0)) {
        case CaretJumpTarget::CompWindow:
            if (CaretJump(at.CompX, at.CompY, caret, line)) {
                if (HasWindow(ui.CompWindow)) {
                    MoveWindow(ui.CompWindow, at.CompX, at.CompY, at.CompWidth, at.CompHeight,
                               TRUE);
                }
                PlaceCandWindow(uiWindow, ui, context);
            }
            break;
        case CaretJumpTarget::StatusWindow:
            if (CaretJump(at.StatusX, at.StatusY, caret, line) && HasWindow(ui.StatusWindow)) {
                const SkinLayoutRecord& skin = SkinLayout[Settings.SkinIndex - 1];
                MoveWindow(ui.StatusWindow, at.StatusX, at.StatusY, skin.Width, skin.Height, TRUE);
                ShowWithoutActivation(ui.StatusWindow);
            }
            break;
        case CaretJumpTarget::None:
            break;
    }
}

void MeasureCharExtent(HIMC context) {
    ContextLock data(context);
    if (!data) {
        return;
    }
    HDC dc = GetDC(data->hWnd);
    if (dc == nullptr) {
        return;
    }
    SIZE size{};
    // 谢
    if (GetTextExtentPoint32A(dc, "\xD0\xBB", 2, &size)) {
        Windows.CharExtentWidth = size.cx;
        Windows.CharExtentHeight = size.cy;
    }
    ReleaseDC(data->hWnd, dc);
}
