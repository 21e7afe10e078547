// The exports called directly with the input context that Wine's IMM32 made for the installed
// input method: where the messages of a key go in this bitness, selection and deselection,
// notifications, and the language indicator.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "platform/ime_declarations.h"
#include "win/e2e/e2e_support.h"

namespace {

struct IndicatorMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<IndicatorMessage> IndicatorLog;

LRESULT CALLBACK IndicatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0x464 && message <= 0x466) {
        IndicatorLog.push_back(IndicatorMessage{message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ExportsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallWithDefaults(); }
    void SetUp() override {
        ASSERT_TRUE(typing.ready());
        module = GetModuleHandleA("zelk.ime");
        ASSERT_NE(module, nullptr) << "IMM32 has not loaded the input method";
        context = ImmGetContext(typing.edit());
        ASSERT_NE(context, nullptr);
    }
    void TearDown() override { ImmReleaseContext(typing.edit(), context); }
    template <typename Function>
    Function Export(const char* name) {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    DWORD ComponentSize(HIMCC INPUTCONTEXT::*component) {
        INPUTCONTEXT* ic = ImmLockIMC(context);
        const DWORD size = ImmGetIMCCSize(ic->*component);
        ImmUnlockIMC(context);
        return size;
    }
    TypingWindow typing;
    HMODULE module = nullptr;
    HIMC context = nullptr;
};

TEST_F(ExportsTest, TheMessagesOfAKeyTakeTheRoadOfThisBitness) {
    auto toAscii =
        Export<UINT(WINAPI*)(UINT, UINT, const BYTE*, TRANSMSGLIST*, UINT, HIMC)>("ImeToAsciiEx");
    ASSERT_NE(toAscii, nullptr);
    BYTE keyState[256] = {};
    struct {
        TRANSMSGLIST list;
        TRANSMSG more[7];
    } messages{};
    messages.list.uMsgCount = 8;
    // 'a' as Wine hands it over: the character in bits 16-31.
    const UINT count = toAscii(0x00610041, 0x1E, keyState, &messages.list, 0, context);
    TypingWindow::Pump();
#ifdef _WIN64
    // Wine's 64-bit IMM32 cannot read the list: everything went through the message buffer, to
    // the EDIT control, which shows the code being typed.
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(typing.Text(), "a");
#else
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(messages.list.TransMsg[0].message, static_cast<UINT>(WM_IME_STARTCOMPOSITION));
    EXPECT_EQ(messages.list.TransMsg[1].message, static_cast<UINT>(WM_IME_COMPOSITION));
    EXPECT_EQ(typing.Text(), "") << "the messages were left to the caller";
#endif
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
    TypingWindow::Pump();
    EXPECT_EQ(typing.Text(), "");
}

TEST_F(ExportsTest, SelectionShapesTheRealContext) {
    auto select = Export<BOOL(WINAPI*)(HIMC, BOOL)>("ImeSelect");
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(ComponentSize(&INPUTCONTEXT::hCompStr), 366u);
    EXPECT_EQ(ComponentSize(&INPUTCONTEXT::hCandInfo), 10572u);
    DWORD conversion = 0;
    DWORD sentence = 0;
    ASSERT_TRUE(ImmGetConversionStatus(context, &conversion, &sentence));
    EXPECT_EQ(conversion & (IME_CMODE_NATIVE | IME_CMODE_SYMBOL | IME_CMODE_FULLSHAPE),
              static_cast<DWORD>(IME_CMODE_NATIVE | IME_CMODE_SYMBOL));

    EXPECT_EQ(select(context, FALSE), TRUE);
    EXPECT_EQ(ComponentSize(&INPUTCONTEXT::hCompStr), 100u);
    EXPECT_EQ(ComponentSize(&INPUTCONTEXT::hCandInfo), 144u);
    EXPECT_EQ(select(context, TRUE), TRUE);
    EXPECT_EQ(ComponentSize(&INPUTCONTEXT::hCompStr), 366u);
    EXPECT_EQ(ComponentSize(&INPUTCONTEXT::hCandInfo), 10572u);
    EXPECT_TRUE(ImmGetOpenStatus(context));
    EXPECT_EQ(typing.Type("aaaa "), "工") << "typing goes on after a new selection";
}

TEST_F(ExportsTest, CancelEmptiesTheCompositionAndCompleteLeavesIt) {
    typing.Type("aa");
    ASSERT_EQ(typing.Text(), "aa");
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    TypingWindow::Pump();
    EXPECT_EQ(typing.Text(), "aa") << "nothing is completed";
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0), 4);
    ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
    TypingWindow::Pump();
    EXPECT_EQ(typing.Text(), "");
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0), 0);
}

