// Selection, notification and inquiry as the exports decide them, on host input contexts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/conversion_state.h"
#include "ime/ime_calls.h"
#include "context/input_context.h"
#include "platform/host/host_control.h"
#include "support/engine_session.h"
#include "engine/window_state.h"
#include "context/selection_state.h"
#include "ime/process_state.h"

namespace {

using Texts = std::vector<std::string>;

// A context as IMM32 creates it, owned by a window, before any selection.
class FreshContext {
  public:
    FreshContext() : owner_(HostCreateWindow()), context_(HostCreateInputContext()) {
        HostSetContextOwner(context_, owner_);
    }
    ~FreshContext() {
        HostDestroyInputContext(context_);
        HostDestroyWindow(owner_);
    }
    HIMC get() const { return context_; }
    INPUTCONTEXT* record() const {
        INPUTCONTEXT* data = ImmLockIMC(context_);
        ImmUnlockIMC(context_);
        return data;
    }

  private:
    HWND owner_;
    HIMC context_;
};

std::vector<BYTE> ComponentBytes(HIMCC component) {
    const BYTE* data = static_cast<const BYTE*>(ImmLockIMCC(component));
    std::vector<BYTE> bytes(data, data + ImmGetIMCCSize(component));
    ImmUnlockIMCC(component);
    return bytes;
}

bool AllZero(const std::vector<BYTE>& bytes) {
    for (BYTE b : bytes) {
        if (b != 0) {
            return false;
        }
    }
    return true;
}

class ImeCallsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        HostClearMessages();
    }
};

TEST_F(ImeCallsTest, InquiryReportsThePropertiesAndTheUiClass) {
    IMEINFO info;
    std::memset(&info, 0xAB, sizeof info);
    char name[16];
    std::memset(name, 'x', sizeof name);
    FillImeInfo(&info, name);
    EXPECT_EQ(info.dwPrivateDataSize, 60u);
    EXPECT_EQ(info.fdwProperty, 0x00020002u);
    EXPECT_EQ(info.fdwConversionCaps, 9u);
    EXPECT_EQ(info.fdwSentenceCaps, 0u);
    EXPECT_EQ(info.fdwUICaps, 0x00010002u);
    EXPECT_EQ(info.fdwSCSCaps, 0u);
    EXPECT_EQ(info.fdwSelectCaps, 1u);
    EXPECT_EQ(std::string(name, 6), std::string("QMVUI", 6));
    EXPECT_EQ(name[6], 'x') << "only the name and its NUL are written";
}

TEST_F(ImeCallsTest, CandidateFormWithAnIndexLosesItsStyle) {
    struct Case {
        DWORD index, style, wantIndex, wantStyle;
    };
    const Case cases[] = {
        {0, 0, 0xFFFFFFFF, 0},           // no style: no form
        {0, 0x40, 0, 0x40},              // form 0 with a style stays
        {1, 0x40, 0xFFFFFFFF, 0},        // another index: style gone, then no form
        {0xFFFFFFFF, 0, 0xFFFFFFFF, 0},  // already none
        {3, 0, 0xFFFFFFFF, 0},
    };
    for (const Case& c : cases) {
        CANDIDATEFORM form{};
        form.dwIndex = c.index;
        form.dwStyle = c.style;
        form.ptCurrentPos = POINT{7, 9};
        NormaliseCandidateForm(form);
        EXPECT_EQ(form.dwIndex, c.wantIndex) << c.index << " " << c.style;
        EXPECT_EQ(form.dwStyle, c.wantStyle) << c.index << " " << c.style;
        EXPECT_EQ(form.ptCurrentPos.x, 7);
    }
}

