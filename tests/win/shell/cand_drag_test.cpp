// Dragging the candidate window by its background, and the composition window carrying the
// candidate window along, driven through the window procedures with the pointer placed by
// SetCursorPos.
#include <gtest/gtest.h>

#include "ime/process_state.h"
#include "settings/settings.h"
#include "ui/common/ui_private_win.h"
#include "ui/shell/ui_windows_win.h"
#include "ui/common/window_drags.h"
#include "win/shell/screenshot_support.h"

namespace {

class WindowDragTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        InstallSkinPictures();
        RegisterClassesOnce();
        Settings.CursorFollow = 1;
        ui = CreateWindowExA(0, "QMVUI", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(ui, nullptr);
        record = UiPrivateOf(ui);
        MoveWindow(record->CandWindow, 300, 200, 184, 192, FALSE);
        MoveWindow(record->CompWindow, 237, 200, 58, 26, FALSE);
    }
    void TearDown() override { DestroyWindow(ui); }
    static void Press(HWND window, UINT button, POINT at) {
        SetCursorPos(at.x, at.y);
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTERROR, button));
    }
    static void MoveAndRelease(HWND window, UINT release, POINT to, bool move = true) {
        if (move) {
            SetCursorPos(to.x, to.y);
            SendMessageA(window, WM_MOUSEMOVE, 0, 0);  // shows the outline
            SendMessageA(window, WM_MOUSEMOVE, 0, 0);  // moves it
        }
        SendMessageA(window, release, 0, 0);
    }
    static POINT TopLeft(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return POINT{rect.left, rect.top};
    }
    HWND ui = nullptr;
    UiPrivate* record = nullptr;
};

TEST_F(WindowDragTest, TheBackgroundDragsTheCandidateWindow) {
    Press(record->CandWindow, WM_LBUTTONDOWN,
          POINT{350, 210});  // the top strip, left of the buttons
    MoveAndRelease(record->CandWindow, WM_LBUTTONUP, POINT{450, 260});
    const POINT moved = TopLeft(record->CandWindow);
    EXPECT_EQ(moved.x, 400);
    EXPECT_EQ(moved.y, 250);
    EXPECT_EQ(record->placement.CandX, 400) << "the new place is remembered";
    EXPECT_EQ(record->placement.CandY, 250);
    EXPECT_FALSE(Drags.Cand.Armed());

    Press(record->CandWindow, WM_LBUTTONDOWN, POINT{410, 260});
    MoveAndRelease(record->CandWindow, WM_LBUTTONUP, POINT{500, 300}, false);
    EXPECT_EQ(TopLeft(record->CandWindow).x, 400) << "a press and release without a move";
}

TEST_F(WindowDragTest, TheCompositionWindowCarriesTheCandidateWindowAlong) {
    Press(record->CompWindow, WM_RBUTTONDOWN, POINT{240, 205});
    MoveAndRelease(record->CompWindow, WM_LBUTTONUP, POINT{140, 305});
    EXPECT_EQ(TopLeft(record->CompWindow).x, 137);
    EXPECT_EQ(TopLeft(record->CompWindow).y, 300);
    EXPECT_EQ(TopLeft(record->CandWindow).x, 200) << "the distance is kept";
    EXPECT_EQ(TopLeft(record->CandWindow).y, 300);
}

TEST_F(WindowDragTest, WithoutACandidateWindowTheCompositionWindowMovesAlone) {
    DestroyWindow(record->CandWindow);
    Press(record->CompWindow, WM_LBUTTONDOWN, POINT{240, 205});
    EXPECT_TRUE(Drags.Comp.Armed());
    EXPECT_FALSE(Drags.CompCand.Armed()) << "nothing to carry";
    MoveAndRelease(record->CompWindow, WM_RBUTTONUP, POINT{140, 305});
    EXPECT_EQ(TopLeft(record->CompWindow).x, 137);
    EXPECT_EQ(TopLeft(record->CompWindow).y, 300);
    EXPECT_FALSE(Drags.Comp.Armed());
}

}  // namespace
