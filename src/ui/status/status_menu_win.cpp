#include "ui/status/status_menu_win.h"

#include <shellapi.h>

#include "context/input_context.h"
#include "context/process_facts.h"
#include "dict/data_places.h"
#include "engine/window_state.h"
#include "res/resource_ids.h"
#include "ui/dialogs/dialog_state.h"
#include "ui/layout/hit_tests.h"
#include "ui/dialogs/settings_dialog_win.h"
#include "ui/status/soft_keyboard_win.h"
#include "ui/status/status_paint_win.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"
#include "ui/dialogs/word_dialog_win.h"

namespace {

const char kWordDialogRunning[] =
    "\xd4\xec\xb4\xca\xb3\xcc\xd0\xf2\xd2\xd1\xbe\xad\xd4\xcb\xd0\xd0!";  // 造词程序已经运行!
const char kNotice[] = "\xcc\xe1\xca\xbe";                                // 提示
// The soft-keyboard menu stands right of the plain bar's Chinese/English image.
constexpr LONG kSoftKeyboardMenuShift = 55;
constexpr UINT kTrackFlags = TPM_RETURNCMD | TPM_BOTTOMALIGN;

UINT SystemTrack(HMENU popup, UINT flags, POINT anchor, HWND owner) {
    return static_cast<UINT>(TrackPopupMenu(popup, flags, anchor.x, anchor.y, 0, owner, nullptr));
}

void SystemOpen(HWND owner, const char* path) {
    // A guide that cannot be opened is not reported.
    ShellExecuteA(owner, "open", path, nullptr, nullptr, SW_SHOW);
}

StatusMenuCalls& Calls() {
    static StatusMenuCalls calls = {SystemTrack, SystemOpen, MessageBoxA};
    return calls;
}

// With a skin the menu opens at the pointer; on the plain bar at its client origin (moved right).
POINT MenuAnchor(HWND statusWindow, LONG shift) {
    POINT anchor{0, 0};
    if (StatusSkinLayout() != nullptr) {
        GetCursorPos(&anchor);
        return anchor;
    }
    ClientToScreen(statusWindow, &anchor);
    anchor.x += shift;
    return anchor;
}

UINT TrackMenu(HWND statusWindow, HMENU menu, LONG shift) {
    HMENU popup = menu != nullptr ? GetSubMenu(menu, 0) : nullptr;
    if (popup == nullptr) {
        return 0;
    }
    return Calls().track(popup, kTrackFlags, MenuAnchor(statusWindow, shift), statusWindow);
}

void OpenUserGuide(HWND statusWindow) {
    char path[260];
    if (UserGuidePath(path)) {
        Calls().open(statusWindow, path);
    }
}

// Sets the soft-keyboard bit of the context's conversion mode; false when it cannot be locked.
bool MarkSoftKeyboard(HWND statusWindow) {
    UiContext context(OwningUiWindow(statusWindow));
    if (!context) {
        return true;
    }
    ContextLock ic(context.get());
    if (!ic) {
        return false;
    }
    ic->fdwConversion |= IME_CMODE_SOFTKBD;
    return true;
}

}  // namespace

StatusMenuCalls InstallStatusMenuCalls(const StatusMenuCalls& calls) {
    const StatusMenuCalls previous = Calls();
    Calls() = calls;
    return previous;
}

int StatusMenu(HWND statusWindow, HDC) {
    HMENU menu = LoadMenuA(Process.ModuleInstance, MAKEINTRESOURCEA(IDM_STATUS));
    const UINT command = TrackMenu(statusWindow, menu, 0);
    int answer = 1;
    switch (command) {
        case IDM_WORD_MAKING:
            if (Dialogs.WordDialogOpen != 0) {
                Calls().messageBox(statusWindow, kWordDialogRunning, kNotice, MB_OK);
                answer = 0;
                break;
            }
            RunWordDialog();
            InvalidateRect(statusWindow, nullptr, FALSE);
            break;
        case IDM_USER_GUIDE:
            OpenUserGuide(statusWindow);
            InvalidateRect(statusWindow, nullptr, FALSE);
            break;
        case IDM_VERSION:
            DialogBoxParamA(Process.ModuleInstance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                            AboutDialogProc, 0);
            InvalidateRect(statusWindow, nullptr, FALSE);
            break;
        default:
            break;
    }
    if (menu != nullptr) {
        DestroyMenu(menu);
    }
    return answer;
}

void SoftKeyboardMenu(HWND statusWindow, HDC surface) {
    HMENU menu = LoadMenuA(Process.ModuleInstance, MAKEINTRESOURCEA(IDM_SOFT_KEYBOARD));
    const UINT command = TrackMenu(statusWindow, menu, kSoftKeyboardMenuShift);
    if (command >= IDM_SOFT_KEYBOARD_FIRST && command <= IDM_SOFT_KEYBOARD_LAST &&
        MarkSoftKeyboard(statusWindow)) {
        const int layout = static_cast<int>(command - IDM_SOFT_KEYBOARD_FIRST);
        if (Process.Win9xFamily) {
            if (Windows.SoftKeyboardWindow != nullptr) {
                SelectSoftKeyboardLayout(layout);
                ShowSoftKeyboard(true);
            }
        } else {
            // A fresh keyboard each time: the system keeps the first layout block it was given.
            DestroySoftKeyboard();
            CreateSoftKeyboard(statusWindow);
            SelectSoftKeyboardLayout(layout);
            ShowSoftKeyboard(true);
        }
    }
    if (menu != nullptr) {
        DestroyMenu(menu);
    }
    PaintStatusWindow(statusWindow, surface, kStatusHitSoftKeyboard);
}