TEST_F(ImeCallsTest, FirstSelectionTurnsFullShapeOffAndSymbolsOnLaterOnesOnlyNative) {
    EXPECT_EQ(SelectionConversionMode(IME_CMODE_FULLSHAPE, true), IME_CMODE_SYMBOL | 1u);
    EXPECT_EQ(SelectionConversionMode(IME_CMODE_SOFTKBD | IME_CMODE_NATIVE, true),
              IME_CMODE_SOFTKBD | IME_CMODE_SYMBOL | IME_CMODE_NATIVE);
    EXPECT_EQ(SelectionConversionMode(IME_CMODE_FULLSHAPE, false),
              IME_CMODE_FULLSHAPE | IME_CMODE_NATIVE);
    EXPECT_EQ(SelectionConversionMode(0, false), IME_CMODE_NATIVE);
    EXPECT_EQ(SelectionConversionMode(IME_CMODE_SOFTKBD, false),
              IME_CMODE_SOFTKBD | IME_CMODE_NATIVE);
}

TEST_F(ImeCallsTest, SelectionOpensAndShapesTheContext) {
    FreshContext context;
    context.record()->fdwConversion = IME_CMODE_FULLSHAPE | IME_CMODE_SOFTKBD;
    context.record()->cfCandForm[0].dwIndex = 2;
    context.record()->cfCandForm[0].dwStyle = 0x40;
    std::strcpy(Conversion.CodeBuffer, "ab");
    std::strcpy(Conversion.ResultText, "ab");

    ASSERT_EQ(SelectInputContext(context.get(), TRUE), 1);
    EXPECT_STREQ(Conversion.CodeBuffer, "");
    EXPECT_STREQ(Conversion.ResultText, "");
    INPUTCONTEXT* ic = context.record();
    EXPECT_EQ(ic->fOpen, TRUE);
    EXPECT_EQ(ic->fdwConversion, IME_CMODE_SOFTKBD | IME_CMODE_SYMBOL | IME_CMODE_NATIVE);
    EXPECT_EQ(Selection.SelectedConversionMode, ic->fdwConversion);
    EXPECT_EQ(Selection.ConversionModeInitialised, 1);
    EXPECT_EQ(ic->cfCandForm[0].dwIndex, 0xFFFFFFFFu);
    EXPECT_EQ(ic->cfCandForm[0].dwStyle, 0u);
    EXPECT_EQ(ImmGetIMCCSize(ic->hCompStr), kCompStrSize);
    EXPECT_EQ(ImmGetIMCCSize(ic->hCandInfo), kCandInfoSize);
    const std::vector<BYTE> info = ComponentBytes(ic->hCandInfo);
    const CANDIDATEINFO* header = reinterpret_cast<const CANDIDATEINFO*>(info.data());
    EXPECT_EQ(header->dwSize, kCandInfoSize);
    EXPECT_EQ(header->dwCount, 1u);
    EXPECT_EQ(header->dwOffset[0], kCandListOffset);
    const std::vector<BYTE> comp = ComponentBytes(ic->hCompStr);
    EXPECT_EQ(reinterpret_cast<const COMPOSITIONSTRING*>(comp.data())->dwSize, kCompStrSize);
    EXPECT_EQ(HostContextLockCount(context.get()), 0);
    EXPECT_EQ(HostComponentLockCount(ic->hCompStr), 0);
    EXPECT_EQ(HostComponentLockCount(ic->hCandInfo), 0);
}

TEST_F(ImeCallsTest, OnlyTheFirstSelectionOfTheProcessChangesTheApplicationsModes) {
    FreshContext first;
    FreshContext second;
    ASSERT_EQ(SelectInputContext(first.get(), TRUE), 1);
    second.record()->fdwConversion = IME_CMODE_FULLSHAPE;
    ASSERT_EQ(SelectInputContext(second.get(), TRUE), 1);
    EXPECT_EQ(second.record()->fdwConversion, IME_CMODE_FULLSHAPE | IME_CMODE_NATIVE);
    EXPECT_EQ(Selection.SelectedConversionMode, IME_CMODE_FULLSHAPE | IME_CMODE_NATIVE);
    // Selecting the first context again keeps what the application set meanwhile.
    first.record()->fdwConversion = IME_CMODE_FULLSHAPE;
    ASSERT_EQ(SelectInputContext(first.get(), TRUE), 1);
    EXPECT_EQ(first.record()->fdwConversion, IME_CMODE_FULLSHAPE | IME_CMODE_NATIVE);
}

