// Messages for the application. During an ImeToAsciiEx call they go into the call's list; when
// the list overflows, the messages of the call are also kept, in order, in the context's message
// buffer, so that FinishMessageList can hand all of them over by the platform's convention (a
// count above the list's capacity makes the system read the buffer instead of the list).
#include <cstdio>
#include <cstring>

#include "context/message_queue.h"

MessageState Messages;

namespace {

// The list's entries; the platform declares the array with one element.
TRANSMSG* ListEntries(TRANSMSGLIST* list) {
    return list->TransMsg;
}

// Appends messages at the end of the context's message buffer; false when the buffer cannot be
// grown or locked (then dwNumMsgBuf is unchanged).
bool AppendToMessageBuffer(INPUTCONTEXT* context, const TRANSMSG* messages, DWORD count) {
    if (count == 0) {
        return true;
    }
    DWORD total = context->dwNumMsgBuf + count;
    HIMCC grown = ImmReSizeIMCC(context->hMsgBuf, total * static_cast<DWORD>(sizeof(TRANSMSG)));
    if (grown == nullptr) {
        return false;
    }
    context->hMsgBuf = grown;
    ComponentLock<TRANSMSG> buffer(grown);
    if (!buffer) {
        return false;
    }
    std::memcpy(buffer.get() + context->dwNumMsgBuf, messages, count * sizeof(TRANSMSG));
    context->dwNumMsgBuf = total;
    return true;
}

// Keeps a message that found no room in the list. The first one of a call brings along the
// messages already in the list, so that the buffer holds the call's messages in order.
void CopyOverflowMessage(HIMC context, const TRANSMSG& message) {
    if (Messages.CopyFailed) {
        return;
    }
    ContextLock ic(context);
    if (!ic) {
        Messages.CopyFailed = true;
        return;
    }
    if (Messages.CopiedCount == 0) {
        DWORD stored = Messages.MessageCount - 1;
        if (!AppendToMessageBuffer(ic.get(), ListEntries(Messages.CurrentMessageList), stored)) {
            Messages.CopyFailed = true;
            return;
        }
        Messages.CopiedCount = stored;
    }
    if (!AppendToMessageBuffer(ic.get(), &message, 1)) {
        Messages.CopyFailed = true;
        return;
    }
    ++Messages.CopiedCount;
}

// Takes the copy of the call back out of the buffer (it is its last Messages.CopiedCount entries).
void WithdrawCopy(INPUTCONTEXT* context) {
    context->dwNumMsgBuf -=
        Messages.CopiedCount < context->dwNumMsgBuf ? Messages.CopiedCount : context->dwNumMsgBuf;
    Messages.CopiedCount = 0;
}

// The messages of the call that are in the list: QueueMessage leaves its last entry free.
DWORD StoredCount(const TRANSMSGLIST* list) {
    DWORD usable = list->uMsgCount != 0 ? list->uMsgCount - 1 : 0;
    return Messages.MessageCount < usable ? Messages.MessageCount : usable;
}

// Overflowed list mode: all of the call's messages are copied into the buffer.
UINT FinishOverflowedList(INPUTCONTEXT* context, TRANSMSGLIST* list) {
    if (Messages.CopyFailed) {
        WithdrawCopy(context);
        return StoredCount(list);
    }
    if (Messages.MessageCount > list->uMsgCount) {
        // The buffer may also hold older undelivered messages: they come first and are read too.
        return context->dwNumMsgBuf;
    }
    // Exactly as many messages as the list holds: a count equal to the capacity makes the system
    // read the list, so the one message kept only in the buffer moves into the list's last entry.
    ComponentLock<TRANSMSG> buffer(context->hMsgBuf);
    UINT delivered = StoredCount(list);
    if (buffer) {
        ListEntries(list)[Messages.MessageCount - 1] = buffer.get()[context->dwNumMsgBuf - 1];
        delivered = Messages.MessageCount;
    }
    buffer.Release();
    WithdrawCopy(context);
    return delivered;
}

}  // namespace

void BeginMessageList(TRANSMSGLIST* list) {
    Messages.CurrentMessageList = list;
    Messages.MessageCount = 0;
    Messages.CopiedCount = 0;
    Messages.CopyFailed = false;
    Messages.ResultAnnounced = false;
}

