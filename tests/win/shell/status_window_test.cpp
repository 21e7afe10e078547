// The status window's procedure driven with the messages a real pointer causes (a press arrives
// as WM_SETCURSOR with the button message in the high word, the release after SetCapture): every
// button, the drag and its work-area rules, the right press over candidates, and both menus, whose
// tracking, shell and message-box calls are answered through their call table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "context/input_context.h"
#include "dict/data_places.h"
#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/online_word_state.h"
#include "engine/window_state.h"
#include "ime/process_state.h"
#include "res/resource_ids.h"
#include "settings/settings.h"
#include "ui/dialogs/dialog_state.h"
#include "ui/layout/hit_tests.h"
#include "ui/status/soft_keyboard_win.h"
#include "ui/status/status_menu_win.h"
#include "ui/status/status_paint_win.h"
#include "ui/common/ui_private_win.h"
#include "win/shell/screenshot_support.h"

namespace {

// What the menu calls were asked, and the command the next menu answers.
struct MenuLog {
    UINT answer = 0;
    std::vector<std::vector<UINT>> menus;  // the item ids of each menu tracked (0 = separator)
    std::vector<POINT> anchors;
    std::vector<UINT> flags;
    std::vector<std::string> opened;
    std::vector<std::string> messages;
};
MenuLog Menus;

UINT FakeTrack(HMENU popup, UINT flags, POINT anchor, HWND) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        ids.push_back(GetMenuItemID(popup, i));
    }
    Menus.menus.push_back(ids);
    Menus.anchors.push_back(anchor);
    Menus.flags.push_back(flags);
    return Menus.answer;
}
void FakeOpen(HWND, const char* path) {
    Menus.opened.emplace_back(path);
}
int WINAPI FakeMessageBox(HWND, const char* text, const char* caption, UINT) {
    Menus.messages.push_back(std::string(caption) + "|" + text);
    return IDOK;
}

// The soft keyboard the UI window asks for: a real window standing in for the system's.
struct KeyboardLog {
    std::vector<int> shows;
    std::vector<UINT> created;
};
KeyboardLog Keyboard;
HWND WINAPI FakeCreate(UINT type, HWND, int, int) {
    Keyboard.created.push_back(type);
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 120, nullptr, nullptr, nullptr,
                           nullptr);
}
BOOL WINAPI FakeDestroy(HWND keyboard) {
    return DestroyWindow(keyboard);
}
BOOL WINAPI FakeShow(HWND, int command) {
    Keyboard.shows.push_back(command);
    return TRUE;
}
LRESULT FakeSetData(HWND, const void*) {
    return 0;
}

class StatusWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        InstallSkinPictures();
        RegisterClassesOnce();
        Process.ModuleInstance = GetModuleHandleA(nullptr);
        InitSkinLayout();
        Menus = MenuLog{};
        Keyboard = KeyboardLog{};
        previousMenus = InstallStatusMenuCalls({FakeTrack, FakeOpen, FakeMessageBox});
        previousKeyboard =
            InstallSoftKeyboardCalls({FakeCreate, FakeDestroy, FakeShow, FakeSetData});
    }
    void TearDown() override {
        if (ui != nullptr) {
            DestroyWindow(ui);
        }
        InstallStatusMenuCalls(previousMenus);
        InstallSoftKeyboardCalls(previousKeyboard);
    }
    void Open(int skin) {
        Settings.SkinIndex = skin;
        ui = CreateWindowExA(0, "QMVUI", "", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(ui, nullptr);
        status = UiPrivateOf(ui)->StatusWindow;
        ASSERT_NE(status, nullptr);
    }
    POINT Screen(int x, int y) const {
        POINT point{x, y};
        ClientToScreen(status, &point);
        return point;
    }
    void Press(int x, int y, UINT button = WM_LBUTTONDOWN) {
        const POINT point = Screen(x, y);
        SetCursorPos(point.x, point.y);
        SendMessageA(status, WM_SETCURSOR, reinterpret_cast<WPARAM>(status),
                     MAKELPARAM(HTERROR, button));
    }
    void MoveTo(POINT screen) {
        SetCursorPos(screen.x, screen.y);
        SendMessageA(status, WM_MOUSEMOVE, 0, 0);
    }
    void Release(UINT message = WM_LBUTTONUP) { SendMessageA(status, message, 0, 0); }
    void Click(int x, int y) {
        Press(x, y);
        Release();
    }
    RECT Rect() const {
        RECT rect{};
        GetWindowRect(status, &rect);
        return rect;
    }
    HWND ui = nullptr;
    HWND status = nullptr;
    StatusMenuCalls previousMenus{};
    SoftKeyboardCalls previousKeyboard{};
};

