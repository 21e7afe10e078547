#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/conversion_state.h"
#include "context/input_context.h"
#include "engine/symbol_conversion.h"
#include "platform/host/host_control.h"
#include "context/message_queue.h"
#include "engine/mode_state.h"
#include "ime/process_state.h"

namespace {

// A selected context of an application window, nothing typed.
class CommitSymbolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        owner_ = HostCreateWindow();
        context_ = HostCreateInputContext();
        HostSetContextOwner(context_, owner_);
        {
            ContextLock ic(context_);
            ASSERT_TRUE(ic);
            ASSERT_TRUE(InitCompositionString(ic.get()));
            ShapeSelectedCandidateInfo(ic.get());
        }
        HostClearMessages();
    }
    void TearDown() override {
        ResetProcessState();
        HostDestroyInputContext(context_);
        HostDestroyWindow(owner_);
        HostClearMessages();
        ResetProcessState();
    }

    HIMCC CompStr() {
        ContextLock ic(context_);
        return ic ? ic->hCompStr : nullptr;
    }
    HIMCC CandInfo() {
        ContextLock ic(context_);
        return ic ? ic->hCandInfo : nullptr;
    }
    // The result string as the application reads it: dwResultStrLen bytes at dwResultStrOffset.
    std::string Result() {
        CompStrLock comp(CompStr());
        if (!comp) {
            return "(unlocked)";
        }
        const char* area = reinterpret_cast<const char*>(comp.get()) + comp->dwResultStrOffset;
        EXPECT_EQ(area[comp->dwResultStrLen], '\0');
        return std::string(area, comp->dwResultStrLen);
    }
    // A symbol committed on its own is a whole composition of its own: start, result, end.
    void ExpectCommitMessages(int first = 0) {
        ASSERT_EQ(HostMessageCount(), first + 3);
        EXPECT_EQ(HostMessageAt(first).message, WM_IME_STARTCOMPOSITION);
        ++first;
        const HostMessage& composition = HostMessageAt(first);
        EXPECT_EQ(composition.window, owner_);
        EXPECT_EQ(composition.message, WM_IME_COMPOSITION);
        EXPECT_EQ(composition.wParam, 0u);
        EXPECT_EQ(composition.lParam, GCS_RESULTSTR);
        const HostMessage& end = HostMessageAt(first + 1);
        EXPECT_EQ(end.message, WM_IME_ENDCOMPOSITION);
        EXPECT_EQ(end.wParam, 0u);
        EXPECT_EQ(end.lParam, 0);
    }
    void ExpectNoLocksHeld() {
        EXPECT_EQ(HostContextLockCount(context_), 0);
        EXPECT_EQ(HostComponentLockCount(CompStr()), 0);
    }

    HWND owner_ = nullptr;
    HIMC context_ = nullptr;
};

TEST_F(CommitSymbolTest, ConvertedSymbolBecomesTheResultStringAndEndsTheComposition) {
    ASSERT_EQ(CommitSymbol(context_, ConvertSymbol(',', false, true)), 1);
    EXPECT_EQ(Result(), "\xA3\xAC");  // ，
    ExpectCommitMessages();
    ExpectNoLocksHeld();
}

TEST_F(CommitSymbolTest, ResultLengthIsTheTextsByteLength) {
    ASSERT_EQ(CommitSymbol(context_, ConvertSymbol('^', false, true)), 1);
    EXPECT_EQ(Result(), "\xA1\xAD\xA1\xAD");  // ……
    ASSERT_EQ(CommitSymbol(context_, ConvertSymbol('/', false, true)), 1);
    EXPECT_EQ(Result(), "/");  // a shorter text replaces a longer one whole
    ASSERT_EQ(CommitSymbol(context_, ConvertSymbol(' ', true, false)), 1);
    EXPECT_EQ(Result(), "\xA1\xA1");  // ideographic space
    ASSERT_EQ(CommitSymbol(context_, ""), 1);
    EXPECT_EQ(Result(), "");
    EXPECT_EQ(HostMessageCount(), 12);
}

TEST_F(CommitSymbolTest, CodeAndCandidateListStayAsTheyAre) {
    std::strcpy(Conversion.CodeBuffer, "ab");
    Conversion.CodeLength = 2;
    Conversion.CandidateCount = 4;
    Conversion.CandidatesOpen = 1;
    {
        CompStrLock comp(CompStr());
        ASSERT_TRUE(comp);
        std::memcpy(CompositionText(comp.get()), "ab", 3);
        comp->dwCompStrLen = 2;
        comp->dwCursorPos = 2;
        CandInfoLock info(CandInfo());
        ASSERT_TRUE(info);
        CANDIDATELIST* list = CandidateListOf(info.get());
        list->dwCount = 4;
        list->dwPageSize = 2;
        SetCandidateSlot(list, 2, "\xB0\xA1", 2);
        SetCandidateSlot(list, 3, "\xB0\xA2", 2);
    }

    ASSERT_EQ(CommitSymbol(context_, ConvertSymbol('.', false, true)), 1);
    EXPECT_EQ(Result(), "\xA1\xA3");  // 。
    ExpectCommitMessages();

    EXPECT_STREQ(Conversion.CodeBuffer, "ab");
    EXPECT_EQ(Conversion.CodeLength, 2);
    EXPECT_EQ(Conversion.CandidateCount, 4);
    EXPECT_EQ(Conversion.CandidatesOpen, 1);
    CompStrLock comp(CompStr());
    ASSERT_TRUE(comp);
    EXPECT_EQ(comp->dwCompStrLen, 2u);
    EXPECT_EQ(comp->dwCursorPos, 2u);
    EXPECT_STREQ(CompositionText(comp.get()), "ab");
    CandInfoLock info(CandInfo());
    ASSERT_TRUE(info);
    CANDIDATELIST* list = CandidateListOf(info.get());
    EXPECT_EQ(list->dwCount, 4u);
    EXPECT_EQ(list->dwPageSize, 2u);
    EXPECT_STREQ(CandidateSlot(list, 2), "\xB0\xA1");
    EXPECT_STREQ(CandidateSlot(list, 3), "\xB0\xA2");
}

