// The settings dialog as IMM32 opens it (ImmConfigureIME): driven by messages from a second
// thread while the dialog runs, its page read back, OK pressed, the registry read.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <string>
#include <thread>
#include <vector>

#include "win/e2e/e2e_support.h"

namespace {

std::string TextOf(HWND control) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return Utf8Of(text);
}

HWND WaitForDialog(const wchar_t* caption) {
    for (int tries = 0; tries < 200; ++tries) {
        HWND dialog = FindWindowW(L"#32770", caption);
        if (dialog != nullptr) {
            return dialog;
        }
        Sleep(25);
    }
    return nullptr;
}

struct DialogReport {
    bool found = false;
    std::vector<std::string> pageTwo;   // captions of the visible option boxes on page 2
    std::vector<int> visibleOnPageTwo;  // their ids
    std::string pageName;
    bool codeHintChecked = true;
};

void DriveDialog(DialogReport& report) {
    HWND dialog = WaitForDialog(L"输入法设置");
    if (dialog == nullptr) {
        return;
    }
    report.found = true;
    HWND pages = GetDlgItem(dialog, 1085);
    SendMessageW(pages, LB_SETCURSEL, 1, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1085, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(pages));
    wchar_t name[64] = {};
    SendMessageW(pages, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(name));
    report.pageName = Utf8Of(name);
    for (int id = 1033; id <= 1092; ++id) {
        HWND control = GetDlgItem(dialog, id);
        if (id == 1042 || id == 1085) {
            continue;  // OK and the page list are always shown
        }
        if (control != nullptr && IsWindowVisible(control)) {
            report.visibleOnPageTwo.push_back(id);
            report.pageTwo.push_back(TextOf(control));
        }
    }
    // Progressive hints off (code hints go with them), automatic frequency, the Secondary code
    // set; then OK.
    SendMessageW(GetDlgItem(dialog, 1044), BM_CLICK, 0, 0);
    report.codeHintChecked =
        SendMessageW(GetDlgItem(dialog, 1035), BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageW(GetDlgItem(dialog, 1071), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(dialog, 1070), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(dialog, 1042), BM_CLICK, 0, 0);
}

class SettingsDialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallWithDefaults(); }
};

TEST_F(SettingsDialogTest, ConfigureOpensTheDialogAndOkStoresTheBoxes) {
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    ASSERT_EQ(ReadSetting("IMESET"), 0xCFu);
    ASSERT_EQ(ReadSetting("IMESETZ"), 1u);

    DialogReport report;
    std::thread driver(DriveDialog, std::ref(report));
    const BOOL configured =
        ImmConfigureIMEW(typing.layout(), typing.window(), IME_CONFIG_GENERAL, nullptr);
    driver.join();

    EXPECT_TRUE(configured);
    ASSERT_TRUE(report.found) << "no settings dialog";
    EXPECT_EQ(report.pageName, "中英文切换    ");
    EXPECT_EQ(report.visibleOnPageTwo, (std::vector<int>{1045, 1046, 1074}));
    EXPECT_EQ(report.pageTwo, (std::vector<std::string>{"左 Shift 键", "右 Shift 键", "临时关闭"}));
    EXPECT_FALSE(report.codeHintChecked);
    EXPECT_EQ(ReadSetting("IMESET"), 0xCFu & ~(1u << 6 | 1u << 2));
    EXPECT_EQ(ReadSetting("IMESETZ"), 2u);
    EXPECT_EQ(ReadSetting("IMESETQ"), 0u);

    // The dialog switched the code set at once: the Secondary codes type now.
    typing.Focus();
    EXPECT_EQ(typing.Type("kebm"), "中国");
}

}  // namespace