TEST_F(StatusWindowTest, PlainBarButtonsFlipTheirModesAtTheirEdges) {
    Open(0);
    struct Case {
        int x;
        int english, flags;
    };
    // From Chinese with Chinese punctuation; each click is one case, in order.
    const Case cases[] = {
        {29, 1, ChinesePunctuation},  {7, 0, ChinesePunctuation},
        {30, 0, ChinesePunctuation},  {6, 0, ChinesePunctuation},
        {155, 0, ChinesePunctuation}, {95, 0, ChinesePunctuation | FullWidth},
        {114, 0, ChinesePunctuation}, {115, 0, 0},
        {134, 0, ChinesePunctuation},
    };
    for (const Case& c : cases) {
        Click(c.x, 10);
        EXPECT_EQ(Modes.EnglishMode, c.english) << c.x;
        EXPECT_EQ(Modes.ModeFlags, c.flags) << c.x;
    }
    Click(50, 1);
    EXPECT_EQ(Modes.ModeFlags, ChinesePunctuation) << "outside the button band";
}

TEST_F(StatusWindowTest, SkinButtonsActInsideTheirBordersOnly) {
    Open(2);
    const SkinLayoutRecord& skin = SkinLayout[1];
    const int bx = skin.ButtonsX;
    const int y = skin.ButtonsY + 10;
    Click(bx + 40, y);
    EXPECT_EQ(Modes.EnglishMode, 0) << "the border between two buttons";
    Click(bx + 41, y);
    EXPECT_EQ(Modes.EnglishMode, 1);
    Click(bx + 10, y);
    EXPECT_EQ(Settings.GbkMode, 1);
    Click(bx + 70, y);
    EXPECT_TRUE(IsModeOn(FullWidth));
    Click(bx + 90, y);
    EXPECT_FALSE(IsModeOn(ChinesePunctuation));
    Click(bx + 10, skin.Height - 2);
    EXPECT_EQ(Settings.GbkMode, 1) << "below the row is a drag area";
}

TEST_F(StatusWindowTest, SoftKeyboardButtonShowsThePcLayoutThenHidesIt) {
    Open(0);
    ASSERT_NE(Windows.SoftKeyboardWindow, nullptr);
    Click(140, 10);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 1) << "ＰＣ键盘";
    ASSERT_FALSE(Keyboard.shows.empty());
    EXPECT_EQ(Keyboard.shows.back(), SW_SHOWNOACTIVATE);
    Click(140, 10);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 0);
    EXPECT_EQ(Keyboard.shows.back(), SW_HIDE);

    DestroySoftKeyboard();
    Click(140, 10);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 0) << "no soft keyboard window: nothing";
}

