// The UI window IMM32 creates per context: it owns the status, composition, candidate and tip
// windows and the soft keyboard, and turns the input-method messages into placing, showing and
// hiding them. It is never visible itself.
#include "ui/shell/ui_window_win.h"

#include "platform/boundary.h"
#include "context/input_context.h"
#include "context/process_facts.h"
#include "context/selection_state.h"
#include "dict/dictionary_files.h"
#include "dict/learned_order.h"
#include "dict/tables.h"
#include "engine/composition.h"
#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/online_word_state.h"
#include "engine/user_words.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/candidate/cand_paint_win.h"
#include "ui/shell/shift_release_hook_win.h"
#include "ui/status/soft_keyboard_win.h"
#include "ui/common/ui_support_win.h"
#include "ui/shell/ui_children_win.h"
#include "ui/shell/ui_placement_win.h"
#include "ui/shell/ui_window_win.h"

namespace {

bool IsContextMessage(UINT message) {
    return message == WM_IME_STARTCOMPOSITION || message == WM_IME_ENDCOMPOSITION ||
           message == WM_IME_COMPOSITION || (message >= WM_IME_NOTIFY && message <= WM_IME_CHAR);
}

void ShowSoftKeyboardLayout() {
    if (Modes.SoftKeyboardIndex > 0 && Windows.SoftKeyboardWindow != nullptr) {
        SelectSoftKeyboardLayout(Modes.SoftKeyboardIndex - 1);
        ShowSoftKeyboard(true);
    }
}

void OnCreate(HWND uiWindow) {
    auto* ui = static_cast<UiPrivate*>(GlobalAlloc(GPTR, sizeof(UiPrivate)));
    if (ui == nullptr) {
        return;
    }
    const SkinLayoutRecord* skin = SkinLayoutOf(Settings.SkinIndex);
    const POINT remembered{Windows.StatusPosX, Windows.StatusPosY};
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    ui->placement = InitialUiPlacement(skin, remembered, workArea);
    CreateCompWindow(uiWindow, *ui);
    CreateCandWindow(uiWindow, *ui);
    CreateStatusWindow(uiWindow, *ui);
    CreateLongCandidateTip(uiWindow);
    CreateSoftKeyboard(uiWindow);
    if ((Selection.SelectedConversionMode & IME_CMODE_SOFTKBD) != 0) {
        Modes.SoftKeyboardIndex = 1;
        SelectSoftKeyboardLayout(0);
        ShowSoftKeyboard(true);
    }
    SetWindowLongPtrA(uiWindow, IMMGWLP_PRIVATE, reinterpret_cast<LONG_PTR>(ui));
    if (GetKeyState(VK_CAPITAL) != 0) {
        Modes.EnglishMode = 1;
    }
    if (Process.RunningUnderWine) {
        InstallShiftReleaseHook(uiWindow);
    }
}

void OnDestroy(HWND uiWindow) {
    RemoveShiftReleaseHook(uiWindow);
    UiPrivate* ui = UiPrivateOf(uiWindow);
    if (ui != nullptr) {
        DestroyIfPresent(ui->StatusWindow);
        DestroyIfPresent(ui->CandWindow);
        DestroyIfPresent(ui->CompWindow);
    }
    DestroyIfPresent(Windows.LongCandidateTip);
    DestroySoftKeyboard();

    ResetUiWindowState();

    WriteSettingsValue(kImesetqValue, static_cast<std::uint32_t>(Settings.SkinIndex));
    SaveLearnedOrderOrTell(Settings.CodeSet);
    if (ui != nullptr) {
        SetWindowLongPtrA(uiWindow, IMMGWLP_PRIVATE, 0);
        GlobalFree(ui);
    }
}

void OnSetContext(HWND uiWindow, UiPrivate& ui, HIMC context, bool active) {
    if (active) {
        ShowSoftKeyboardLayout();
        ShowWithoutActivation(ui.StatusWindow);
        PlaceConversionWindows(uiWindow, ui, context, ui.compositionMessagesSeen);
        return;
    }
    if (Settings.SkinIndex != 0) {
        HideStatusWindow(ui);
    } else {
        HideCandWindow(ui);
        HideCompWindow(ui);
    }
    HideStatusWindow(ui);
    if (Windows.SoftKeyboardWindow != nullptr && Modes.SoftKeyboardIndex > 0) {
        ShowSoftKeyboard(false);
    }
}

// The candidate list opened or changed. An application that draws the composition itself sends
// the UI nothing else, so the candidate window is placed here (beside the caret) before it is
// painted, and the status window is kept in view.
void OnCandidatesChanged(HWND uiWindow, UiPrivate& ui, HIMC context) {
    if (!ui.statusClosedByApplication && HasWindow(ui.StatusWindow) &&
        !IsWindowVisible(ui.StatusWindow)) {
        ShowWithoutActivation(ui.StatusWindow);
    }
    if (Settings.SkinIndex != 0) {
        PlaceSkinnedStatus(uiWindow, ui, context);
        return;
    }
    PlaceCompWindow(uiWindow, ui, context, ui.compositionMessagesSeen);
    PlaceCandWindow(uiWindow, ui, context);
    PaintCandidateWindow(Windows.CurrentCandWindow);
}

}  // namespace

