// The UI window's lifecycle called directly: what its creation makes and shows, what its
// destruction takes away and resets, the soft keyboard it asks the system for, and that no GDI
// object outlives a window or a paint.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "context/selection_state.h"
#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/window_state.h"
#include "ime/process_state.h"
#include "settings/settings.h"
#include "ui/candidate/cand_paint_win.h"
#include "ui/status/soft_keyboard_block.h"
#include "ui/status/soft_keyboard_win.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"
#include "win/shell/screenshot_support.h"

namespace {

// What the soft-keyboard calls were asked.
struct SoftKeyboardLog {
    std::vector<UINT> createdTypes;
    int destroyed = 0;
    std::vector<int> shows;
    std::vector<std::vector<unsigned char>> blocks;
    HWND keyboard = nullptr;  // a real window standing in for the system's keyboard
};
SoftKeyboardLog Log;

HWND WINAPI FakeCreate(UINT type, HWND, int, int) {
    Log.createdTypes.push_back(type);
    Log.keyboard = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 120, nullptr, nullptr,
                                   nullptr, nullptr);
    return Log.keyboard;
}
BOOL WINAPI FakeDestroy(HWND keyboard) {
    ++Log.destroyed;
    return DestroyWindow(keyboard);
}
BOOL WINAPI FakeShow(HWND, int command) {
    Log.shows.push_back(command);
    return TRUE;
}
LRESULT FakeSetData(HWND, const void* block) {
    const auto* bytes = static_cast<const unsigned char*>(block);
    Log.blocks.emplace_back(bytes, bytes + kSoftKeyboardBlockSize);
    return 0;
}

class UiWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        InstallSkinPictures();
        RegisterClassesOnce();
        Log = SoftKeyboardLog{};
        previous = InstallSoftKeyboardCalls({FakeCreate, FakeDestroy, FakeShow, FakeSetData});
    }
    void TearDown() override { InstallSoftKeyboardCalls(previous); }
    static HWND CreateUi() {
        return CreateWindowExA(0, "QMVUI", "", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    static RECT RectOf(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }
    SoftKeyboardCalls previous{};
};

TEST_F(UiWindowTest, CreationMakesTheWindowsAndShowsOnlyTheStatusWindow) {
    HWND ui = CreateUi();
    ASSERT_NE(ui, nullptr);
    const UiPrivate* record = UiPrivateOf(ui);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(Windows.CurrentStatusWindow, record->StatusWindow);
    EXPECT_EQ(Windows.CurrentCandWindow, record->CandWindow);
    EXPECT_EQ(Windows.CurrentCompWindow, record->CompWindow);
    ASSERT_NE(Windows.LongCandidateTip, nullptr);
    for (HWND child : {record->CandWindow, record->CompWindow, Windows.LongCandidateTip}) {
        EXPECT_FALSE(IsWindowVisible(child));
        EXPECT_EQ(OwningUiWindow(child), ui);
        EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_DISABLED);
    }
    EXPECT_TRUE(IsWindowVisible(record->StatusWindow));
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT status = RectOf(record->StatusWindow);
    EXPECT_EQ(status.left, work.left);
    EXPECT_EQ(status.top, work.bottom - 22 - 10);
    EXPECT_EQ(status.right - status.left, 158);
    EXPECT_EQ(status.bottom - status.top, 22);
    EXPECT_EQ(record->placement.CompX, -1);
    EXPECT_EQ(record->placement.CandWidth, 184);
    EXPECT_EQ(record->placement.CompWidth, 58);
    EXPECT_EQ(Log.createdTypes, std::vector<UINT>{2u}) << "SOFTKEYBOARD_TYPE_C1";
    EXPECT_TRUE(Log.blocks.empty()) << "no soft-keyboard layout without IME_CMODE_SOFTKBD";

    Modes.EnglishMode = 1;
    Modes.ModeFlags = FullWidth;
    Conversion.CandidateCount = 7;
    Windows.PressedPageButton = 3;
    Modes.DigitBeforePeriod = 1;
    Modes.SingleQuoteToggle = 0;  // an opening quote was typed last
    HWND statusWindow = record->StatusWindow;
    DestroyWindow(ui);
    EXPECT_FALSE(IsWindow(statusWindow));
    EXPECT_EQ(Windows.CurrentStatusWindow, nullptr);
    EXPECT_EQ(Windows.CurrentCandWindow, nullptr);
    EXPECT_EQ(Windows.LongCandidateTip, nullptr);
    EXPECT_EQ(Windows.SoftKeyboardWindow, nullptr);
    EXPECT_EQ(Log.destroyed, 1);
    EXPECT_EQ(Modes.EnglishMode, 0);
    EXPECT_EQ(Modes.ModeFlags, ChinesePunctuation);
    EXPECT_EQ(Conversion.CandidateCount, kNoCandidates);
    EXPECT_EQ(Windows.PressedPageButton, 0);
    EXPECT_EQ(Modes.DigitBeforePeriod, 0);
    EXPECT_EQ(Modes.SingleQuoteToggle, 0) << "the quotes' pairing lives on with the process";
}