TEST_F(StatusWindowTest, DragMovesTheBarAndTheWorkAreaKeepsIt) {
    Open(0);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT before = Rect();
    Press(50, 10);
    MoveTo(POINT{before.left + 50 + 100, before.top + 10 - 200});
    MoveTo(POINT{before.left + 50 + 120, before.top + 10 - 300});
    Release();
    RECT after = Rect();
    EXPECT_EQ(after.left, before.left + 120);
    EXPECT_EQ(after.top, before.top - 300);
    EXPECT_EQ(after.right - after.left, 158);
    EXPECT_EQ(Windows.StatusPosX, after.left);
    EXPECT_EQ(Windows.StatusPosY, after.top);
    EXPECT_EQ(UiPrivateOf(ui)->placement.StatusX, after.left);

    // The next UI window's status window stands where this one was dropped.
    const RECT dropped = after;
    DestroyWindow(ui);
    Open(0);
    after = Rect();
    EXPECT_EQ(after.left, dropped.left);
    EXPECT_EQ(after.top, dropped.top);

    // Beyond the bottom right: pulled back inside.
    Press(50, 10);
    MoveTo(POINT{work.right + 40, work.bottom + 40});
    Release();
    after = Rect();
    EXPECT_EQ(after.right, work.right);
    EXPECT_EQ(after.bottom, work.bottom);

    // With candidates showing beside it (no caret following): room for the row, any height.
    Settings.CursorFollow = 0;
    Conversion.CandidateCount = 5;
    Press(50, 10);
    MoveTo(POINT{work.right - 100, work.bottom - 5});
    Release();
    after = Rect();
    EXPECT_EQ(after.left, work.right - (158 + 566 + 58) - 20);
    EXPECT_EQ(after.top, work.bottom - 5 - 10) << "partly below the work area";
}

TEST_F(StatusWindowTest, AReleaseOnADragAreaPlacesTheBarEvenWithoutAMove) {
    Open(0);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(status, work.right - 100, work.bottom - 10, 158, 22, FALSE);
    Press(50, 10);
    Release();
    RECT after = Rect();
    EXPECT_EQ(after.right, work.right) << "the drop rule pulls it back inside";
    EXPECT_EQ(after.bottom, work.bottom);
    EXPECT_EQ(Windows.StatusPosX, after.left);
    EXPECT_EQ(Windows.StatusPosY, after.top);

    // A press on a button is a click, however far the pointer goes before the release.
    const RECT before = Rect();
    Press(95, 10);
    MoveTo(POINT{before.left - 200, before.top - 200});
    MoveTo(POINT{before.left - 300, before.top - 300});
    Release();
    after = Rect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_TRUE(IsModeOn(FullWidth));
}

TEST_F(StatusWindowTest, ANewSkinResizesTheWindowAtItsNextPaintInsideTheWorkArea) {
    Open(0);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(status, work.right - 200, work.top + 50, 158, 22, FALSE);
    struct Step {
        int skin;
        int width, height;
    };
    for (const Step step : {Step{5, 800, 28}, Step{1, 189, 214}, Step{0, 158, 22}}) {
        Settings.SkinIndex = step.skin;
        HDC surface = GetDC(status);
        PaintStatusWindow(status, surface, kStatusHitNothing);
        ReleaseDC(status, surface);
        const RECT rect = Rect();
        EXPECT_EQ(rect.right - rect.left, step.width) << step.skin;
        EXPECT_EQ(rect.bottom - rect.top, step.height) << step.skin;
        EXPECT_LE(rect.right, work.right) << step.skin;
        EXPECT_EQ(Status.Skin, step.skin);
        EXPECT_EQ(UiPrivateOf(ui)->placement.StatusWidth, step.width) << step.skin;
    }
}

// (The clearing of candidates by a right press needs a context of the input method: the
// end-to-end test shows it.)
TEST_F(StatusWindowTest, RightReleaseOpensTheStatusMenuAtTheBarsOrigin) {
    Open(0);
    Press(60, 10, WM_RBUTTONDOWN);
    EXPECT_TRUE(Menus.menus.empty()) << "the menu opens at the release";
    Release(WM_RBUTTONUP);
    ASSERT_EQ(Menus.menus.size(), 1u);
    EXPECT_EQ(Menus.menus[0],
              (std::vector<UINT>{IDM_WORD_MAKING, 0, IDM_USER_GUIDE, 0, IDM_VERSION}));
    EXPECT_EQ(Menus.flags[0], static_cast<UINT>(TPM_RETURNCMD | TPM_BOTTOMALIGN));
    const POINT origin = Screen(0, 0);
    EXPECT_EQ(Menus.anchors[0].x, origin.x);
    EXPECT_EQ(Menus.anchors[0].y, origin.y);
}

