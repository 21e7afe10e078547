// The built zelk.ime loaded with LoadLibrary: what process attach sets up or refuses, the exports
// by their undecorated names, and the resources byte for byte as the ANSI functions give them
// (code page 936).
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>
#include <winver.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "common/gbk_text.h"
#include "platform/ime_declarations.h"
#include "settings/settings.h"
#include "support/settings_dialog_reader.h"
#include "support/test_platform.h"

namespace {

std::string ModulePath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "zelk.ime";
}

void StoreInstalledDefaults() {
    CreateSettingsKey();
    SetRawSettingsValue("IMESET", REG_DWORD, &kInstalledDefaults.imeset, 4);
    SetRawSettingsValue("IMESETZ", REG_DWORD, &kInstalledDefaults.imesetz, 4);
    SetRawSettingsValue("IMESETQ", REG_DWORD, &kInstalledDefaults.imesetq, 4);
}

class ImeModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CopyShippedDictionaries();
        StoreInstalledDefaults();
        module = LoadLibraryA(ModulePath().c_str());
        ASSERT_NE(module, nullptr) << "LoadLibrary failed: " << GetLastError();
    }
    void TearDown() override {
        if (module != nullptr) {
            FreeLibrary(module);
        }
        DeleteSettingsKey();
    }
    template <typename Function>
    Function Export(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    HMODULE module = nullptr;
};

// --- Start-up and shutdown --------------------------------------------------------------------

TEST_F(ImeModuleTest, AttachRegistersTheFiveClassesAndDetachRemovesThem) {
    const struct {
        const char* name;
        UINT style;
        int extraBytes;
    } classes[] = {
        {"QMVUI", 0x10003, 2 * static_cast<int>(sizeof(LONG_PTR))},
        {"QMVCOMP", 0x10003, 3 * static_cast<int>(sizeof(LONG_PTR))},
        {"QMVCAND", 0x10003, 3 * static_cast<int>(sizeof(LONG_PTR))},
        {"QMVSTATUS", 0x1000B, 3 * static_cast<int>(sizeof(LONG_PTR))},
        {"QMVINFO", 0x10003, 3 * static_cast<int>(sizeof(LONG_PTR))},
    };
    for (const auto& expected : classes) {
        WNDCLASSEXA found{};
        found.cbSize = sizeof found;
        ASSERT_TRUE(GetClassInfoExA(module, expected.name, &found)) << expected.name;
        EXPECT_EQ(found.style, expected.style) << expected.name;
        EXPECT_EQ(found.cbWndExtra, expected.extraBytes) << expected.name;
        EXPECT_EQ(found.cbClsExtra, 0);
        EXPECT_EQ(found.hbrBackground, nullptr);
        EXPECT_EQ(found.hIcon, nullptr);
        EXPECT_EQ(found.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    }
    FreeLibrary(module);
    module = nullptr;
    WNDCLASSEXA gone{};
    gone.cbSize = sizeof gone;
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "QMVUI", &gone));
}

// Only a missing main dictionary refuses the load: a missing user file is just no user words.
TEST_F(ImeModuleTest, AMissingMainDictionaryRefusesTheLoad) {
    FreeLibrary(module);
    module = nullptr;
    const std::string zelk = UseFreshDataFolders().machine;
    WriteWholeFile(zelk + "zelk2006.mb",
                   ReadWholeFile(ShippedDataDirectory() + "zelk\\zelk2006.mb"));
    module = LoadLibraryA(ModulePath().c_str());
    EXPECT_NE(module, nullptr) << "no zelk2006.emb";
    FreeLibrary(module);
    CopyShippedDictionaries();
    DeleteFileA((zelk + "zelk2006.mb").c_str());
    EXPECT_EQ(LoadLibraryA(ModulePath().c_str()), nullptr) << "no zelk2006.mb";
    // The other code set's files are not needed.
    CopyShippedDictionaries();
    DeleteFileA((zelk + "shm28.mb").c_str());
    DeleteFileA((zelk + "shm28.emb").c_str());
    module = LoadLibraryA(ModulePath().c_str());
    EXPECT_NE(module, nullptr);
}

