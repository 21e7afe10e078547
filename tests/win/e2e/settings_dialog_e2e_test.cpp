// The settings dialog as IMM32 opens it (ImmConfigureIME): read back and driven by messages from a
// second thread while the dialog runs, OK pressed, the registry read, and the new options in use.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <string>
#include <thread>
#include <vector>

#include "common/gbk_text.h"
#include "support/settings_dialog_reader.h"
#include "win/e2e/e2e_support.h"

namespace {

struct DialogRun {
    bool found = false;
    SettingsDialogContents opened;
    bool codeHintAfterProgressiveOff = true;
};

void DriveDialog(DialogRun& run) {
    HWND dialog = WaitForSettingsDialog();
    if (dialog == nullptr) {
        return;
    }
    run.found = true;
    run.opened = ReadSettingsDialog(dialog);
    // Progressive hints off (code hints go with them), automatic frequency, the Secondary code
    // set; then OK.
    SendMessageW(GetDlgItem(dialog, 1044), BM_CLICK, 0, 0);
    run.codeHintAfterProgressiveOff =
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

    DialogRun run;
    std::thread driver(DriveDialog, std::ref(run));
    const BOOL configured =
        ImmConfigureIMEW(typing.layout(), typing.window(), IME_CONFIG_GENERAL, nullptr);
    driver.join();
    EXPECT_TRUE(configured);
    ASSERT_TRUE(run.found) << "no settings dialog";

    const SettingsDialogContents& opened = run.opened;
    const std::vector<std::string> pages = {"界面更换      ", "中英文切换    ", "翻页键选择    ",
                                            "二三重码键选择", "重码调序方式  ", "常规功能设置  ",
                                            "字符集选择    ", "输入模式选择  "};
    ASSERT_EQ(opened.pages.size(), pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(opened.pages[i], Gbk(pages[i])) << i;
    }
    EXPECT_EQ(opened.checked,
              (std::vector<int>{1033, 1034, 1035, 1036, 1044, 1045, 1047, 1052, 1069, 1073, 1086}));
    const std::map<int, std::vector<int>> shown = {
        {1, {1036, 1086, 1087, 1088, 1089, 1090, 1091, 1092}},
        {2, {1045, 1046, 1074}},
        {3, {1077}},
        {4, {1037, 1040, 1047}},
        {5, {1071, 1073}},
        {6, {1033, 1034, 1035, 1044}},
        {7, {1052, 1053}},
        {8, {1069, 1070}},
    };
    EXPECT_EQ(opened.shown, shown);
    // The captions of page 2, as the ANSI functions read them.
    EXPECT_EQ(opened.texts.at(1045), Gbk("左 Shift 键") + "|");
    EXPECT_EQ(opened.texts.at(1046), Gbk("右 Shift 键") + "|");
    EXPECT_EQ(opened.texts.at(1074), Gbk("临时关闭") + "|");
    // The skin boxes: no skin and six themes, those that cannot follow the caret saying so.
    const char* const skins[] = {"无皮肤",
                                 "浅色",
                                 "深色（不跟随光标）",
                                 "青绿（不跟随光标）",
                                 "湖蓝",
                                 "琥珀（不跟随光标）",
                                 "紫红（不跟随光标）"};
    for (int n = 0; n <= 6; ++n) {
        EXPECT_EQ(opened.texts.at(1086 + n), Gbk(skins[n]) + "|") << n;
    }
    EXPECT_TRUE(opened.disabled.empty()) << "every box can be clicked";

    EXPECT_FALSE(run.codeHintAfterProgressiveOff);
    EXPECT_EQ(ReadSetting("IMESET"), 0xCFu & ~(1u << 6 | 1u << 2));
    EXPECT_EQ(ReadSetting("IMESETZ"), 2u);
    EXPECT_EQ(ReadSetting("IMESETQ"), 0u);

    // The dialog switched the code set at once: the Secondary codes type now.
    typing.Focus();
    EXPECT_EQ(typing.Type("kebm"), "中国");
    // Back to the Primary code set for whatever runs next in this process (not stored).
    typing.Type("<C-j>");
}

}  // namespace
