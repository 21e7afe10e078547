#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/conversion_state.h"
#include "context/input_context.h"
#include "platform/host/host_control.h"
#include "context/message_queue.h"
#include "engine/composition.h"
#include "ime/process_state.h"

namespace {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Message& other) const {
        return message == other.message && wParam == other.wParam && lParam == other.lParam;
    }
};

std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << "(0x" << std::hex << m.message << ", " << m.wParam << ", " << m.lParam << ")"
               << std::dec;
}

const Message kChangeCandidate{WM_IME_NOTIFY, IMN_CHANGECANDIDATE, 1};
const Message kResult{WM_IME_COMPOSITION, 0, GCS_RESULTSTR};
const Message kEnd{WM_IME_ENDCOMPOSITION, 0, 0};

// A message list as IMM32 passes it to ImeToAsciiEx, with entries beyond the capacity so that a
// write past it would show.
struct MessageList {
    static constexpr UINT kRoom = 16;
    union {
        TRANSMSGLIST list;
        BYTE bytes[sizeof(TRANSMSGLIST) + kRoom * sizeof(TRANSMSG)];
    };
    explicit MessageList(UINT capacity) {
        std::memset(bytes, 0xEE, sizeof bytes);
        list.uMsgCount = capacity;
    }
    Message At(UINT index) const {
        const TRANSMSG& entry = (&list.TransMsg[0])[index];
        return Message{entry.message, entry.wParam, entry.lParam};
    }
    bool Untouched(UINT index) const {
        const TRANSMSG& entry = (&list.TransMsg[0])[index];
        return entry.message == 0xEEEEEEEEu;
    }
};

// A numbered message, to tell the messages of a call apart.
Message Numbered(int n) {
    return Message{WM_IME_NOTIFY, IMN_PRIVATE, n};
}

class InputContextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        HostClearMessages();
        context = HostCreateInputContext();
        owner = HostCreateWindow();
        HostSetContextOwner(context, owner);
    }

    void TearDown() override {
        HostSetComponentCreateFailure(false);
        // Every lock taken by the code under test was undone.
        EXPECT_EQ(HostContextLockCount(context), 0);
        EXPECT_EQ(HostComponentLockCount(Record().hCompStr), 0);
        EXPECT_EQ(HostComponentLockCount(Record().hCandInfo), 0);
        EXPECT_EQ(HostComponentLockCount(Record().hMsgBuf), 0);
        ResetProcessState();
        HostDestroyInputContext(context);
        HostDestroyWindow(owner);
    }

    // The context record, read without going through a counted lock.
    INPUTCONTEXT& Record() {
        INPUTCONTEXT* record = ImmLockIMC(context);
        ImmUnlockIMC(context);
        return *record;
    }

    // What ImeSelect does with the components.
    bool Select() {
        bool shaped = InitCompositionString(&Record());
        ShapeSelectedCandidateInfo(ImmLockIMC(context));
        ImmUnlockIMC(context);
        return shaped;
    }
    void Deselect() {
        ShapeDeselectedComponents(ImmLockIMC(context));
        ImmUnlockIMC(context);
    }

    // Component contents, copied so that no lock stays open.
    std::vector<BYTE> Bytes(HIMCC component) {
        const BYTE* data = static_cast<const BYTE*>(ImmLockIMCC(component));
        std::vector<BYTE> bytes(data, data + ImmGetIMCCSize(component));
        ImmUnlockIMCC(component);
        return bytes;
    }
    COMPOSITIONSTRING Comp() {
        COMPOSITIONSTRING comp;
        std::memcpy(&comp, Bytes(Record().hCompStr).data(), sizeof comp);
        return comp;
    }
    CANDIDATELIST List() {
        CANDIDATELIST list;
        std::memcpy(&list, Bytes(Record().hCandInfo).data() + kCandListOffset, sizeof list);
        return list;
    }
    std::string Slot(int slot) {
        std::vector<BYTE> bytes = Bytes(Record().hCandInfo);
        return reinterpret_cast<const char*>(bytes.data() + kFirstSlotOffset +
                                             kCandidateSlotSize * slot);
    }
    std::string Result() {
        std::vector<BYTE> bytes = Bytes(Record().hCompStr);
        return reinterpret_cast<const char*>(bytes.data() + kResultStrOffset);
    }

    // Edits the selected components in place, as the engine does between the operations.
    template <typename Edit>
    void EditComponents(Edit edit) {
        INPUTCONTEXT* record = ImmLockIMC(context);
        auto* comp = static_cast<COMPOSITIONSTRING*>(ImmLockIMCC(record->hCompStr));
        auto* info = static_cast<CANDIDATEINFO*>(ImmLockIMCC(record->hCandInfo));
        edit(comp, info);
        ImmUnlockIMCC(record->hCandInfo);
        ImmUnlockIMCC(record->hCompStr);
        ImmUnlockIMC(context);
    }
    // A composition in progress: code "abc", candidates in slots 0 .. 4, second page.
    // A code typed: the application has had WM_IME_STARTCOMPOSITION.
    void Compose() {
        Messages.CompositionOpen = true;
        std::strcpy(Conversion.CodeBuffer, "abc");
        std::strcpy(Conversion.ResultText, "abc");
        Conversion.CodeLength = 3;
        Conversion.CandidateCount = 5;
        EditComponents([](COMPOSITIONSTRING* comp, CANDIDATEINFO* info) {
            std::memcpy(CompositionText(comp), "abc", 4);
            std::memset(CompositionAttributes(comp), 1, 3);
            comp->dwCompReadStrLen = comp->dwCompStrLen = 3;
            comp->dwCompReadAttrLen = comp->dwCompAttrLen = 3;
            comp->dwCompReadClauseLen = comp->dwCompClauseLen = 8;
            comp->dwCursorPos = 3;
            comp->dwDeltaStart = 2;
            comp->dwResultStrLen = 4;
            comp->dwResultReadStrLen = comp->dwResultReadClauseLen = comp->dwResultClauseLen = 1;
            CANDIDATELIST* list = CandidateListOf(info);
            for (int slot = 0; slot < 5; ++slot) {
                SetCandidateSlot(list, slot, "cand", 4);
            }
            list->dwCount = 5;
            list->dwSelection = 1;
            list->dwPageStart = 12;
            list->dwPageSize = 10;
        });
    }

    std::vector<Message> Delivered() {
        std::vector<Message> messages;
        for (int i = 0; i < HostMessageCount(); ++i) {
            const HostMessage& m = HostMessageAt(i);
            EXPECT_EQ(m.window, owner);
            messages.push_back(Message{m.message, m.wParam, m.lParam});
        }
        return messages;
    }
    std::vector<Message> Buffered() {
        std::vector<Message> messages;
        if (Record().dwNumMsgBuf == 0) {
            return messages;
        }
        std::vector<BYTE> bytes = Bytes(Record().hMsgBuf);
        const TRANSMSG* entries = reinterpret_cast<const TRANSMSG*>(bytes.data());
        for (DWORD i = 0; i < Record().dwNumMsgBuf; ++i) {
            messages.push_back(Message{entries[i].message, entries[i].wParam, entries[i].lParam});
        }
        return messages;
    }
    int Queue(const Message& m) { return QueueMessage(context, m.message, m.wParam, m.lParam); }

    HIMC context = nullptr;
    HWND owner = nullptr;
};

