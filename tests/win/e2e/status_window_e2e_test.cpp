// The status window of the installed input method, used with the real pointer (SendInput): where
// it stands, what its buttons switch (the next key shows it), the drag, the right press over
// candidates, and each skin chosen through the registry showing the code and the candidates itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/settings_dialog_reader.h"
#include "win/e2e/e2e_support.h"

namespace {

// The visible status window of this thread's input method, if any.
HWND VisibleStatusWindow() {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, "QMVSTATUS", nullptr)) != nullptr) {
        if (IsWindowVisible(found) &&
            GetWindowThreadProcessId(found, nullptr) == GetCurrentThreadId()) {
            return found;
        }
    }
    return nullptr;
}

bool AnyVisible(const char* windowClass) {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, windowClass, nullptr)) != nullptr) {
        if (IsWindowVisible(found) &&
            GetWindowThreadProcessId(found, nullptr) == GetCurrentThreadId()) {
            return true;
        }
    }
    return false;
}

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

void Button(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    TypingWindow::Pump();
}

// A press and release at (x, y) of the window's client area, moving by (dx, dy) in between.
void Gesture(HWND window, int x, int y, DWORD down, DWORD up, int dx = 0, int dy = 0) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    TypingWindow::Pump();
    Button(down);
    if (dx != 0 || dy != 0) {
        SetCursorPos(point.x + dx / 2, point.y + dy / 2);
        Button(MOUSEEVENTF_MOVE);
        SetCursorPos(point.x + dx, point.y + dy);
        Button(MOUSEEVENTF_MOVE);
    }
    Button(up);
}

void Click(HWND window, int x, int y) {
    Gesture(window, x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

// Escape for the menu a right release opens (its loop runs on the test's thread).
void DismissMenuSoon() {
    std::thread([] {
        Sleep(400);
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }).detach();
}

// Chooses the skin with its box in the settings dialog and OK.
void ChooseSkin(const TypingWindow& typing, int skin) {
    std::thread driver([skin] {
        HWND dialog = WaitForSettingsDialog();
        if (dialog != nullptr) {
            SendMessageW(GetDlgItem(dialog, 1086 + skin), BM_CLICK, 0, 0);
            SendMessageW(GetDlgItem(dialog, 1042), BM_CLICK, 0, 0);
        }
    });
    ImmConfigureIMEW(typing.layout(), typing.window(), IME_CONFIG_GENERAL, nullptr);
    driver.join();
}

class StatusWindowE2eTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallWithDefaults(); }
};

TEST_F(StatusWindowE2eTest, PlainBarStandsBottomLeftAndItsButtonsSwitchTheModes) {
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    HWND status = VisibleStatusWindow();
    ASSERT_NE(status, nullptr) << "no status window shown";
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT rect = RectOf(status);
    EXPECT_EQ(rect.right - rect.left, 158);
    EXPECT_EQ(rect.bottom - rect.top, 22);
    EXPECT_EQ(rect.left, work.left);
    EXPECT_LE(rect.bottom, work.bottom);
    EXPECT_GT(rect.bottom, work.bottom - 40);

    Click(status, 15, 11);  // Chinese/English
    typing.Focus();
    EXPECT_EQ(typing.Type("ab"), "ab");
    Click(status, 100, 11);  // full width
    typing.Focus();
    EXPECT_EQ(typing.Type("c"), "abｃ");
    Click(status, 100, 11);
    Click(status, 15, 11);
    Click(status, 125, 11);  // ASCII punctuation
    typing.Focus();
    EXPECT_EQ(typing.Type(","), "abｃ,");
    Click(status, 125, 11);
    typing.Focus();
    EXPECT_EQ(typing.Type("aaaa "), "abｃ,工") << "back to Chinese";
    typing.Clear();

    // A drag, then a right press over candidates.
    const RECT before = RectOf(status);
    Gesture(status, 50, 11, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 200, -300);
    const RECT after = RectOf(status);
    EXPECT_EQ(after.left, before.left + 200);
    EXPECT_EQ(after.top, before.top - 300);

    typing.Focus();
    typing.Type("aaaa");
    DismissMenuSoon();
    Gesture(status, 60, 11, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    typing.Focus();
    typing.Type(" ");
    EXPECT_EQ(typing.Text().find("工"), std::string::npos) << "the candidates were cleared";
}

// Each skin chosen in the settings dialog, then used in a thread of its own, whose UI window (and
// status window) is created afresh. Disabled: under Wine the run stops inside the settings
// dialog's modal loop or the second thread's first keys, and is not yet understood.
TEST_F(StatusWindowE2eTest, DISABLED_EverySkinShowsTheCodeAndCandidatesInTheStatusWindow) {
    const int widths[] = {189, 426, 600, 184, 800, 643};
    const int heights[] = {214, 49, 71, 54, 28, 28};
    TypingWindow chooser;
    ASSERT_TRUE(chooser.ready());
    for (int skin = 1; skin <= 6; ++skin) {
        ChooseSkin(chooser, skin);
        EXPECT_EQ(ReadSetting("IMESETQ"), static_cast<DWORD>(skin));
        // This thread keeps handling its messages: the other thread's window takes the focus
        // from this one's, which the system tells it by sending.
        std::atomic<bool> done{false};
        std::thread worker([&] {
            TypingWindow typing;
            typing.Type("aaa");
            HWND status = VisibleStatusWindow();
            done = status == nullptr;
            ASSERT_NE(status, nullptr) << skin;
            const RECT rect = RectOf(status);
            EXPECT_EQ(rect.right - rect.left, widths[skin - 1]) << skin;
            EXPECT_EQ(rect.bottom - rect.top, heights[skin - 1]) << skin;
            EXPECT_FALSE(AnyVisible("QMVCOMP")) << skin;
            EXPECT_FALSE(AnyVisible("QMVCAND")) << skin;
            const std::string picked = typing.Type("1");
            EXPECT_FALSE(picked.empty()) << skin << ": a digit picks the first candidate";
            done = true;
        });
        while (!done) {
            TypingWindow::Pump();
        }
        worker.join();
    }
    ChooseSkin(chooser, 0);
    EXPECT_EQ(ReadSetting("IMESETQ"), 0u);
}

}  // namespace
