// The visible input method in both kinds of application, after a real installation: Wine's EDIT
// control, which draws the composition itself and passes only WM_IME_NOTIFY on, and a window that
// passes every input-method message to the default window procedure. Real key events and real
// mouse input (SendInput). Tests that change the stored options run in a process of their own
// (as CTest runs every test): the input method reads its options when it is loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dict/data_places.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

constexpr DWORD kDefaultsWithoutAssociation = 0xCE;
constexpr DWORD kCursorFollowBit = 0x8;
constexpr DWORD kProgressiveHintBit = 0x40;

struct Found {
    const char* className;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
    auto* found = reinterpret_cast<Found*>(data);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, found->className) == 0 && IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// The visible window of a class of the input method, or null.
HWND VisibleWindow(const char* className) {
    Found found{className, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

void StoreOptions(DWORD imeset) {
    SetRawSettingsValue("IMESET", REG_DWORD, &imeset, sizeof imeset, SettingsScope::User);
}

// The candidate texts of the current page, as the application reads them (UTF-8).
std::vector<std::string> PageCandidates(HWND window, DWORD* pageStart = nullptr,
                                        DWORD* count = nullptr) {
    std::vector<std::string> texts;
    HIMC context = ImmGetContext(window);
    const DWORD size = ImmGetCandidateListA(context, 0, nullptr, 0);
    std::vector<BYTE> bytes(size);
    if (size != 0 &&
        ImmGetCandidateListA(context, 0, reinterpret_cast<CANDIDATELIST*>(bytes.data()), size)) {
        const auto* list = reinterpret_cast<const CANDIDATELIST*>(bytes.data());
        for (DWORD i = list->dwPageStart; i < list->dwCount && i < list->dwPageStart + 10; ++i) {
            const char* text = reinterpret_cast<const char*>(bytes.data() + list->dwOffset[i]);
            wchar_t wide[128] = {};
            MultiByteToWideChar(936, 0, text, -1, wide, 127);
            texts.push_back(Utf8Of(wide));
        }
        if (pageStart != nullptr) {
            *pageStart = list->dwPageStart;
        }
        if (count != nullptr) {
            *count = list->dwCount;
        }
    }
    ImmReleaseContext(window, context);
    return texts;
}

// A left click at a point of the screen, as real mouse input.
void ClickAt(POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (point.x * 65535 + width / 2) / (width - 1);
        input.mi.dy = (point.y * 65535 + height / 2) / (height - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    for (INPUT& input : inputs) {
        SendInput(1, &input, sizeof input);
        TypingWindow::Pump();
    }
}

class UiWindowsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallWithDefaults(); }
    // The installed defaults without word association, so that a commit leaves no list.
    void Open(DWORD imeset = kDefaultsWithoutAssociation) {
        StoreOptions(imeset);
        typing = std::make_unique<TypingWindow>();
        ASSERT_TRUE(typing->ready()) << "the zelk layout is not active";
    }
    // The application that passes every input-method message on: the frame window.
    void FocusFrame() {
        SetFocus(typing->window());
        TypingWindow::Pump();
    }
    std::unique_ptr<TypingWindow> typing;
};

TEST_F(UiWindowsTest, InAnEditControlThePanelStandsNearTheCaret) {
    Open();
    char picture[kPathBufferSize];
    ASSERT_TRUE(MachineFilePath("skip\\skip0c.bmp", picture));
    EXPECT_NE(GetFileAttributesA(picture), INVALID_FILE_ATTRIBUTES)
        << "the installer puts the pictures in place";
    typing->Type("aa");
    HWND cand = VisibleWindow("QMVCAND");
    ASSERT_NE(cand, nullptr) << "no candidate window shown";
    const RECT panel = RectOf(cand);
    EXPECT_EQ(panel.right - panel.left, 184);
    EXPECT_EQ(panel.bottom - panel.top, 192);
    RECT edit = RectOf(typing->edit());
    EXPECT_LT(std::abs(panel.left - edit.left), 300) << "beside the caret";
    EXPECT_GE(panel.top, edit.top);
    EXPECT_LT(panel.top, edit.bottom + 80);
    EXPECT_NE(VisibleWindow("QMVSTATUS"), nullptr) << "the status window stays shown";
    // For the record: from a key sent to the panel painted again (its window validated).
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        typing->Type("<Enter>");
        LARGE_INTEGER frequency;
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        INPUT key[2] = {};
        key[0].type = key[1].type = INPUT_KEYBOARD;
        key[0].ki.wVk = key[1].ki.wVk = 'A';
        key[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, key, sizeof(INPUT));
        HWND shown = nullptr;
        for (int spin = 0; spin < 100000 && shown == nullptr; ++spin) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            shown = VisibleWindow("QMVCAND");
            RECT dirty{};
            if (shown != nullptr && GetUpdateRect(shown, &dirty, FALSE)) {
                shown = nullptr;
            }
        }
        QueryPerformanceCounter(&end);
        ASSERT_NE(shown, nullptr);
        times.push_back(1e3 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    std::printf("key to painted panel: %.2f ms (median of %zu)\n", times[times.size() / 2],
                times.size());
    typing->Type("<Enter>");
    EXPECT_EQ(VisibleWindow("QMVCAND"), nullptr) << "Enter hides the panel";
    typing->Type("aaaa ");
    EXPECT_EQ(VisibleWindow("QMVCAND"), nullptr) << "a commit hides the panel";
}

TEST_F(UiWindowsTest, AnApplicationPassingEveryMessageGetsBothWindows) {
    Open();
    FocusFrame();
    typing->Type("kh");
    HWND comp = VisibleWindow("QMVCOMP");
    HWND cand = VisibleWindow("QMVCAND");
    ASSERT_NE(comp, nullptr) << "no composition window shown";
    ASSERT_NE(cand, nullptr) << "no candidate window shown";
    const RECT code = RectOf(comp);
    EXPECT_EQ(code.right - code.left, 58);
    EXPECT_EQ(code.bottom - code.top, 26);
    EXPECT_EQ(RectOf(cand).left, code.right + 5) << "the panel beside the code";
    typing->Type(" ");
    EXPECT_EQ(VisibleWindow("QMVCOMP"), nullptr);
    EXPECT_EQ(VisibleWindow("QMVCAND"), nullptr);
    typing->Type("kh<Enter>");
    EXPECT_EQ(VisibleWindow("QMVCOMP"), nullptr) << "Enter hides the composition window";
    EXPECT_EQ(VisibleWindow("QMVCAND"), nullptr) << "Enter hides the candidate window";
}

TEST_F(UiWindowsTest, WithoutCaretFollowingTheBarStandsInARowBesideTheStatusWindow) {
    Open(kDefaultsWithoutAssociation & ~kCursorFollowBit);
    typing->Type("aa");
    HWND cand = VisibleWindow("QMVCAND");
    HWND status = VisibleWindow("QMVSTATUS");
    ASSERT_NE(cand, nullptr);
    ASSERT_NE(status, nullptr);
    const RECT bar = RectOf(cand);
    const RECT plain = RectOf(status);
    EXPECT_EQ(bar.right - bar.left, 566);
    EXPECT_EQ(bar.bottom - bar.top, 26);
    EXPECT_EQ(bar.top, plain.top);
    EXPECT_EQ(bar.left, plain.right + 10 + 58 + 5);
}

TEST_F(UiWindowsTest, WithoutProgressiveHintsThePanelWaitsForACompleteCode) {
    Open(kDefaultsWithoutAssociation & ~kProgressiveHintBit);
    typing->Type("a");
    EXPECT_EQ(VisibleWindow("QMVCAND"), nullptr) << "the code still has longer matches";
    typing->Type("aaa");
    EXPECT_NE(VisibleWindow("QMVCAND"), nullptr) << "the complete code shows its list";
}

TEST_F(UiWindowsTest, AClickOnTheThirdLineCommitsTheThirdCandidate) {
    Open();
    typing->Type("aa");
    const std::vector<std::string> page = PageCandidates(typing->edit());
    ASSERT_GE(page.size(), 3u);
    HWND cand = VisibleWindow("QMVCAND");
    ASSERT_NE(cand, nullptr);
    const RECT panel = RectOf(cand);
    ClickAt(POINT{panel.left + 40, panel.top + 58});  // line 3: (58 - 18) / 16 + 1
    // The line shows the word with its code hint (the keys still to type); the word is committed.
    auto wordOf = [](std::string line) {
        while (!line.empty() && static_cast<unsigned char>(line.back()) < 0x80) {
            line.pop_back();
        }
        return line;
    };
    const std::string word = wordOf(page[2]);
    ASSERT_NE(word, wordOf(page[0])) << "the third line must differ from the first";
    EXPECT_EQ(typing->Text(), word);
    EXPECT_EQ(VisibleWindow("QMVCAND"), nullptr);
}

TEST_F(UiWindowsTest, ThePageButtonsTurnThePages) {
    Open();
    typing->Type("a");
    DWORD start = 0;
    DWORD count = 0;
    PageCandidates(typing->edit(), &start, &count);
    ASSERT_GT(count, start + 10) << "the code needs more than a page";
    HWND cand = VisibleWindow("QMVCAND");
    ASSERT_NE(cand, nullptr);
    const RECT panel = RectOf(cand);
    ClickAt(POINT{panel.left + 160, panel.top + 10});  // button 3, page down
    DWORD next = 0;
    PageCandidates(typing->edit(), &next);
    EXPECT_GT(next, start);
    ClickAt(POINT{panel.left + 132, panel.top + 10});  // button 1, first page
    PageCandidates(typing->edit(), &next);
    EXPECT_EQ(next, start);
}

TEST_F(UiWindowsTest, AStatusWindowTheApplicationClosedStaysClosedWhileTyping) {
    Open();
    HWND status = VisibleWindow("QMVSTATUS");
    ASSERT_NE(status, nullptr);
    HWND ui = GetWindow(status, GW_OWNER);
    ASSERT_NE(ui, nullptr);
    SendMessageA(ui, WM_IME_NOTIFY, IMN_CLOSESTATUSWINDOW, 0);
    EXPECT_FALSE(IsWindowVisible(status));
    typing->Type("a");
    typing->Type("a");
    ASSERT_NE(VisibleWindow("QMVCAND"), nullptr) << "the candidates show";
    EXPECT_FALSE(IsWindowVisible(status)) << "a change of the candidates does not reopen it";
    SendMessageA(ui, WM_IME_NOTIFY, IMN_OPENSTATUSWINDOW, 0);
    EXPECT_TRUE(IsWindowVisible(status));
}

}  // namespace