void ExpectSelectedLayout(const COMPOSITIONSTRING& comp, const CANDIDATELIST& list) {
    EXPECT_EQ(comp.dwSize, 366u);
    EXPECT_EQ(comp.dwCompReadAttrOffset, 100u);
    EXPECT_EQ(comp.dwCompReadClauseOffset, 108u);
    EXPECT_EQ(comp.dwCompReadStrOffset, 116u);
    EXPECT_EQ(comp.dwCompAttrOffset, 100u);
    EXPECT_EQ(comp.dwCompClauseOffset, 108u);
    EXPECT_EQ(comp.dwCompStrOffset, 116u);
    EXPECT_EQ(comp.dwResultReadClauseOffset, 132u);
    EXPECT_EQ(comp.dwResultReadStrOffset, 140u);
    EXPECT_EQ(comp.dwResultClauseOffset, 156u);
    EXPECT_EQ(comp.dwResultStrOffset, 164u);
    for (DWORD length : {comp.dwCompReadAttrLen, comp.dwCompReadClauseLen, comp.dwCompReadStrLen,
                         comp.dwCompAttrLen, comp.dwCompClauseLen, comp.dwCompStrLen,
                         comp.dwCursorPos, comp.dwDeltaStart, comp.dwResultReadClauseLen,
                         comp.dwResultReadStrLen, comp.dwResultClauseLen, comp.dwResultStrLen}) {
        EXPECT_EQ(length, 0u);
    }
    EXPECT_EQ(list.dwSize, 10428u);
    EXPECT_EQ(list.dwStyle, IME_CAND_READ);
    EXPECT_EQ(list.dwCount, 0u);
    EXPECT_EQ(list.dwSelection, 0u);
    EXPECT_EQ(list.dwPageStart, 2u);
    EXPECT_EQ(list.dwPageSize, 0u);
    EXPECT_EQ(list.dwOffset[0], 428u);
}

// ---- Selection --------------------------------------------------------------------------------

TEST_F(InputContextTest, SelectShapesBothComponents) {
    std::strcpy(Conversion.CodeBuffer, "ab");
    std::strcpy(Conversion.ResultText, "ab");
    ASSERT_TRUE(Select());
    EXPECT_EQ(ImmGetIMCCSize(Record().hCompStr), 366u);
    EXPECT_EQ(ImmGetIMCCSize(Record().hCandInfo), 10572u);
    ExpectSelectedLayout(Comp(), List());
    std::vector<BYTE> info = Bytes(Record().hCandInfo);
    const CANDIDATEINFO* header = reinterpret_cast<const CANDIDATEINFO*>(info.data());
    EXPECT_EQ(header->dwSize, 10572u);
    EXPECT_EQ(header->dwCount, 1u);
    EXPECT_EQ(header->dwOffset[0], 144u);
    const DWORD* offsets = reinterpret_cast<const DWORD*>(info.data() + kCandListOffset + 24);
    EXPECT_EQ(offsets[99], 428u + 9900u);
}

TEST_F(InputContextTest, SelectDeselectSelectGivesTheLayoutsAgain) {
    ASSERT_TRUE(Select());
    Compose();

    Deselect();
    std::vector<BYTE> comp = Bytes(Record().hCompStr);
    std::vector<BYTE> info = Bytes(Record().hCandInfo);
    EXPECT_EQ(comp, std::vector<BYTE>(100, 0));
    EXPECT_EQ(info, std::vector<BYTE>(144, 0));

    ASSERT_TRUE(Select());
    ExpectSelectedLayout(Comp(), List());
    EXPECT_EQ(ImmGetIMCCSize(Record().hCompStr), 366u);
    EXPECT_EQ(ImmGetIMCCSize(Record().hCandInfo), 10572u);
}

TEST_F(InputContextTest, InitCompositionStringCreatesAMissingComponent) {
    ImmDestroyIMCC(Record().hCompStr);
    Record().hCompStr = nullptr;
    ASSERT_TRUE(InitCompositionString(&Record()));
    ASSERT_NE(Record().hCompStr, nullptr);
    EXPECT_EQ(ImmGetIMCCSize(Record().hCompStr), 366u);
    EXPECT_EQ(Comp().dwResultStrOffset, 164u);

    ImmDestroyIMCC(Record().hCompStr);
    Record().hCompStr = nullptr;
    HostSetComponentCreateFailure(true);
    EXPECT_FALSE(InitCompositionString(&Record()));
    EXPECT_EQ(Record().hCompStr, nullptr);
}