TEST_F(StatusWindowTest, MenuOpensTheGuideAndRefusesASecondWordDialog) {
    Open(0);
    Menus.answer = IDM_USER_GUIDE;
    EXPECT_EQ(StatusMenu(status, nullptr), 1);
    char guide[260];
    ASSERT_TRUE(UserGuidePath(guide));
    EXPECT_EQ(Menus.opened, std::vector<std::string>{guide});

    Menus.answer = IDM_WORD_MAKING;
    Dialogs.WordDialogOpen = 1;
    EXPECT_EQ(StatusMenu(status, nullptr), 0);
    EXPECT_EQ(Menus.messages,
              std::vector<std::string>{"\xcc\xe1\xca\xbe|\xd4\xec\xb4\xca\xb3\xcc"
                                       "\xd0\xf2\xd2\xd1\xbe\xad\xd4\xcb\xd0\xd0!"});
    EXPECT_EQ(Dialogs.WordDialogOpen, 1) << "the open dialog is left alone";

    Menus.answer = 0;
    EXPECT_EQ(StatusMenu(status, nullptr), 1) << "dismissed";
}

DWORD WINAPI CloseAboutBox(void* found) {
    for (int tries = 0; tries < 200; ++tries) {
        HWND dialog = FindWindowA("#32770", nullptr);
        if (dialog != nullptr && GetDlgItem(dialog, IDC_ABOUT_OK) != nullptr) {
            *static_cast<bool*>(found) = true;
            PostMessageA(dialog, WM_COMMAND, IDC_ABOUT_OK, 0);
            return 0;
        }
        Sleep(25);
    }
    return 0;
}

TEST_F(StatusWindowTest, VersionItemShowsTheAboutBox) {
    Open(0);
    Menus.answer = IDM_VERSION;
    bool found = false;
    HANDLE closer = CreateThread(nullptr, 0, CloseAboutBox, &found, 0, nullptr);
    EXPECT_EQ(StatusMenu(status, nullptr), 1);
    WaitForSingleObject(closer, 10000);
    CloseHandle(closer);
    EXPECT_TRUE(found) << "dialog 106";
}

TEST_F(StatusWindowTest, SoftKeyboardMenuSelectsTheChosenLayout) {
    Open(0);
    Menus.answer = IDM_SOFT_KEYBOARD_FIRST + 7;  // 标点符号
    Press(140, 10, WM_RBUTTONDOWN);
    Release(WM_RBUTTONUP);
    ASSERT_EQ(Menus.menus.size(), 1u);
    EXPECT_EQ(Menus.menus[0].size(), 13u + 12u) << "thirteen layouts, twelve separators";
    EXPECT_EQ(Menus.anchors[0].x, Screen(55, 0).x);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 8);
    EXPECT_EQ(Keyboard.created.back(), 2u) << "SOFTKEYBOARD_TYPE_C1";
    EXPECT_EQ(Keyboard.shows.back(), SW_SHOWNOACTIVATE);

    Menus.answer = 0;
    Modes.SoftKeyboardIndex = 0;
    Press(140, 10, WM_RBUTTONDOWN);
    Release(WM_RBUTTONUP);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 0) << "dismissed";
}

TEST_F(StatusWindowTest, PointerOverAButtonPaintsItsHoverUntilTheNextMessage) {
    Open(0);
    const POINT over = Screen(100, 10);
    SetCursorPos(over.x, over.y);
    SendMessageA(status, WM_SETCURSOR, reinterpret_cast<WPARAM>(status),
                 MAKELPARAM(HTERROR, WM_MOUSEMOVE));
    EXPECT_EQ(Status.StatusHit, 3);
    EXPECT_TRUE(Status.StatusHover);
    SendMessageA(status, WM_NULL, 0, 0);
    EXPECT_FALSE(Status.StatusHover);
    const POINT outside = Screen(3, 10);
    SetCursorPos(outside.x, outside.y);
    SendMessageA(status, WM_SETCURSOR, reinterpret_cast<WPARAM>(status),
                 MAKELPARAM(HTERROR, WM_MOUSEMOVE));
    EXPECT_EQ(Status.StatusHit, 0);
    EXPECT_FALSE(Status.StatusHover);
}

}  // namespace