TEST_F(ImeCallsTest, DeselectionLeavesZeroedStubsAndKeepsTheModes) {
    FreshContext context;
    ASSERT_EQ(SelectInputContext(context.get(), TRUE), 1);
    const DWORD mode = context.record()->fdwConversion;
    ASSERT_EQ(SelectInputContext(context.get(), FALSE), 1);
    INPUTCONTEXT* ic = context.record();
    EXPECT_EQ(ImmGetIMCCSize(ic->hCompStr), kCompStrIdleSize);
    EXPECT_EQ(ImmGetIMCCSize(ic->hCandInfo), kCandInfoIdleSize);
    EXPECT_TRUE(AllZero(ComponentBytes(ic->hCompStr)));
    EXPECT_TRUE(AllZero(ComponentBytes(ic->hCandInfo)));
    EXPECT_EQ(ic->fdwConversion, mode);
    EXPECT_EQ(ic->fOpen, TRUE) << "deselection does not close";
    // A deselected context's form is normalised too.
    EXPECT_EQ(ic->cfCandForm[0].dwIndex, 0xFFFFFFFFu);
}

TEST_F(ImeCallsTest, SelectionFailsWhenTheContextOrItsCompositionStringCannotBeSetUp) {
    FreshContext locked;
    HostSetContextLockFailure(locked.get(), true);
    std::strcpy(Conversion.CodeBuffer, "ab");
    EXPECT_EQ(SelectInputContext(locked.get(), TRUE), 0);
    EXPECT_STREQ(Conversion.CodeBuffer, "ab") << "a refused selection keeps the code";
    EXPECT_EQ(SelectInputContext(locked.get(), FALSE), 0);
    EXPECT_EQ(Selection.ConversionModeInitialised, 0);
    HostSetContextLockFailure(locked.get(), false);
    EXPECT_EQ(locked.record()->fOpen, FALSE);

    FreshContext unresizable;
    HostSetComponentResizeFailure(unresizable.record()->hCompStr, true);
    EXPECT_EQ(SelectInputContext(unresizable.get(), TRUE), 0);
    // The composition string was replaced by a fresh full-size block, not yet initialised.
    INPUTCONTEXT* ic = unresizable.record();
    EXPECT_EQ(ImmGetIMCCSize(ic->hCompStr), kCompStrSize);
    EXPECT_EQ(ImmGetIMCCSize(ic->hCandInfo), sizeof(CANDIDATEINFO)) << "not reached";
    EXPECT_EQ(HostContextLockCount(unresizable.get()), 0);
}

// --- Notifications ------------------------------------------------------------------------------

class NotifyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.UseWords({{"ab", "工"}, {"ab", "中"}});
        SetOpen(TRUE);
        session.Type("ab");
        session.TakeMessages();
    }
    void SetOpen(BOOL open) {
        INPUTCONTEXT* ic = ImmLockIMC(session.context());
        ic->fOpen = open;
        ImmUnlockIMC(session.context());
    }
    void Close() { SetOpen(FALSE); }
    DWORD CompLength() {
        INPUTCONTEXT* ic = ImmLockIMC(session.context());
        auto* comp = static_cast<COMPOSITIONSTRING*>(ImmLockIMCC(ic->hCompStr));
        const DWORD length = comp->dwCompStrLen;
        ImmUnlockIMCC(ic->hCompStr);
        ImmUnlockIMC(session.context());
        return length;
    }
    EngineSession session;
};

TEST_F(NotifyTest, CompletingLeavesTheCompositionAndReturnsZero) {
    for (DWORD index : {CPS_COMPLETE, CPS_CONVERT, CPS_REVERT}) {
        const NotifyOutcome outcome =
            NotifyInputContext(session.context(), NI_COMPOSITIONSTR, index, 0);
        EXPECT_EQ(outcome.result, 0);
        EXPECT_FALSE(outcome.announce);
    }
    EXPECT_EQ(CompLength(), 2u);
    EXPECT_EQ(session.Candidates(), (Texts{"工", "中"}));
    EXPECT_TRUE(session.TakeMessages().empty());
}