TEST_F(InputContextTest, InitCompositionStringReplacesABlockThatCannotBeResizedOrLocked) {
    // Resize refused: a fresh, uninitialised 366-byte block takes its place.
    HostSetComponentResizeFailure(Record().hCompStr, true);
    EXPECT_FALSE(InitCompositionString(&Record()));
    EXPECT_EQ(ImmGetIMCCSize(Record().hCompStr), 366u);
    EXPECT_EQ(Bytes(Record().hCompStr), std::vector<BYTE>(366, 0));

    // Lock refused after the resize: the same.
    HostSetComponentLockFailure(Record().hCompStr, true);
    EXPECT_FALSE(InitCompositionString(&Record()));
    EXPECT_EQ(ImmGetIMCCSize(Record().hCompStr), 366u);
    EXPECT_EQ(Bytes(Record().hCompStr), std::vector<BYTE>(366, 0));

    // And the fresh block is usable.
    EXPECT_TRUE(InitCompositionString(&Record()));
    EXPECT_EQ(Comp().dwSize, 366u);
}

TEST_F(InputContextTest, CandidateInfoThatCannotBeResizedIsLeftAlone) {
    std::vector<BYTE> before = Bytes(Record().hCandInfo);
    HostSetComponentResizeFailure(Record().hCandInfo, true);
    ShapeSelectedCandidateInfo(ImmLockIMC(context));
    ImmUnlockIMC(context);
    EXPECT_EQ(Bytes(Record().hCandInfo), before);
}

TEST_F(InputContextTest, OpenStatusIsTheContextsAndFalseWithoutALock) {
    EXPECT_FALSE(IsContextOpen(context));
    Record().fOpen = TRUE;
    EXPECT_TRUE(IsContextOpen(context));
    HostSetContextLockFailure(context, true);
    EXPECT_FALSE(IsContextOpen(context));
    HostSetContextLockFailure(context, false);
    EXPECT_FALSE(IsContextOpen(nullptr));
}

// ---- Commit and cancel ------------------------------------------------------------------------

TEST_F(InputContextTest, CommitPublishesTheResultAndEndsTheComposition) {
    ASSERT_TRUE(Select());
    Compose();
    std::strcpy(Conversion.ResultText, "\xC4\xE3\xBA\xC3");  // "你好" in GBK
    EXPECT_EQ(CommitResultText(context), 1);

    EXPECT_EQ(Result(), "\xC4\xE3\xBA\xC3");
    COMPOSITIONSTRING comp = Comp();
    EXPECT_EQ(comp.dwResultStrLen, 4u);
    EXPECT_EQ(comp.dwCompStrLen, 0u);
    EXPECT_EQ(Slot(0), "");
    EXPECT_EQ(Slot(1), "");
    EXPECT_EQ(Slot(2), "cand");  // the other slots keep their texts
    EXPECT_EQ(List().dwCount, 0u);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_EQ(Conversion.CodeLength, 0);
    // The committed text stays for association.
    EXPECT_STREQ(Conversion.ResultText, "\xC4\xE3\xBA\xC3");
    EXPECT_EQ(Delivered(), (std::vector<Message>{kChangeCandidate, kResult, kEnd}));
}

TEST_F(InputContextTest, CommitInsideACallFillsTheList) {
    ASSERT_TRUE(Select());
    MessageList list(8);
    BeginMessageList(&list.list);
    Messages.CompositionOpen = true;
    std::strcpy(Conversion.ResultText, "x");
    EXPECT_EQ(CommitResultText(context), 1);
    EXPECT_EQ(Messages.MessageCount, 3u);
    EXPECT_EQ(list.At(0), kChangeCandidate);
    EXPECT_EQ(list.At(1), kResult);
    EXPECT_EQ(list.At(2), kEnd);
    EXPECT_TRUE(Delivered().empty());
    EXPECT_EQ(FinishMessageList(context), 3u);
}