// --- Exports ------------------------------------------------------------------------------------

TEST_F(ImeModuleTest, EveryEntryPointIsExportedUndecorated) {
    for (const char* name :
         {"ImeInquire", "ImeConfigure", "ImeConversionList", "ImeDestroy", "ImeEscape",
          "ImeProcessKey", "ImeSelect", "ImeSetActiveContext", "ImeToAsciiEx", "NotifyIME",
          "ImeRegisterWord", "ImeUnregisterWord", "ImeGetRegisterWordStyle", "ImeEnumRegisterWord",
          "ImeSetCompositionString", "UIWndProc", "CompWndProc", "CandWndProc", "StatusWndProc"}) {
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
    }
    EXPECT_EQ(GetProcAddress(module, "ImeInquire@12"), nullptr);
}

TEST_F(ImeModuleTest, InquiryReportsTheUiClass) {
    auto inquire = Export<BOOL(WINAPI*)(IMEINFO*, LPSTR, DWORD)>("ImeInquire");
    ASSERT_NE(inquire, nullptr);
    IMEINFO info{};
    char uiClass[32];
    std::memset(uiClass, 'x', sizeof uiClass);
    EXPECT_EQ(inquire(&info, uiClass, 0), TRUE);
    EXPECT_STREQ(uiClass, "QMVUI");
    EXPECT_EQ(info.fdwProperty, 0x00020002u);
    EXPECT_EQ(info.fdwUICaps, 0x00010002u);
    EXPECT_EQ(info.dwPrivateDataSize, 60u);
}

TEST_F(ImeModuleTest, TheUnofferedEntryPointsAnswerZero) {
    EXPECT_EQ((Export<DWORD(WINAPI*)(HIMC, LPCSTR, CANDIDATELIST*, DWORD, UINT)>(
                  "ImeConversionList")(nullptr, "a", nullptr, 0, 0)),
              0u);
    EXPECT_EQ(Export<BOOL(WINAPI*)(UINT)>("ImeDestroy")(0), 0);
    EXPECT_EQ((Export<LRESULT(WINAPI*)(HIMC, UINT, LPVOID)>("ImeEscape")(nullptr, 1, nullptr)), 0);
    EXPECT_EQ((Export<BOOL(WINAPI*)(LPCSTR, DWORD, LPCSTR)>("ImeRegisterWord")("a", 0, "b")), 0);
    EXPECT_EQ((Export<BOOL(WINAPI*)(LPCSTR, DWORD, LPCSTR)>("ImeUnregisterWord")("a", 0, "b")), 0);
    EXPECT_EQ((Export<UINT(WINAPI*)(UINT, STYLEBUFA*)>("ImeGetRegisterWordStyle")(0, nullptr)), 0u);
    EXPECT_EQ((Export<UINT(WINAPI*)(REGISTERWORDENUMPROCA, LPCSTR, DWORD, LPCSTR, LPVOID)>(
                  "ImeEnumRegisterWord")(nullptr, nullptr, 0, nullptr, nullptr)),
              0u);
    EXPECT_EQ((Export<BOOL(WINAPI*)(HIMC, DWORD, LPVOID, DWORD, LPVOID, DWORD)>(
                  "ImeSetCompositionString")(nullptr, 0, nullptr, 0, nullptr, 0)),
              0);
}

// --- The settings dialog, as ImeConfigure shows it ----------------------------------------------

struct ConfigureRun {
    bool found = false;
    std::string notice;
    SettingsDialogContents contents;
};

