// The status window of the installed input method, used with the real pointer (SendInput): where
// it stands, what its buttons switch (the next key shows it), the drag, the right press over
// candidates, and each skin chosen in the settings dialog showing the code and the candidates
// itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

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

    // With Caps Lock on the letters are English; the Chinese/English button turns the lock off.
    typing.Type("<Caps>");
    EXPECT_EQ(typing.Type("ab"), "AB");
    Click(status, 15, 11);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
    typing.Focus();
    EXPECT_EQ(typing.Type("aaaa "), "AB工");
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
    EXPECT_EQ(TypingWindow::OpenCompositions(), 1);
    Gesture(status, 60, 11, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    TypingWindow::Pump();
    EXPECT_EQ(TypingWindow::OpenCompositions(), 0) << "the application saw the composition end";
    typing.Focus();
    typing.Type(" ");
    EXPECT_EQ(typing.Text().find("工"), std::string::npos) << "the candidates were cleared";
}

// How many distinct colours the window shows, read back from its surface into a memory bitmap: a
// skin with its pictures and its text has many, a blank or single-colour window one.
int ColoursShown(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, rect.right, rect.bottom, screen, 0, 0, SRCCOPY);
    std::vector<COLORREF> colours;
    for (int y = 0; y < rect.bottom; y += 3) {
        for (int x = 0; x < rect.right; x += 3) {
            const COLORREF colour = GetPixel(memory, x, y);
            if (std::find(colours.begin(), colours.end(), colour) == colours.end()) {
                colours.push_back(colour);
            }
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return static_cast<int>(colours.size());
}

// Each skin chosen in the settings dialog takes the status window over at once: the skin's size,
// the typed code and the candidates drawn in it (the composition and candidate windows stay
// hidden), and a digit picks what it shows.
TEST_F(StatusWindowE2eTest, EverySkinChosenInTheDialogShowsTheCodeAndCandidates) {
    const int widths[] = {189, 426, 600, 184, 800, 643};
    const int heights[] = {214, 49, 71, 54, 28, 28};
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    for (int skin = 1; skin <= 6; ++skin) {
        ChooseSkin(typing, skin);
        EXPECT_EQ(ReadSetting("IMESETQ"), static_cast<DWORD>(skin));
        typing.Focus();
        typing.Clear();
        typing.Type("aaa");
        HWND status = VisibleStatusWindow();
        ASSERT_NE(status, nullptr) << skin;
        const RECT rect = RectOf(status);
        EXPECT_EQ(rect.right - rect.left, widths[skin - 1]) << skin;
        EXPECT_EQ(rect.bottom - rect.top, heights[skin - 1]) << skin;
        EXPECT_FALSE(AnyVisible("QMVCOMP")) << skin;
        EXPECT_FALSE(AnyVisible("QMVCAND")) << skin;
        EXPECT_GT(ColoursShown(status), 2) << skin;
        EXPECT_EQ(typing.Type("1"), "工") << skin << ": a digit picks the first candidate";
        if (skin == 2) {
            // The first of the skin's buttons switches to the GBK characters and back.
            const POINT gbkButton{301 + 10, 3 + 10};
            Click(status, gbkButton.x, gbkButton.y);
            typing.Focus();
            EXPECT_EQ(typing.Type("aaa1"), "工菚");
            Click(status, gbkButton.x, gbkButton.y);
            typing.Focus();
            EXPECT_EQ(typing.Type("aaa1"), "工菚工");
        }
    }
    ChooseSkin(typing, 0);
    EXPECT_EQ(ReadSetting("IMESETQ"), 0u);
    // Under Wine the window comes back with the first key after the dialog.
    typing.Focus();
    typing.Clear();
    typing.Type("a");
    HWND status = VisibleStatusWindow();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(RectOf(status).right - RectOf(status).left, 158) << "back to the plain bar";
    EXPECT_TRUE(AnyVisible("QMVCAND")) << "the candidate window is back";
}

}  // namespace
