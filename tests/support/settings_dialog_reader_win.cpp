#include "support/settings_dialog_reader.h"

#include "common/gbk_text.h"

namespace {

BOOL CALLBACK CollectText(HWND child, LPARAM data) {
    auto* texts = reinterpret_cast<std::map<int, std::string>*>(data);
    (*texts)[GetDlgCtrlID(child)] += WindowTextA(child) + "|";
    return TRUE;
}

void SelectPage(HWND dialog, int page) {
    HWND list = GetDlgItem(dialog, 1085);
    SendMessageA(list, LB_SETCURSEL, page - 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1085, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

}  // namespace

std::string WindowTextA(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::map<int, std::string> ControlTexts(HWND dialog) {
    std::map<int, std::string> texts;
    EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::vector<int> SettingsOptionIds() {
    std::vector<int> ids;
    for (int id = 1033; id <= 1092; ++id) {
        if (id != 1042 && id != 1085) {
            ids.push_back(id);
        }
    }
    return ids;
}

HWND WaitForSettingsDialog() {
    const std::string caption = Gbk("输入法设置");
    for (int tries = 0; tries < 200; ++tries) {
        // Found before its controls exist, the dialog would take no clicks: it is ready once shown,
        // which the dialog manager does after creating them.
        HWND dialog = FindWindowA("#32770", caption.c_str());
        if (dialog != nullptr && IsWindowVisible(dialog)) {
            return dialog;
        }
        Sleep(25);
    }
    return nullptr;
}

SettingsDialogContents ReadSettingsDialog(HWND dialog) {
    SettingsDialogContents contents;
    contents.caption = WindowTextA(dialog);
    contents.style = GetWindowLongA(dialog, GWL_STYLE);
    contents.texts = ControlTexts(dialog);
    HWND list = GetDlgItem(dialog, 1085);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char name[64] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
        contents.pages.push_back(name);
    }
    for (int id : SettingsOptionIds()) {
        HWND box = GetDlgItem(dialog, id);
        if (box == nullptr) {
            continue;
        }
        if (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            contents.checked.push_back(id);
        }
        if (!IsWindowEnabled(box)) {
            contents.disabled.push_back(id);
        }
    }
    for (int page = 1; page <= 8; ++page) {
        SelectPage(dialog, page);
        for (int id : SettingsOptionIds()) {
            HWND box = GetDlgItem(dialog, id);
            if (box != nullptr && IsWindowVisible(box)) {
                contents.shown[page].push_back(id);
            }
        }
    }
    SelectPage(dialog, 1);
    return contents;
}
