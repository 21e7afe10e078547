// The IMM32 entry points other than the key entry: each applies the decision of ime_calls and
// tells the language indicator.
#include "ime/ime_exports_win.h"

#include "ime/ime_calls.h"
#include "platform/boundary.h"
#include "ime/module_win.h"
#include "res/resource_ids.h"
#include "ui/dialogs/settings_dialog_win.h"
#include "context/selection_state.h"
#include "context/process_facts.h"
#include "engine/ui_sink.h"
#include "engine/window_state.h"

BOOL WINAPI ImeInquire(IMEINFO* info, LPSTR uiClassName, DWORD) {
    return Guarded<BOOL>(FALSE, [&] {
        FillImeInfo(info, uiClassName);
        return TRUE;
    });
}

namespace {

BOOL Configure(HWND parent) {
    DialogBoxParamA(Process.ModuleInstance, MAKEINTRESOURCEA(IDD_SETTINGS), parent,
                    SettingsDialogProc, 0);
    // Without an owner there is nothing to repaint (a null window would repaint every window).
    if (parent != nullptr) {
        InvalidateRect(parent, nullptr, TRUE);
    }
    // A new skin or look takes the windows over now: their page is laid out again for the next
    // key, and they repaint.
    TellUi(UiChange::Everything);
    if (Windows.CurrentStatusWindow != nullptr && IsWindow(Windows.CurrentStatusWindow)) {
        InvalidateRect(Windows.CurrentStatusWindow, nullptr, TRUE);
    }
    return TRUE;
}

}  // namespace

BOOL WINAPI ImeConfigure(HKL, HWND parent, DWORD, LPVOID) {
    return Guarded<BOOL>(FALSE, [&] { return Configure(parent); });
}

BOOL WINAPI ImeSelect(HIMC context, BOOL select) {
    return Guarded<BOOL>(FALSE, [&] {
        if (select) {
            UpdateIndicator(context, false);
        }
        return SelectInputContext(context, select);
    });
}

BOOL WINAPI ImeSetActiveContext(HIMC context, BOOL active) {
    return Guarded<BOOL>(FALSE, [&] {
        UpdateIndicator(context, active != 0);
        ActivateInputContext(active);
        return TRUE;
    });
}

BOOL WINAPI NotifyIME(HIMC context, DWORD action, DWORD index, DWORD value) {
    return Guarded<BOOL>(FALSE, [&] {
        const NotifyOutcome outcome = NotifyInputContext(context, action, index, value);
        if (outcome.announce) {
            UpdateIndicator(context, false);
        }
        return outcome.result;
    });
}

DWORD WINAPI ImeConversionList(HIMC, LPCSTR, CANDIDATELIST*, DWORD, UINT) {
    return 0;
}

BOOL WINAPI ImeDestroy(UINT) {
    return 0;
}

LRESULT WINAPI ImeEscape(HIMC, UINT, LPVOID) {
    return 0;
}

BOOL WINAPI ImeRegisterWord(LPCSTR, DWORD, LPCSTR) {
    return 0;
}

BOOL WINAPI ImeUnregisterWord(LPCSTR, DWORD, LPCSTR) {
    return 0;
}

UINT WINAPI ImeGetRegisterWordStyle(UINT, STYLEBUFA*) {
    return 0;
}

UINT WINAPI ImeEnumRegisterWord(REGISTERWORDENUMPROCA, LPCSTR, DWORD, LPCSTR, LPVOID) {
    return 0;
}

BOOL WINAPI ImeSetCompositionString(HIMC, DWORD, LPVOID, DWORD, LPVOID, DWORD) {
    return 0;
}
