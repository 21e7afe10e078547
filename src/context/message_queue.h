// The one road by which messages reach the application: into the message list of the running
// ImeToAsciiEx call, or outside such a call into the context's message buffer, delivered at once.
#pragma once

#include <cstdint>

#include "context/input_context.h"
#include "platform/win32.h"

// Process-wide: one ImeToAsciiEx call runs at a time.
struct MessageState {
    // The list of the ImeToAsciiEx call in progress; null at all other times.
    TRANSMSGLIST* CurrentMessageList;
    // Messages generated during the current ImeToAsciiEx call, stored or not.
    std::uint32_t MessageCount;
    // Set when a message found no room in CurrentMessageList; never cleared.
    std::int32_t MessageListOverflow;
    // Messages of the running call copied into the message buffer, behind whatever it held
    // before. Copying starts with the first message that finds no room in the list.
    DWORD CopiedCount;
    // A message of the running call could not be copied: the copy is incomplete and is withdrawn.
    bool CopyFailed;
    // The running call has announced a result string already.
    bool ResultAnnounced;
    // The application has been sent WM_IME_STARTCOMPOSITION and no WM_IME_ENDCOMPOSITION since.
    bool CompositionOpen;
};
extern MessageState Messages;

// Back to no list, no count, no overflow.
void ResetMessageState();

// Start of ImeToAsciiEx: messages now go into list (its uMsgCount is the capacity).
void BeginMessageList(TRANSMSGLIST* list);

// End of ImeToAsciiEx: returns what ImeToAsciiEx returns, and ends the list.
// - Every message fitted the list: their number.
// - More than the list holds: all of them, in order, are in the context's message buffer and the
//   count returned is above the list's capacity, which makes the system read them from there.
// - throughBuffer: every message of the call goes through the message buffer and
//   ImmGenerateMessage, and 0 is returned (for a system that cannot read the list).
UINT FinishMessageList(HIMC context, bool throughBuffer = false);

// The only way messages leave the input method: into the running ImeToAsciiEx call's list, or
// outside such a call into the context's message buffer, delivered at once. Every composition the
// application sees is balanced: a WM_IME_COMPOSITION outside a composition is preceded by
// WM_IME_STARTCOMPOSITION (or, when it carries neither a result nor a composition string, not
// sent), and a second start or an end without a start is not sent. Returns 0 when the
// context cannot be locked, when the list is full (the message is still kept for
// FinishMessageList), or when the buffer cannot be grown or locked; 1 otherwise, also when the
// context has no owner window and the message is dropped.
int QueueMessage(HIMC context, UINT message, WPARAM wParam, LPARAM lParam);

// Publishes a committed text as the result string. The application reads the result string when
// the result message reaches it, which for the messages of an ImeToAsciiEx call is after the
// call: so a second commit within one call is appended to the first instead of replacing it, and
// only the first commit of a call is announced. True when the caller queues the result message.
bool PublishResultString(COMPOSITIONSTRING* comp, const char* text);