TEST_F(ExportsTest, ClosingTheContextDropsTheCode) {
    typing.Type("aa");
    ImmSetOpenStatus(context, FALSE);
    TypingWindow::Pump();
    EXPECT_EQ(typing.Text(), "");
    EXPECT_EQ(typing.Type("b"), "b") << "a closed context leaves the keys to the application";
    ImmSetOpenStatus(context, TRUE);
    EXPECT_EQ(typing.Type("aaaa "), "b工");
}

// The system's language indicator hears whether the context is open, with the input method's
// tooltip.
TEST(IndicatorTest, TheIndicatorHearsOpeningAndClosing) {
    InstallWithDefaults();
    WNDCLASSA indicatorClass{};
    indicatorClass.lpfnWndProc = IndicatorProc;
    indicatorClass.hInstance = GetModuleHandleA(nullptr);
    indicatorClass.lpszClassName = "Indicator";
    RegisterClassA(&indicatorClass);
    HWND indicator = CreateWindowA("Indicator", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   indicatorClass.hInstance, nullptr);
    ASSERT_NE(indicator, nullptr);
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    EXPECT_FALSE(IndicatorLog.empty()) << "the selection is announced";

    HIMC context = ImmGetContext(typing.edit());
    IndicatorLog.clear();
    ImmSetOpenStatus(context, FALSE);
    TypingWindow::Pump();
    ASSERT_EQ(IndicatorLog.size(), 3u);
    EXPECT_EQ(IndicatorLog[0].message, 0x464u);
    EXPECT_EQ(IndicatorLog[0].wParam, static_cast<WPARAM>(-1)) << "the default icon";
    EXPECT_EQ(IndicatorLog[1].message, 0x465u);
    EXPECT_EQ(IndicatorLog[1].wParam, static_cast<WPARAM>(-1)) << "the default tooltip";
    EXPECT_EQ(IndicatorLog[2].message, 0x466u);
    EXPECT_EQ(IndicatorLog[2].wParam, 0u);

    IndicatorLog.clear();
    ImmSetOpenStatus(context, TRUE);
    ImmReleaseContext(typing.edit(), context);
    TypingWindow::Pump();
    ASSERT_EQ(IndicatorLog.size(), 3u);
    EXPECT_EQ(IndicatorLog[0].message, 0x464u);
    EXPECT_EQ(IndicatorLog[0].wParam, 1u);
    EXPECT_EQ(IndicatorLog[1].message, 0x465u);
    char tooltip[32] = {};
    GlobalGetAtomNameA(static_cast<ATOM>(IndicatorLog[1].wParam), tooltip, sizeof tooltip);
    EXPECT_EQ(std::string(tooltip), Gbk("松鹤码"));
    EXPECT_EQ(IndicatorLog[2].message, 0x466u);
    EXPECT_EQ(IndicatorLog[2].wParam, 1u);
    for (const IndicatorMessage& message : IndicatorLog) {
        EXPECT_EQ(reinterpret_cast<HKL>(message.lParam), typing.layout());
    }
    DestroyWindow(indicator);
}

}  // namespace