bool PublishResultString(COMPOSITIONSTRING* comp, const char* text) {
    if (Messages.CurrentMessageList == nullptr || !Messages.ResultAnnounced) {
        SetResultString(comp, text);
        Messages.ResultAnnounced = Messages.CurrentMessageList != nullptr;
        return true;
    }
    char joined[kResultStrAreaSize * 2];
    const std::size_t earlier = comp->dwResultStrLen <= kMaxResultBytes ? comp->dwResultStrLen : 0;
    std::memcpy(joined, ResultString(comp), earlier);
    std::snprintf(joined + earlier, sizeof joined - earlier, "%s", text);
    SetResultString(comp, joined);
    return false;
}

UINT FinishMessageList(HIMC context, bool throughBuffer) {
    TRANSMSGLIST* list = Messages.CurrentMessageList;
    Messages.CurrentMessageList = nullptr;
    if (list == nullptr) {
        return 0;
    }
    const bool overflowed = Messages.MessageCount > StoredCount(list);
    if (!overflowed && !throughBuffer) {
        return Messages.MessageCount;
    }
    ContextLock ic(context);
    if (!ic) {
        // Nothing more can be done without the context; the list holds what it holds.
        return throughBuffer ? 0 : StoredCount(list);
    }
    if (!throughBuffer) {
        return FinishOverflowedList(ic.get(), list);
    }
    // Through the buffer: after an overflow the whole call is there already (or, if copying
    // failed, the part that made it, in order); otherwise the list is copied now.
    if (!overflowed) {
        AppendToMessageBuffer(ic.get(), ListEntries(list), Messages.MessageCount);
    }
    Messages.CopiedCount = 0;
    ic.Release();
    ImmGenerateMessage(context);
    return 0;
}

namespace {

int QueueOne(HIMC context, UINT message, WPARAM wParam, LPARAM lParam);

bool HasCompositionString(HIMC context) {
    ContextLock ic(context);
    if (!ic) {
        return false;
    }
    ComponentLock<COMPOSITIONSTRING, sizeof(COMPOSITIONSTRING)> comp(ic->hCompStr);
    return comp && comp->dwCompStrLen != 0;
}

}  // namespace

int QueueMessage(HIMC context, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_IME_STARTCOMPOSITION:
            if (Messages.CompositionOpen) {
                return 1;
            }
            Messages.CompositionOpen = true;
            break;
        case WM_IME_ENDCOMPOSITION:
            if (!Messages.CompositionOpen) {
                return 1;
            }
            Messages.CompositionOpen = false;
            break;
        case WM_IME_COMPOSITION:
            if (!Messages.CompositionOpen) {
                // An empty composition string outside a composition is nothing to show.
                if ((lParam & GCS_RESULTSTR) == 0 && !HasCompositionString(context)) {
                    return 1;
                }
                Messages.CompositionOpen = true;
                QueueOne(context, WM_IME_STARTCOMPOSITION, 0, 0);
            }
            break;
        default:
            break;
    }
    return QueueOne(context, message, wParam, lParam);
}

namespace {

int QueueOne(HIMC context, UINT message, WPARAM wParam, LPARAM lParam) {
    ContextLock ic(context);
    if (!ic) {
        return 0;
    }
    const TRANSMSG entry{message, wParam, lParam};
    if (Messages.CurrentMessageList != nullptr) {
        ic.Release();
        ++Messages.MessageCount;
        if (Messages.MessageCount >= Messages.CurrentMessageList->uMsgCount) {
            Messages.MessageListOverflow = 1;
            CopyOverflowMessage(context, entry);
            return 0;
        }
        ListEntries(Messages.CurrentMessageList)[Messages.MessageCount - 1] = entry;
        return 1;
    }
    // Outside a call the message reaches an owner window at once, or nobody.
    if (IsWindow(ic->hWnd)) {
        if (!AppendToMessageBuffer(ic.get(), &entry, 1)) {
            return 0;
        }
        ImmGenerateMessage(context);
    }
    return 1;
}

}  // namespace

void ResetMessageState() {
    Messages = MessageState{};
}