LRESULT HandleImeNotify(HIMC context, HWND uiWindow, WPARAM notification, LPARAM lParam) {
    ContextLock locked(context);
    UiPrivate* ui = UiPrivateOf(uiWindow);
    if (!locked || ui == nullptr) {
        return 0;
    }
    locked.Release();
    switch (notification) {
        case IMN_CLOSESTATUSWINDOW:
            ui->statusClosedByApplication = true;
            HideStatusWindow(*ui);
            break;
        case IMN_OPENSTATUSWINDOW:
            ui->statusClosedByApplication = false;
            ShowWithoutActivation(ui->StatusWindow);
            break;
        case IMN_OPENCANDIDATE:
            OnCandidatesChanged(uiWindow, *ui, context);
            break;
        case IMN_CHANGECANDIDATE:
            if ((lParam & 1) != 0) {
                OnCandidatesChanged(uiWindow, *ui, context);
            }
            break;
        case IMN_CLOSECANDIDATE:
            if (Settings.SkinIndex == 0) {
                HideCandWindow(*ui);
            }
            break;
        case IMN_SETCONVERSIONMODE:
            RepaintStatusWindow(*ui);
            break;
        case IMN_SETOPENSTATUS:
            if (!IsContextOpen(context)) {
                CancelComposition(context);
            } else {
                ShowSoftKeyboardLayout();
            }
            RepaintStatusWindow(*ui);
            break;
        case IMN_SETCANDIDATEPOS:
            CaretJump(uiWindow, *ui, context);
            break;
        case IMN_SETCOMPOSITIONFONT:
            MeasureCharExtent(context);
            break;
        case IMN_SETCOMPOSITIONWINDOW:
            PlaceConversionWindows(uiWindow, *ui, context, ui->compositionMessagesSeen);
            break;
        default:
            break;
    }
    return 0;
}

namespace {

// The learned order goes to disk this long after the last key that changed it, so that a program
// that ends or is killed without destroying its windows loses nothing (and a burst of promotions
// is saved once).
constexpr UINT_PTR kSaveOrderTimer = 1;
constexpr UINT kSaveOrderDelay = 1500;

LRESULT UiMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsContextMessage(message) && GetWindowLongPtrA(window, IMMGWLP_IMC) == 0) {
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            OnCreate(window);
            return 0;
        case WM_DESTROY:
            KillTimer(window, kSaveOrderTimer);
            OnDestroy(window);
            return 0;
        case WM_TIMER:
            if (wParam != kSaveOrderTimer) {
                return DefWindowProcA(window, message, wParam, lParam);
            }
            KillTimer(window, kSaveOrderTimer);
            SaveLearnedOrderOrTell(Settings.CodeSet);
            // Kept from the file (another program held its lock, or the write failed): tried
            // again after the same wait, not only at the next key.
            if (Tables.MainTableModified) {
                SetTimer(window, kSaveOrderTimer, kSaveOrderDelay, nullptr);
            }
            return 0;
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_ENDCOMPOSITION:
        case WM_IME_COMPOSITION:
        case WM_IME_SETCONTEXT:
        case WM_IME_NOTIFY:
            break;
        case WM_IME_CONTROL:
        case WM_IME_COMPOSITIONFULL:
        case WM_IME_SELECT:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
    UiPrivate* ui = UiPrivateOf(window);
    UiContext context(window);
    if (ui == nullptr) {
        return 0;
    }
    switch (message) {
        case WM_IME_STARTCOMPOSITION:
            ui->compositionMessagesSeen = true;
            break;
        case WM_IME_ENDCOMPOSITION:
            ui->compositionMessagesSeen = true;
            if (Settings.SkinIndex == 0) {
                HideCandWindow(*ui);
                HideCompWindow(*ui);
            }
            break;
        case WM_IME_COMPOSITION: {
            ui->compositionMessagesSeen = true;
            ContextLock locked(context.get());
            if (locked) {
                locked.Release();
                PlaceConversionWindows(window, *ui, context.get());
            }
            break;
        }
        case WM_IME_SETCONTEXT: {
            ContextLock locked(context.get());
            if (locked) {
                locked.Release();
                OnSetContext(window, *ui, context.get(), wParam != 0);
            }
            break;
        }
        case WM_IME_NOTIFY:
            HandleImeNotify(context.get(), window, wParam, lParam);
            break;
        default:
            break;
    }
    // Every key reaches this window as one of the messages above: each one while the order is
    // changed starts the wait again.
    if (Tables.MainTableModified) {
        SetTimer(window, kSaveOrderTimer, kSaveOrderDelay, nullptr);
    }
    return 0;
}

}  // namespace

LRESULT WINAPI UIWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&] { return UiMessage(window, message, wParam, lParam); });
}