TEST_F(CommitSymbolTest, DuringAKeyCallTheMessagesGoIntoItsList) {
    struct {
        UINT uMsgCount;
        TRANSMSG entries[8];
    } storage = {8, {}};
    auto* list = reinterpret_cast<TRANSMSGLIST*>(&storage);
    BeginMessageList(list);
    ASSERT_EQ(CommitSymbol(context_, ConvertSymbol('"', false, true)), 1);
    EXPECT_EQ(Messages.MessageCount, 3u);
    EXPECT_EQ(HostMessageCount(), 0);  // nothing reaches the window before the call returns
    EXPECT_EQ(list->TransMsg[0].message, WM_IME_STARTCOMPOSITION);
    EXPECT_EQ(list->TransMsg[1].message, WM_IME_COMPOSITION);
    EXPECT_EQ(list->TransMsg[1].lParam, GCS_RESULTSTR);
    EXPECT_EQ(list->TransMsg[2].message, WM_IME_ENDCOMPOSITION);
    const UINT count = FinishMessageList(context_);
    EXPECT_EQ(count, 3u);
    HostDeliverTranslatedMessages(context_, list, count);
    ExpectCommitMessages();
    EXPECT_EQ(Result(), "\xA1\xB0");  // “
}

TEST_F(CommitSymbolTest, TypingQuotesCommitsThemInTurn) {
    const char* expected[] = {"\xA1\xB0", "\xA1\xAE", "\xA1\xB1", "\xA1\xB0", "\xA1\xAF"};
    const char keys[] = {'"', '\'', '"', '"', '\''};
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(CommitSymbol(context_, ConvertSymbol(keys[i], true, true)), 1);
        EXPECT_EQ(Result(), expected[i]) << i;
    }
    EXPECT_EQ(HostMessageCount(), 15);
}

TEST_F(CommitSymbolTest, NothingToCommitDoesNothing) {
    ASSERT_EQ(CommitSymbol(context_, ConvertSymbol('a', true, false)), 1);
    HostClearMessages();
    EXPECT_EQ(CommitSymbol(context_, ConvertSymbol('a', false, false)), 0);
    EXPECT_EQ(CommitSymbol(context_, nullptr), 0);
    EXPECT_EQ(HostMessageCount(), 0);
    EXPECT_EQ(Result(), "\xA3\xE1");  // ａ, still
    ExpectNoLocksHeld();
}

TEST_F(CommitSymbolTest, FailedContextLockChangesNothing) {
    HostSetContextLockFailure(context_, true);
    EXPECT_EQ(CommitSymbol(context_, "\xA3\xAC"), 0);
    HostSetContextLockFailure(context_, false);
    EXPECT_EQ(HostMessageCount(), 0);
    EXPECT_EQ(Result(), "");
    ExpectNoLocksHeld();
}

TEST_F(CommitSymbolTest, FailedCompositionStringLockChangesNothing) {
    HostSetComponentLockFailure(CompStr(), true);
    EXPECT_EQ(CommitSymbol(context_, "\xA3\xAC"), 0);
    HostSetComponentLockFailure(CompStr(), false);
    EXPECT_EQ(HostMessageCount(), 0);
    EXPECT_EQ(Result(), "");
    ExpectNoLocksHeld();
}

TEST_F(CommitSymbolTest, WithoutAnOwnerWindowTheTextIsStoredButNoMessageIsSent) {
    HostSetContextOwner(context_, nullptr);
    EXPECT_EQ(CommitSymbol(context_, "\xA3\xBB"), 1);
    EXPECT_EQ(HostMessageCount(), 0);
    EXPECT_EQ(Result(), "\xA3\xBB");  // ；
}

TEST_F(CommitSymbolTest, EveryPunctuationKeyCommitsItsConvertedText) {
    for (int i = 0; i < kPunctuationRowCount; ++i) {
        const SymbolRow& row = SymbolTable[i];
        if (row.key == '\'' || row.key == '"') {
            continue;
        }
        HostClearMessages();
        const auto ch = static_cast<std::uint16_t>(row.key);
        ASSERT_EQ(CommitSymbol(context_, ConvertSymbol(ch, IsModeOn(FullWidth), true)), 1);
        EXPECT_EQ(Result(), row.chinese) << row.key;
        ExpectCommitMessages();
        FlipMode(FullWidth);
        ASSERT_EQ(CommitSymbol(context_, ConvertSymbol(ch, IsModeOn(FullWidth), true)), 1);
        EXPECT_EQ(Result(), row.both) << row.key;
        FlipMode(FullWidth);
    }
}

}  // namespace