TEST_F(InputContextTest, SecondCommitOfACallJoinsTheFirstUnderOneResultMessage) {
    ASSERT_TRUE(Select());
    MessageList list(16);
    BeginMessageList(&list.list);
    Messages.CompositionOpen = true;
    std::strcpy(Conversion.ResultText, "ab");
    EXPECT_EQ(CommitResultText(context), 1);
    // A new code begins a new composition within the same call.
    QueueMessage(context, WM_IME_STARTCOMPOSITION, 0, 0);
    std::strcpy(Conversion.ResultText, "cd");
    EXPECT_EQ(CommitResultText(context), 1);
    // The application reads the result string after the call: it finds both texts, once.
    EXPECT_EQ(FinishMessageList(context), 6u);
    EXPECT_EQ(list.At(1), kResult);
    EXPECT_EQ(list.At(2), kEnd);
    EXPECT_EQ(list.At(3), (Message{WM_IME_STARTCOMPOSITION, 0, 0}));
    EXPECT_EQ(list.At(4), kChangeCandidate);
    EXPECT_EQ(list.At(5), kEnd);
    const std::vector<BYTE> comp = Bytes(Record().hCompStr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(comp.data()) + kResultStrOffset,
                          Comp().dwResultStrLen),
              "abcd");

    // The next call starts afresh, and outside a call each commit replaces the last.
    BeginMessageList(&list.list);
    Messages.CompositionOpen = true;
    std::strcpy(Conversion.ResultText, "e");
    CommitResultText(context);
    EXPECT_EQ(FinishMessageList(context), 3u);
    EXPECT_EQ(Comp().dwResultStrLen, 1u);
    std::strcpy(Conversion.ResultText, "fg");
    CommitResultText(context);
    EXPECT_EQ(Comp().dwResultStrLen, 2u);
}

TEST_F(InputContextTest, CancelEmptiesCompositionAndList) {
    ASSERT_TRUE(Select());
    Compose();
    EXPECT_EQ(CancelComposition(context), 1);

    ExpectSelectedLayout(Comp(), List());
    EXPECT_EQ(Conversion.CodeLength, 0);
    EXPECT_EQ(Conversion.CandidateCount, 2);
    EXPECT_STREQ(Conversion.CodeBuffer, "");
    EXPECT_STREQ(Conversion.ResultText, "");
    EXPECT_EQ(Delivered(), (std::vector<Message>{kChangeCandidate, kEnd}));
}

// Which lock a test refuses.
enum class Refused { Context, CompStr, CandInfo };

class RefusedLockTest : public InputContextTest, public ::testing::WithParamInterface<Refused> {
  protected:
    void Refuse(bool fail) {
        switch (GetParam()) {
            case Refused::Context:
                HostSetContextLockFailure(context, fail);
                break;
            case Refused::CompStr:
                HostSetComponentLockFailure(Record().hCompStr, fail);
                break;
            case Refused::CandInfo:
                HostSetComponentLockFailure(Record().hCandInfo, fail);
                break;
        }
    }
    // Runs an operation with the lock refused: it returns 0 and changes nothing.
    template <typename Operation>
    void ExpectNothingDone(Operation operation) {
        ASSERT_TRUE(Select());
        Compose();
        std::strcpy(Conversion.ResultText, "zz");
        std::vector<BYTE> comp = Bytes(Record().hCompStr);
        std::vector<BYTE> info = Bytes(Record().hCandInfo);
        Refuse(true);
        EXPECT_EQ(operation(), 0);
        Refuse(false);
        EXPECT_EQ(Bytes(Record().hCompStr), comp);
        EXPECT_EQ(Bytes(Record().hCandInfo), info);
        EXPECT_STREQ(Conversion.CodeBuffer, "abc");
        EXPECT_STREQ(Conversion.ResultText, "zz");
        EXPECT_EQ(Conversion.CodeLength, 3);
        EXPECT_EQ(Conversion.CandidateCount, 5);
        EXPECT_TRUE(Delivered().empty());
    }
};

TEST_P(RefusedLockTest, CommitDoesNothing) {
    ExpectNothingDone([this] { return CommitResultText(context); });
}

TEST_P(RefusedLockTest, CancelDoesNothing) {
    ExpectNothingDone([this] { return CancelComposition(context); });
}