// The dialog stands, not shown yet, behind the notice it gives: its texts are read, the notice
// answered.
void ReadAndAnswer(ConfigureRun& run) {
    const std::string caption = Gbk("提示");
    for (int tries = 0; tries < 200 && !run.found; ++tries) {
        HWND box = FindWindowA("#32770", caption.c_str());
        HWND dialog = FindWindowA("#32770", Gbk("输入法设置").c_str());
        if (box == nullptr || dialog == nullptr || !IsWindowVisible(box)) {
            Sleep(25);
            continue;
        }
        run.found = true;
        char text[256] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        run.notice = text;
        run.contents = ReadSettingsDialog(dialog);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
}

// Without the input method's keyboard layout active, this process has no input context for the
// dialog: it says so and closes, storing nothing (an OK once stored boxes nobody had filled in).
// (The end-to-end tests open it with a context and read the pages and the boxes.)
TEST_F(ImeModuleTest, ConfigureWithoutAContextSaysSoAndStoresNothing) {
    auto configure = Export<BOOL(WINAPI*)(HKL, HWND, DWORD, LPVOID)>("ImeConfigure");
    ASSERT_NE(configure, nullptr);
    for (DWORD mode : {IME_CONFIG_GENERAL, IME_CONFIG_REGISTERWORD, IME_CONFIG_SELECTDICTIONARY}) {
        ConfigureRun run;
        std::thread reader(ReadAndAnswer, std::ref(run));
        EXPECT_EQ(configure(nullptr, nullptr, mode, nullptr), TRUE);
        reader.join();
        ASSERT_TRUE(run.found) << mode;
        EXPECT_EQ(run.notice, Gbk("不能打开输入法设置：找不到当前程序的输入上下文!"));
        EXPECT_TRUE(run.contents.pages.empty()) << "no input context: the opening stops";
        HKEY own;
        EXPECT_NE(OpenSettingsKey(SettingsScope::User, KEY_READ, false, &own), ERROR_SUCCESS)
            << "nothing stored";
    }

    ConfigureRun run;
    std::thread reader(ReadAndAnswer, std::ref(run));
    configure(nullptr, nullptr, IME_CONFIG_GENERAL, nullptr);
    reader.join();
    const SettingsDialogContents& contents = run.contents;
    EXPECT_EQ(contents.caption, Gbk("输入法设置"));
    EXPECT_EQ(contents.style & WS_SYSMENU, 0) << "no close box";
    const std::map<int, const char*> captions = {
        {1042, "确定"},
        {1036, " ------ 光标跟随"},
        {1045, "左 Shift 键"},
        {1046, "右 Shift 键"},
        {1074, "临时关闭"},
        {1037, "；和 ’号键"},
        {1040, "，和 。号键"},
        {1047, "只用数字键"},
        {1071, "自动调频"},
        {1073, "手动调频"},
        {1033, "词语联想"},
        {1044, "逐渐提示"},
        {1034, "词语输入"},
        {1035, "外码提示"},
        {1052, "GB2312"},
        {1053, "GBK"},
        {1069, "青岚形码"},
        {1070, "远山笔"},
        {1077,
         "，。键为上下翻页键                        -------------         系统默认 \"=\"为后"
         "翻键， \"-\"为前翻键。                    增加以上翻页键时可以考虑取消词组联想功能"
         "。"},
    };
    for (const auto& [id, text] : captions) {
        EXPECT_EQ(contents.texts.at(id), Gbk(text) + "|") << id;
    }
    // The skin boxes: one radio group, a caption each, those that turn caret following off say so.
    const char* const skins[] = {"无皮肤",
                                 "浅色",
                                 "深色（不跟随光标）",
                                 "青绿（不跟随光标）",
                                 "湖蓝",
                                 "琥珀（不跟随光标）",
                                 "紫红（不跟随光标）"};
    for (int id = 1086; id <= 1092; ++id) {
        EXPECT_EQ(contents.texts.at(id), Gbk(skins[id - 1086]) + "|") << "skin box " << id;
    }
    EXPECT_NE(contents.texts.at(-1).find(Gbk("参数设置") + "|"), std::string::npos);
    EXPECT_TRUE(contents.disabled.empty());
}

// --- Resources --------------------------------------------------------------------------------

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

TEST_F(ImeModuleTest, TheAboutBoxShowsTheNameTheVersionAndThePicture) {
    HWND about = CreateDialogParamA(module, MAKEINTRESOURCEA(106), nullptr, PlainDialog, 0);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowTextA(about), Gbk("关于输入法"));
    std::map<int, std::string> texts = ControlTexts(about);
    EXPECT_EQ(texts[1], Gbk("确定") + "|");
    EXPECT_NE(texts[-1].find(Gbk("青岚形码") + "|"), std::string::npos);
    EXPECT_NE(texts[-1].find(Gbk("版本  1.5") + "|"), std::string::npos);
    HWND picture = FindWindowExA(about, nullptr, "Static", nullptr);
    bool bitmapShown = false;
    for (; picture != nullptr; picture = FindWindowExA(about, picture, "Static", nullptr)) {
        bitmapShown = bitmapShown || SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    }
    EXPECT_TRUE(bitmapShown);
    DestroyWindow(about);

    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(119), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(bitmap, nullptr);
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 48);
    DeleteObject(bitmap);
}

