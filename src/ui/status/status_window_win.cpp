// The status window: the first one loads the skin's pictures, the last one releases them, a pointer
// move shows the hover image of the button under it, a left press on a drag area starts a drag that
// the release drops inside the work area, any other left press is a click acted on at the release,
// and a right press clears the typed code and opens a menu at the release.
#include "ui/status/status_window_win.h"

#include "platform/boundary.h"
#include "context/input_context.h"
#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "engine/mode_state.h"
#include "engine/online_word.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/common/drag_outline_win.h"
#include "ui/layout/hit_tests.h"
#include "ui/status/soft_keyboard_win.h"
#include "ui/status/status_menu_win.h"
#include "ui/status/status_paint_win.h"
#include "ui/layout/ui_geometry.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"
#include "ui/common/child_window_win.h"
#include "ui/common/window_drags.h"

namespace {

// The window's own surface with the UI font selected, for the length of one message.
class StatusSurface {
  public:
    explicit StatusSurface(HWND window) : window_(window), dc_(GetDC(window)) {
        if (dc_ != nullptr && Windows.UiFont != nullptr) {
            previousFont_ = SelectObject(dc_, Windows.UiFont);
        }
    }
    ~StatusSurface() {
        if (dc_ == nullptr) {
            return;
        }
        if (previousFont_ != nullptr) {
            SelectObject(dc_, previousFont_);
        }
        ReleaseDC(window_, dc_);
    }
    StatusSurface(const StatusSurface&) = delete;
    StatusSurface& operator=(const StatusSurface&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previousFont_ = nullptr;
};

int HitAtPointer(HWND window) {
    const ClientPointer at = PointerInClient(window);
    return HitTestStatusWindow(at.pointer, at.width, at.height, StatusSkinLayout());
}

void ShowCursorShape(const char* shape) {
    SetCursor(LoadCursorA(nullptr, shape));
}

void PointerMove(HWND window, HDC surface) {
    const int old = Status.StatusHit;
    Status.StatusHover = true;
    Status.StatusHit = HitAtPointer(window);
    if (Status.StatusHit > kStatusHitNothing) {
        ShowCursorShape(Status.StatusHit == kStatusHitSkinDrag ? IDC_SIZEALL : IDC_ARROW);
    } else {
        Status.StatusHover = false;
    }
    if (Status.StatusHit != old) {
        PaintStatusWindow(window, surface, Status.StatusHit);
    }
}

void Press(HWND window, HDC surface, bool left) {
    Status.StatusHover = false;
    SetCapture(window);
    const POINT pointer = PointerOnScreen();
    RECT rect{};
    GetWindowRect(window, &rect);
    Status.StatusHit = HitAtPointer(window);
    const bool drag = left && IsStatusDragHit(Status.StatusHit);
    RedrawDragOutline(Drags.Status.Press(pointer, rect, drag));
    if (drag) {
        ShowCursorShape(IDC_SIZEALL);
    }
    if (!left) {
        UiContext owner(OwningUiWindow(window));
        HIMC context = owner.get();
        {
            ContextLock ic(context);
            if (!ic) {
                return;
            }
        }
        // The menu must not open over candidates it would leave behind; the application sees
        // the composition end, as for Escape.
        if (Conversion.CandidateCount > kNoCandidates) {
            DiscardCode(context);
        }
    }
    PaintStatusWindow(window, surface, Status.StatusHit);
}

void DragMove() {
    RedrawDragOutline(Drags.Status.Move(PointerOnScreen()));
}

// Where the tracker would put the window, the status window's own drop rule keeps it inside the
// work area and leaves room for the candidate row beside it.
void Drop(HWND window, POINT pointer) {
    const DragTracker& tracker = Drags.Status;
    UiPrivate* ui = UiPrivateOf(OwningUiWindow(window));
    UiPlacement alone{};
    alone.StatusWidth = tracker.Width();
    alone.CompWidth = kCompWindowWidth;
    UiPlacement& placement = ui != nullptr ? ui->placement : alone;
    StatusDrop drop{};
    drop.pointer = pointer;
    drop.offset = tracker.Offset();
    drop.width = tracker.Width();
    drop.height = tracker.Height();
    drop.rowBeside = Settings.CursorFollow == 0 && StatusSkinLayout() == nullptr &&
                     Conversion.CandidateCount > kNoCandidates;
    drop.workArea = WorkAreaOfWindow(window);
    const POINT place = DropStatusWindow(placement, drop);
    MoveWindow(window, place.x, place.y, drop.width, drop.height, TRUE);
    Windows.StatusPosX = place.x;
    Windows.StatusPosY = place.y;
    ShowCursorShape(IDC_ARROW);
}

void ToggleCapsLockOrEnglish() {
    // With Caps Lock on, the key handling follows the lock: the click only turns it off.
    if ((GetKeyState(VK_CAPITAL) & 1) != 0) {
        keybd_event(VK_CAPITAL, 0, 0, 0);
        keybd_event(VK_CAPITAL, 0, KEYEVENTF_KEYUP, 0);
        return;
    }
    Modes.EnglishMode = Modes.EnglishMode != 0 ? 0 : 1;
}

void ToggleSoftKeyboard(HWND window) {
    if (Windows.SoftKeyboardWindow == nullptr) {
        return;
    }
    UiContext context(OwningUiWindow(window));
    ContextLock ic(context.get());
    if (context && !ic) {
        return;
    }
    if (Modes.SoftKeyboardIndex > 0) {
        Modes.SoftKeyboardIndex = 0;
        ShowSoftKeyboard(false);
        if (ic) {
            ic->fdwConversion &= ~static_cast<DWORD>(IME_CMODE_SOFTKBD);
        }
        return;
    }
    SelectSoftKeyboardLayout(0);
    ShowSoftKeyboard(true);
    if (ic) {
        ic->fdwConversion |= IME_CMODE_SOFTKBD;
    }
}

void Click(HWND window) {
    switch (Status.StatusHit) {
        case kStatusHitChineseEnglish:
            ToggleCapsLockOrEnglish();
            break;
        case kStatusHitFullWidth:
            FlipMode(FullWidth);
            break;
        case kStatusHitPunctuation:
            FlipMode(ChinesePunctuation);
            break;
        case kStatusHitSoftKeyboard:
            ToggleSoftKeyboard(window);
            break;
        case kStatusHitOnlineWord:
            ToggleOnlineWord(UiContext(OwningUiWindow(window)).get());
            break;
        case kStatusHitCharacterSet:
            Settings.GbkMode = Settings.GbkMode != 0 ? 0 : 1;
            break;
        default:
            break;
    }
}

void LeftRelease(HWND window, HDC surface) {
    ReleaseCapture();
    if (!Drags.Status.Armed()) {
        Click(window);
        PaintStatusWindow(window, surface, Status.StatusHit);
        return;
    }
    const POINT pointer = PointerOnScreen();
    const DragAction release = Drags.Status.Release(pointer);
    RedrawDragOutline(release);
    if (release.place) {
        Drop(window, pointer);
    }
}

void RightRelease(HWND window, HDC surface) {
    ReleaseCapture();
    if (Status.StatusHit == kStatusHitSoftKeyboard) {
        SoftKeyboardMenu(window, surface);
    } else if (StatusMenu(window, surface) == 0) {
        return;
    }
    RedrawDragOutline(Drags.Status.Cancel());
}

LRESULT SetCursorMessage(HWND window, HDC surface, WPARAM wParam, LPARAM lParam) {
    switch (HIWORD(lParam)) {
        case WM_MOUSEMOVE:
            PointerMove(window, surface);
            return 0;
        case WM_LBUTTONDOWN:
            Press(window, surface, true);
            return 0;
        case WM_RBUTTONDOWN:
            Press(window, surface, false);
            return 0;
        default:
            return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
    }
}

}  // namespace

namespace {

LRESULT StatusMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Status.StatusHover = false;
    switch (message) {
        case WM_CREATE:
            StatusWindowCreated();
            return 0;
        case WM_DESTROY:
            StatusWindowDestroyed();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC surface = BeginPaint(window, &paint);
            if (surface != nullptr) {
                PaintStatusWindow(window, surface, kStatusHitNothing);
            }
            EndPaint(window, &paint);
            return 0;
        }
        default:
            break;
    }
    const bool handled = message == WM_SETCURSOR || message == WM_MOUSEMOVE ||
                         message == WM_LBUTTONUP || message == WM_RBUTTONUP;
    if (!handled) {
        return DefaultChildHandling(window, message, wParam, lParam);
    }
    StatusSurface surface(window);
    switch (message) {
        case WM_SETCURSOR:
            return SetCursorMessage(window, surface.get(), wParam, lParam);
        case WM_MOUSEMOVE:
            DragMove();
            return 0;
        case WM_LBUTTONUP:
            LeftRelease(window, surface.get());
            return 0;
        default:
            RightRelease(window, surface.get());
            return 0;
    }
}

}  // namespace

LRESULT WINAPI StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&] { return StatusMessage(window, message, wParam, lParam); });
}