INSTANTIATE_TEST_SUITE_P(EachLock, RefusedLockTest,
                         ::testing::Values(Refused::Context, Refused::CompStr, Refused::CandInfo));

TEST_F(InputContextTest, DeselectedComponentsAreNeverWrittenAsSelectedOnes) {
    ASSERT_TRUE(Select());
    Deselect();
    Conversion.CodeLength = 2;
    EXPECT_EQ(CommitResultText(context), 0);
    EXPECT_EQ(CancelComposition(context), 0);
    EXPECT_EQ(Bytes(Record().hCompStr), std::vector<BYTE>(100, 0));
    EXPECT_EQ(Bytes(Record().hCandInfo), std::vector<BYTE>(144, 0));
    EXPECT_EQ(Conversion.CodeLength, 2);
    EXPECT_TRUE(Delivered().empty());
}

// ---- Messages outside ImeToAsciiEx ------------------------------------------------------------

TEST_F(InputContextTest, OutsideACallEachMessageIsDeliveredAtOnce) {
    EXPECT_EQ(Queue(Numbered(1)), 1);
    EXPECT_EQ(Delivered(), std::vector<Message>{Numbered(1)});
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    EXPECT_EQ(Queue(Numbered(2)), 1);
    EXPECT_EQ(Queue(Numbered(3)), 1);
    EXPECT_EQ(Delivered(), (std::vector<Message>{Numbered(1), Numbered(2), Numbered(3)}));
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    EXPECT_EQ(Messages.MessageCount, 0u);
}

TEST_F(InputContextTest, OutsideACallWithoutOwnerWindowTheMessageIsDropped) {
    HostDestroyWindow(owner);
    EXPECT_EQ(Queue(Numbered(1)), 1);
    HostSetContextOwner(context, nullptr);
    EXPECT_EQ(Queue(Numbered(2)), 1);
    EXPECT_TRUE(Delivered().empty());
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    EXPECT_EQ(ImmGetIMCCSize(Record().hMsgBuf), 0u);
}

TEST_F(InputContextTest, OutsideACallFailuresReturnZero) {
    HostSetContextLockFailure(context, true);
    EXPECT_EQ(Queue(Numbered(1)), 0);
    HostSetContextLockFailure(context, false);

    HostSetComponentResizeFailure(Record().hMsgBuf, true);
    EXPECT_EQ(Queue(Numbered(2)), 0);
    HostSetComponentResizeFailure(Record().hMsgBuf, false);

    HostSetComponentLockFailure(Record().hMsgBuf, true);
    EXPECT_EQ(Queue(Numbered(3)), 0);
    HostSetComponentLockFailure(Record().hMsgBuf, false);

    EXPECT_TRUE(Delivered().empty());
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    EXPECT_EQ(Queue(Numbered(4)), 1);
    EXPECT_EQ(Delivered(), std::vector<Message>{Numbered(4)});
}

// ---- Messages of an ImeToAsciiEx call ---------------------------------------------------------

TEST_F(InputContextTest, ListWithRoomTakesTheMessagesInOrder) {
    MessageList list(8);
    BeginMessageList(&list.list);
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(Queue(Numbered(n)), 1);
    }
    EXPECT_EQ(Messages.MessageCount, 7u);
    EXPECT_FALSE(Messages.MessageListOverflow);
    EXPECT_EQ(FinishMessageList(context), 7u);
    EXPECT_EQ(Messages.CurrentMessageList, nullptr);
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    HostDeliverTranslatedMessages(context, &list.list, 7);
    std::vector<Message> expected;
    for (int n = 1; n <= 7; ++n) {
        expected.push_back(Numbered(n));
    }
    EXPECT_EQ(Delivered(), expected);
    EXPECT_TRUE(list.Untouched(7));
}

