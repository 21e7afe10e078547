#include "ui/dialogs/settings_dialog_win.h"

#include "platform/boundary.h"
#include "dict/user_texts.h"
#include "ui/dialogs/settings_dialog.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/common/ui_support_win.h"

namespace {

// The code set the dialog found when it opened; OK compares with it.
std::int32_t OpeningCodeSet;

SettingsBoxes ReadBoxes(HWND dialog) {
    SettingsBoxes boxes;
    for (int id : kOptionControls) {
        boxes.Set(id, IsDlgButtonChecked(dialog, id) == BST_CHECKED);
    }
    return boxes;
}

void WriteBoxes(HWND dialog, const SettingsBoxes& boxes) {
    for (int id : kOptionControls) {
        CheckDlgButton(dialog, id, boxes.Checked(id) ? BST_CHECKED : BST_UNCHECKED);
    }
}

BOOL OpenSettings(HWND dialog) {
    HIMC context = ImmGetContext(dialog);
    const bool locked = ClearCodeForDialog(context);
    ImmReleaseContext(dialog, context);
    if (!locked) {
        // Nothing was filled in: an OK would store boxes the user never saw.
        MessageBoxA(dialog, kNoContextForSettingsText, kNoticeCaption, MB_OK);
        EndDialog(dialog, 0);
        return FALSE;
    }
    HWND pages = GetDlgItem(dialog, IDC_PAGE_LIST);
    SendMessageA(pages, LB_RESETCONTENT, 0, 0);
    SendMessageA(pages, LB_SETHORIZONTALEXTENT, kPageListExtent, 0);
    for (int page = 0; page < kSettingsPageCount; ++page) {
        SendMessageA(pages, LB_INSERTSTRING, page,
                     reinterpret_cast<LPARAM>(kSettingsPageNames[page]));
    }
    SendMessageA(pages, LB_SETCURSEL, 0, 0);
    ShowPage(dialog, 1);
    SettingsBoxes boxes;
    SetBoxesFromSettings(Settings, boxes);
    WriteBoxes(dialog, boxes);
    OpeningCodeSet = Settings.CodeSet;
    return TRUE;
}

BOOL RunCommand(HWND dialog, WPARAM wParam) {
    switch (ClassifySettingsCommand(wParam)) {
        case SettingsCommand::SelectPage: {
            const LRESULT selected = SendDlgItemMessageA(dialog, IDC_PAGE_LIST, LB_GETCURSEL, 0, 0);
            const int page = PageOfSelection(static_cast<long>(selected));
            if (page != 0) {
                ShowPage(dialog, page);
            }
            if (HasWindow(Windows.CurrentStatusWindow)) {
                ShowWindow(Windows.CurrentStatusWindow, SW_HIDE);
            }
            return TRUE;
        }
        case SettingsCommand::Box: {
            SettingsBoxes boxes = ReadBoxes(dialog);
            ApplyBoxClick(LOWORD(wParam), Settings, boxes);
            WriteBoxes(dialog, boxes);
            return TRUE;
        }
        case SettingsCommand::Ok:
            ReadBoxesIntoSettings(ReadBoxes(dialog), Settings);
            ConfirmSettings(OpeningCodeSet);
            EndDialog(dialog, 1);
            return TRUE;
        case SettingsCommand::None:
            break;
    }
    return FALSE;
}

}  // namespace

void ShowPage(HWND dialog, int page) {
    for (int id : kOptionControls) {
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
    }
    const ControlSpan shown = PageControls(page);
    for (int i = 0; i < shown.count; ++i) {
        ShowWindow(GetDlgItem(dialog, shown.ids[i]), SW_SHOWNA);
    }
}

namespace {

INT_PTR SettingsDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return OpenSettings(dialog);
        case WM_COMMAND:
            return RunCommand(dialog, wParam);
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return Guarded<INT_PTR>(FALSE,
                            [&] { return SettingsDialogMessage(dialog, message, wParam, 0); });
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 1);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