std::vector<std::string> MenuItems(HMENU menu) {
    std::vector<std::string> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        char text[64] = {};
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &item);
        if ((item.fType & MFT_SEPARATOR) != 0) {
            items.push_back("-");
            continue;
        }
        items.push_back(std::to_string(item.wID) + " " + Utf8(text) +
                        ((item.fType & MFT_MENUBARBREAK) != 0 ? " |" : ""));
    }
    return items;
}

TEST_F(ImeModuleTest, TheStatusMenuAndTheSoftKeyboardMenu) {
    HMENU status = LoadMenuA(module, MAKEINTRESOURCEA(105));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(MenuItems(GetSubMenu(status, 0)),
              (std::vector<std::string>{"40008 造词及编码查询", "-", "40028 操作指南", "-",
                                        "40005 版本信息"}));
    DestroyMenu(status);

    HMENU layouts = LoadMenuA(module, MAKEINTRESOURCEA(120));
    ASSERT_NE(layouts, nullptr);
    EXPECT_EQ(MenuItems(GetSubMenu(layouts, 0)), (std::vector<std::string>{"40013 ＰＣ键盘",
                                                                           "-",
                                                                           "40014 希腊字母",
                                                                           "-",
                                                                           "40015 俄文字母",
                                                                           "-",
                                                                           "40016 注音符号",
                                                                           "-",
                                                                           "40017 拼    音",
                                                                           "-",
                                                                           "40018 日文平假名",
                                                                           "-",
                                                                           "40019 日文片假名",
                                                                           "40020 标点符号 |",
                                                                           "-",
                                                                           "40021 数字序号",
                                                                           "-",
                                                                           "40022 数学符号",
                                                                           "-",
                                                                           "40023 单位符号",
                                                                           "-",
                                                                           "40024 制表符",
                                                                           "-",
                                                                           "40025 特殊符号",
                                                                           "-"}));
    DestroyMenu(layouts);
}

TEST_F(ImeModuleTest, TheHandCursorPointsWithItsFingerTip) {
    HCURSOR hand = LoadCursorA(module, MAKEINTRESOURCEA(126));
    ASSERT_NE(hand, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 13u);
    EXPECT_EQ(info.yHotspot, 1u);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

TEST_F(ImeModuleTest, TheVersionNamesAnInputMethodDriver) {
    const std::string path = ModulePath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010005u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DRV));
    EXPECT_EQ(fixed->dwFileSubtype, static_cast<DWORD>(VFT2_DRV_INPUTMETHOD));
    char* description = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\080403a8\\FileDescription",
                               reinterpret_cast<void**>(&description), &length));
    EXPECT_EQ(std::string(description), Gbk("青岚形码输入法"));
}

}  // namespace