TEST_F(InputContextTest, ListOfThreeStoresTwoAndCountsTheThird) {
    MessageList list(3);
    BeginMessageList(&list.list);
    EXPECT_EQ(Queue(Numbered(1)), 1);
    EXPECT_EQ(Queue(Numbered(2)), 1);
    EXPECT_FALSE(Messages.MessageListOverflow);
    EXPECT_EQ(Queue(Numbered(3)), 0);
    EXPECT_EQ(Messages.MessageCount, 3u);
    EXPECT_TRUE(Messages.MessageListOverflow);
    EXPECT_EQ(list.At(0), Numbered(1));
    EXPECT_EQ(list.At(1), Numbered(2));
    EXPECT_TRUE(list.Untouched(2));
    // The whole call is kept in the buffer, in order, while the call runs.
    EXPECT_EQ(Buffered(), (std::vector<Message>{Numbered(1), Numbered(2), Numbered(3)}));
    EXPECT_TRUE(Delivered().empty());

    // Three messages fit a list of three after all: they end up in the list, not the buffer.
    EXPECT_EQ(FinishMessageList(context), 3u);
    EXPECT_EQ(list.At(2), Numbered(3));
    EXPECT_TRUE(list.Untouched(3));
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    HostDeliverTranslatedMessages(context, &list.list, 3);
    EXPECT_EQ(Delivered(), (std::vector<Message>{Numbered(1), Numbered(2), Numbered(3)}));
}

TEST_F(InputContextTest, OverflowingCallHandsEveryMessageOverThroughTheBuffer) {
    MessageList list(3);
    BeginMessageList(&list.list);
    std::vector<Message> expected;
    for (int n = 1; n <= 6; ++n) {
        Queue(Numbered(n));
        expected.push_back(Numbered(n));
    }
    EXPECT_EQ(Messages.MessageCount, 6u);
    EXPECT_TRUE(list.Untouched(2));
    UINT returned = FinishMessageList(context);
    EXPECT_EQ(returned, 6u);
    EXPECT_GT(returned, list.list.uMsgCount);
    // Both ways the system reads the buffer find all of them: the first `returned` entries, and
    // the dwNumMsgBuf entries that ImmGenerateMessage delivers.
    EXPECT_EQ(Record().dwNumMsgBuf, 6u);
    EXPECT_EQ(Buffered(), expected);
    HostDeliverTranslatedMessages(context, &list.list, returned);
    EXPECT_EQ(Delivered(), expected);
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);

    // The next call starts afresh; the overflow flag stays.
    BeginMessageList(&list.list);
    EXPECT_EQ(Messages.MessageCount, 0u);
    EXPECT_TRUE(Messages.MessageListOverflow);
    EXPECT_EQ(Queue(Numbered(7)), 1);
    EXPECT_EQ(FinishMessageList(context), 1u);
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
}

TEST_F(InputContextTest, OverflowingCallKeepsOlderBufferedMessagesFirst) {
    // A message left in the buffer by a delivery that did not happen.
    HIMCC grown = ImmReSizeIMCC(Record().hMsgBuf, sizeof(TRANSMSG));
    Record().hMsgBuf = grown;
    auto* entries = static_cast<TRANSMSG*>(ImmLockIMCC(grown));
    entries[0] = TRANSMSG{WM_IME_STARTCOMPOSITION, 0, 0};
    ImmUnlockIMCC(grown);
    Record().dwNumMsgBuf = 1;

    MessageList list(2);
    BeginMessageList(&list.list);
    for (int n = 1; n <= 3; ++n) {
        Queue(Numbered(n));
    }
    UINT returned = FinishMessageList(context);
    EXPECT_EQ(returned, 4u);
    HostDeliverTranslatedMessages(context, &list.list, returned);
    EXPECT_EQ(Delivered(), (std::vector<Message>{Message{WM_IME_STARTCOMPOSITION, 0, 0},
                                                 Numbered(1), Numbered(2), Numbered(3)}));
}

TEST_F(InputContextTest, ListWithoutRoomSendsEverythingThroughTheBuffer) {
    MessageList list(0);
    BeginMessageList(&list.list);
    EXPECT_EQ(Queue(Numbered(1)), 0);
    EXPECT_EQ(Queue(Numbered(2)), 0);
    EXPECT_TRUE(list.Untouched(0));
    UINT returned = FinishMessageList(context);
    EXPECT_EQ(returned, 2u);
    HostDeliverTranslatedMessages(context, &list.list, returned);
    EXPECT_EQ(Delivered(), (std::vector<Message>{Numbered(1), Numbered(2)}));
}

