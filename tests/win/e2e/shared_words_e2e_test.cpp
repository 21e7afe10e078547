// Two programs with the installed input method loaded: a word made on line in one is offered by
// the other within its next composition, and a word made in the second does not push the first
// one's out of the user file. The other program is this test program again, started for its half.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <thread>
#include <vector>

#include "common/gbk_text.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

const char kHalfVariable[] = "ZELK_SHARED_WORDS_HALF";

// Presses OK on every "提示" box of the input method (the question before a word is saved, and any
// notice) until it goes out of scope.
class BoxAnswerer {
  public:
    BoxAnswerer() : thread_([this] { Run(); }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    int answered() const { return answered_; }

  private:
    void Run() {
        const std::string caption = Gbk("提示");
        while (!stop_) {
            HWND box = FindWindowA("#32770", caption.c_str());
            if (box == nullptr || !IsWindowVisible(box)) {
                Sleep(20);
                continue;
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
            ++answered_;
            for (int wait = 0; wait < 100 && IsWindow(box); ++wait) {
                Sleep(20);
            }
        }
    }
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};

// Whether the candidate list of the typing window's context offers the word (GBK) itself, with or
// without a code hint after it.
bool Offers(const TypingWindow& typing, const std::string& word) {
    HIMC context = ImmGetContext(typing.edit());
    const DWORD size = ImmGetCandidateListA(context, 0, nullptr, 0);
    std::vector<BYTE> bytes(size);
    bool found = false;
    if (size != 0 &&
        ImmGetCandidateListA(context, 0, reinterpret_cast<CANDIDATELIST*>(bytes.data()), size)) {
        const auto* list = reinterpret_cast<const CANDIDATELIST*>(bytes.data());
        for (DWORD i = 0; i < list->dwCount && !found; ++i) {
            const char* text = reinterpret_cast<const char*>(bytes.data() + list->dwOffset[i]);
            if (std::strlen(text) < word.size() ||
                std::memcmp(text, word.data(), word.size()) != 0) {
                continue;
            }
            const char after = text[word.size()];
            found = after == '\0' || (after >= 'a' && after <= 'z');
        }
    }
    ImmReleaseContext(typing.edit(), context);
    return found;
}

// Ctrl+` as a person types it: the keys are still held while the input method handles the press
// (it sends Ctrl+C to the application and the press again), and released after.
void CtrlBackquote() {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = VK_OEM_3;
    SendInput(2, keys, sizeof(INPUT));
    TypingWindow::Pump();
    keys[0].ki.dwFlags = keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    std::swap(keys[0], keys[1]);
    SendInput(2, keys, sizeof(INPUT));
    TypingWindow::Pump();
}

// Makes a word on line: Ctrl+`, the characters' codes, Ctrl+` (the question is answered OK).
void MakeWord(TypingWindow& typing, std::string_view codes) {
    CtrlBackquote();
    typing.Type(codes);
    CtrlBackquote();
}

TEST(SharedWordsTest, AWordMadeInOneProgramIsOfferedInAnotherAndBothAreKept) {
    InstallWithDefaults();
    const std::string userFile = SystemFolder() + "zelk\\zelk2006.emb";
    const std::string shipped = ReadWholeFile(userFile);
    const std::string otherWord = Gbk("工工");  // aaaa
    const std::string ownWord = Gbk("中人");    // khww
    {
        TypingWindow typing;
        ASSERT_TRUE(typing.ready());
        typing.Type("aaaa");
        EXPECT_FALSE(Offers(typing, otherWord)) << "not a word before the other program makes it";
        typing.Type("<Esc>");

        // The other program makes "工工" while this one has its user words loaded.
        EXPECT_EQ(RunTestInAnotherProcess("", kHalfVariable, "SharedWordsTest.OtherProgramHalf"),
                  0u);
        EXPECT_NE(ReadWholeFile(userFile).find("aaaa     " + otherWord + "\r\n"),
                  std::string::npos);

        typing.Focus();
        typing.Type("aaaa");
        EXPECT_TRUE(Offers(typing, otherWord))
            << "the other program's word in the next composition";
        typing.Type("<Esc>");

        // This program makes "中人": the other program's word stays on disk beside it.
        typing.Clear();
        BoxAnswerer answerer;
        MakeWord(typing, "khk wwww ");
        EXPECT_GE(answerer.answered(), 1);
    }
    const std::string words = ReadWholeFile(userFile);
    EXPECT_NE(words.find("aaaa     " + otherWord + "\r\n"), std::string::npos) << words;
    EXPECT_NE(words.find("khww     " + ownWord + "\r\n"), std::string::npos) << words;
    // Later tests (reinstalling keeps user words) start from the shipped words.
    WriteWholeFile(userFile, shipped);
}

// Started by the test above: makes "工工" on line and ends.
TEST(SharedWordsTest, OtherProgramHalf) {
    if (std::getenv(kHalfVariable) == nullptr) {
        GTEST_SKIP() << "the other program's half of AWordMadeInOneProgramIsOfferedInAnother...";
    }
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    BoxAnswerer answerer;
    // Ctrl+` tapped quickly: both keys are up before the input method handles the press.
    EXPECT_EQ(typing.Type("<C-`>aaaa aaaa <C-`>"), "工工");
    EXPECT_EQ(answerer.answered(), 1) << "one question, no notice";
}

}  // namespace