// The settings dialog switches caret following while the windows exist: the candidate window
// paints the new look from that look's own background.
TEST_F(UiWindowTest, TheCandidateWindowFollowsASwitchOfCaretFollowing) {
    for (const bool followAtCreation : {false, true}) {
        Settings.CursorFollow = followAtCreation ? 1 : 0;
        HWND ui = CreateUi();
        ASSERT_NE(ui, nullptr);
        Settings.CursorFollow = followAtCreation ? 0 : 1;
        PaintCandidateWindow(Windows.CurrentCandWindow);
        const CandidatePictures* pictures = CandidatePicturesOf(Windows.CurrentCandWindow);
        ASSERT_NE(pictures, nullptr);
        ASSERT_NE(pictures->background, nullptr);
        BITMAP background{};
        GetObjectA(pictures->background, sizeof background, &background);
        EXPECT_EQ(background.bmWidth, followAtCreation ? 566 : 184) << followAtCreation;
        EXPECT_EQ(background.bmHeight, followAtCreation ? 26 : 192) << followAtCreation;
        DestroyWindow(ui);
    }
}

TEST_F(UiWindowTest, TheSoftKeyboardModeSelectsTheFirstLayoutAtTheBottomRight) {
    Selection.SelectedConversionMode = IME_CMODE_NATIVE | IME_CMODE_SOFTKBD;
    HWND ui = CreateUi();
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 1);
    ASSERT_EQ(Log.blocks.size(), 1u);
    std::vector<unsigned char> expected(kSoftKeyboardBlockSize, 0);
    ASSERT_TRUE(BuildSoftKeyboardBlock(1, expected.data(), expected.size()));
    EXPECT_EQ(Log.blocks[0], expected);
    EXPECT_EQ(Log.shows, std::vector<int>{SW_SHOWNOACTIVATE});
    const RECT keyboard = RectOf(Log.keyboard);
    const POINT place = SoftKeyboardPosition(WorkAreaOfWindow(Log.keyboard), 300, 120);
    EXPECT_EQ(keyboard.left, place.x);
    EXPECT_EQ(keyboard.top, place.y);

    SelectSoftKeyboardLayout(12);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 13);
    ASSERT_EQ(Log.blocks.size(), 2u);
    ASSERT_TRUE(BuildSoftKeyboardBlock(13, expected.data(), expected.size()));
    EXPECT_EQ(Log.blocks[1], expected);
    DestroyWindow(ui);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 0);

    SelectSoftKeyboardLayout(3);
    EXPECT_EQ(Modes.SoftKeyboardIndex, 0) << "no soft keyboard, nothing selected";
}

TEST_F(UiWindowTest, NoGdiObjectOutlivesAWindowOrAPaint) {
    Settings.ProgressiveHint = 1;
    Settings.CursorFollow = 1;
    Conversion.CandidateCount = 12;
    HWND first = CreateUi();
    DestroyWindow(first);
    const DWORD before = GdiObjectCount();
    for (int cycle = 0; cycle < 100; ++cycle) {
        Settings.CursorFollow = cycle % 2;
        HWND ui = CreateUi();
        ASSERT_NE(ui, nullptr);
        PaintCandidateWindow(Windows.CurrentCandWindow);
        DestroyWindow(ui);
    }
    HWND ui = CreateUi();
    HFONT font = CreateInterfaceFont();
    Windows.UiFont = font;
    const DWORD withWindow = GdiObjectCount();
    for (int paint = 0; paint < 1000; ++paint) {
        PaintCandidateWindow(Windows.CurrentCandWindow);
    }
    const DWORD afterPaints = GdiObjectCount();
    DestroyWindow(ui);
    Windows.UiFont = nullptr;
    DeleteObject(font);
    const DWORD after = GdiObjectCount();
    std::printf("GDI objects: %lu before, %lu with a window, %lu after 1000 paints, %lu after\n",
                before, withWindow, afterPaints, after);
    EXPECT_EQ(afterPaints, withWindow);
    EXPECT_EQ(after, before);
}

}  // namespace