TEST_F(InputContextTest, OverflowThatCannotBeBufferedFallsBackToTheList) {
    MessageList list(3);
    BeginMessageList(&list.list);
    HostSetComponentResizeFailure(Record().hMsgBuf, true);
    for (int n = 1; n <= 5; ++n) {
        Queue(Numbered(n));
    }
    HostSetComponentResizeFailure(Record().hMsgBuf, false);
    EXPECT_EQ(Messages.MessageCount, 5u);
    EXPECT_TRUE(Messages.MessageListOverflow);
    // The messages that are in the list are still delivered, and nothing half-copied is left.
    EXPECT_EQ(FinishMessageList(context), 2u);
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    HostDeliverTranslatedMessages(context, &list.list, 2);
    EXPECT_EQ(Delivered(), (std::vector<Message>{Numbered(1), Numbered(2)}));
}

TEST_F(InputContextTest, CopyFailingPartWayIsWithdrawn) {
    MessageList list(2);
    BeginMessageList(&list.list);
    Queue(Numbered(1));
    Queue(Numbered(2));  // first overflow: copied with message 1
    Queue(Numbered(3));
    EXPECT_EQ(Record().dwNumMsgBuf, 3u);
    HostSetComponentLockFailure(Record().hMsgBuf, true);
    Queue(Numbered(4));  // cannot be copied
    HostSetComponentLockFailure(Record().hMsgBuf, false);
    Queue(Numbered(5));  // not copied either: the buffer would be out of order
    EXPECT_EQ(FinishMessageList(context), 1u);
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);
    HostDeliverTranslatedMessages(context, &list.list, 1);
    EXPECT_EQ(Delivered(), std::vector<Message>{Numbered(1)});
}

TEST_F(InputContextTest, ThroughBufferDeliversTheWholeCallAndReturnsZero) {
    MessageList list(8);
    BeginMessageList(&list.list);
    Queue(Numbered(1));
    Queue(Numbered(2));
    EXPECT_EQ(FinishMessageList(context, true), 0u);
    EXPECT_EQ(Delivered(), (std::vector<Message>{Numbered(1), Numbered(2)}));
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);

    HostClearMessages();
    MessageList small(2);
    BeginMessageList(&small.list);
    for (int n = 1; n <= 4; ++n) {
        Queue(Numbered(n));
    }
    EXPECT_EQ(FinishMessageList(context, true), 0u);
    EXPECT_EQ(Delivered(),
              (std::vector<Message>{Numbered(1), Numbered(2), Numbered(3), Numbered(4)}));
    EXPECT_EQ(Record().dwNumMsgBuf, 0u);

    // An empty call delivers nothing.
    HostClearMessages();
    BeginMessageList(&list.list);
    EXPECT_EQ(FinishMessageList(context, true), 0u);
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(InputContextTest, ListMessagesNeedNoOwnerWindowButALockableContext) {
    HostDestroyWindow(owner);
    MessageList list(4);
    BeginMessageList(&list.list);
    EXPECT_EQ(Queue(Numbered(1)), 1);
    HostSetContextLockFailure(context, true);
    EXPECT_EQ(Queue(Numbered(2)), 0);
    HostSetContextLockFailure(context, false);
    // The refused message is not counted.
    EXPECT_EQ(Messages.MessageCount, 1u);
    EXPECT_EQ(FinishMessageList(context), 1u);
    EXPECT_EQ(list.At(0), Numbered(1));
}

TEST_F(InputContextTest, FinishWithoutAListReturnsZero) {
    EXPECT_EQ(FinishMessageList(context), 0u);
    EXPECT_EQ(Queue(Numbered(1)), 1);  // still the buffer path
    EXPECT_EQ(Delivered(), std::vector<Message>{Numbered(1)});
}

}  // namespace