TEST_F(NotifyTest, CancellingEmptiesTheCompositionButStillReturnsZero) {
    const HWND status = HostCreateWindow();
    Windows.CurrentStatusWindow = status;
    HostResetRepaintCounts();
    const NotifyOutcome outcome =
        NotifyInputContext(session.context(), NI_COMPOSITIONSTR, CPS_CANCEL, 0);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_FALSE(outcome.announce);
    EXPECT_EQ(CompLength(), 0u);
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, kFirstCandidateSlot);
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_NOTIFY IMN_CHANGECANDIDATE", "WM_IME_ENDCOMPOSITION"}));
    EXPECT_EQ(HostRepaintCount(status), 1);
    EXPECT_EQ(HostStrayRepaintCount(), 0) << "windows that do not exist are not asked";
    Windows.CurrentStatusWindow = nullptr;
    HostDestroyWindow(status);
}

TEST_F(NotifyTest, ClosingTheContextCancelsAHalfTypedCode) {
    Close();
    const NotifyOutcome outcome =
        NotifyInputContext(session.context(), NI_CONTEXTUPDATED, 0, IMC_SETOPENSTATUS);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(outcome.announce);
    EXPECT_EQ(CompLength(), 0u);
    EXPECT_EQ(session.TakeMessages(),
              (Texts{"WM_IME_NOTIFY IMN_CHANGECANDIDATE", "WM_IME_ENDCOMPOSITION"}));
    EXPECT_EQ(HostContextLockCount(session.context()), 0);
}

TEST_F(NotifyTest, ClosingWithoutCodeOrOpeningOnlyAnnounces) {
    const NotifyOutcome opened =
        NotifyInputContext(session.context(), NI_CONTEXTUPDATED, 0, IMC_SETOPENSTATUS);
    EXPECT_EQ(opened.result, 1);
    EXPECT_TRUE(opened.announce);
    EXPECT_EQ(CompLength(), 2u) << "an open context keeps its code";

    NotifyInputContext(session.context(), NI_COMPOSITIONSTR, CPS_CANCEL, 0);
    session.TakeMessages();
    Close();
    const NotifyOutcome closed =
        NotifyInputContext(session.context(), NI_CONTEXTUPDATED, 0, IMC_SETOPENSTATUS);
    EXPECT_EQ(closed.result, 1);
    EXPECT_TRUE(closed.announce);
    EXPECT_TRUE(session.TakeMessages().empty());
}

TEST_F(NotifyTest, ALockFailureStillAnnouncesTheOpenStatus) {
    Close();
    HostSetContextLockFailure(session.context(), true);
    const NotifyOutcome outcome =
        NotifyInputContext(session.context(), NI_CONTEXTUPDATED, 0, IMC_SETOPENSTATUS);
    HostSetContextLockFailure(session.context(), false);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(outcome.announce);
    EXPECT_EQ(CompLength(), 2u);
    EXPECT_TRUE(session.TakeMessages().empty());
}

TEST_F(NotifyTest, OtherActionsAndValuesChangeNothing) {
    Close();
    const struct {
        DWORD action, index, value;
    } others[] = {
        {NI_CONTEXTUPDATED, 0, 1},  // IMC_SETCONVERSIONMODE
        {NI_CONTEXTUPDATED, 0, 2},
        {NI_CONTEXTUPDATED, 0, 0x14},
        {NI_COMPOSITIONSTR, 0, 0},
        {0x10, 0, 0},  // NI_OPENCANDIDATE
        {0x13, 0, 0},  // NI_SETCANDIDATE_PAGESTART
        {0x12, 1, 0},  // NI_SELECTCANDIDATESTR
    };
    for (const auto& o : others) {
        const NotifyOutcome outcome =
            NotifyInputContext(session.context(), o.action, o.index, o.value);
        EXPECT_EQ(outcome.result, 0) << o.action << " " << o.value;
        EXPECT_FALSE(outcome.announce);
    }
    EXPECT_EQ(CompLength(), 2u);
    EXPECT_TRUE(session.TakeMessages().empty());
}

}  // namespace
