// Controls of the Linux stand-in, for tests and host tools only: where the system directory and
// the registry live, what the clock says, how message boxes answer, and what the core did.
#pragma once

#include "platform/host/host_windows.h"

// The directory that plays the system directory (the machine's data is in DIR/zelk/).
void HostSetSystemDirectory(const char* path);
// The directory that plays the user's roaming application-data folder (the user's own data is in
// DIR/zelk/); nullptr: the user has none. By default it is the system directory, so that one
// folder holds the machine's and the user's data.
void HostSetApplicationDataDirectory(const char* path);
void HostUseSystemDirectoryAsApplicationData();

// The file reads give this many bytes more, then fail as a failing disk does (~0: never).
void HostSetReadFailureAfter(std::size_t bytes);

// The next count replacements of a file (MoveFileExA) fail as when another program has the file
// open; the attempts made since.
void HostSetReplaceFailures(int count);
int HostReplaceAttempts();

// The directory that holds the registry: one file per key, named after the key path.
void HostSetRegistryDirectory(const char* path);
// The rights a key under HKEY_LOCAL_MACHINE may be opened with, as Windows limits an ordinary
// user: an open (or a creation) that asks for more fails with ERROR_ACCESS_DENIED. Every right by
// default; the keys under HKEY_CURRENT_USER always allow every right.
void HostSetRegistryRights(REGSAM rights);

// A fixed local time; nullptr returns to the real clock.
void HostSetLocalTime(const SYSTEMTIME* time);

// What every later MessageBoxA returns (IDOK by default).
void HostSetMessageBoxAnswer(int answer);

struct HostMessageBox {
    char caption[64];
    char text[512];  // GBK, as the core passed it
    UINT type;
};
constexpr int kHostMessageBoxLogSize = 16;
// Message boxes shown since the last HostResetRecords (the last kHostMessageBoxLogSize kept).
int HostMessageBoxCount();
const HostMessageBox& HostMessageBoxAt(int index);

int HostBeepCount();

// Forgets the recorded beeps and message boxes.
void HostResetRecords();

// Fake windows: IsWindow accepts a handle from HostCreateWindow until HostDestroyWindow. Handles
// are never reused.
HWND HostCreateWindow();
void HostDestroyWindow(HWND window);
// InvalidateRect calls per window since the last HostResetRepaintCounts, and those on handles
// that were not windows.
int HostRepaintCount(HWND window);
int HostStrayRepaintCount();
void HostResetRepaintCounts();
// What ImmCreateSoftKeyboard was asked for (0: not a soft keyboard) and the last
// ImmShowSoftKeyboard command.
UINT HostSoftKeyboardType(HWND window);
int HostWindowShown(HWND window);

// Input contexts as IMM32 creates them: blank composition string and candidate information, an
// empty message buffer, closed, no owner window. Components are real blocks that resizes move.
HIMC HostCreateInputContext();
void HostDestroyInputContext(HIMC context);
void HostSetContextOwner(HIMC context, HWND owner);  // nullptr: no owner
// Make every later lock, resize or creation fail until cleared.
void HostSetContextLockFailure(HIMC context, bool fail);
void HostSetComponentLockFailure(HIMCC component, bool fail);
void HostSetComponentResizeFailure(HIMCC component, bool fail);
void HostSetComponentCreateFailure(bool fail);
// Locks not yet undone.
int HostContextLockCount(HIMC context);
int HostComponentLockCount(HIMCC component);

// Messages as the application receives them, in order: those ImmGenerateMessage delivered and
// those HostDeliverTranslatedMessages took from an ImeToAsciiEx result.
struct HostMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
constexpr int kHostMessageLogSize = 256;
int HostMessageCount();  // since HostClearMessages; the last kHostMessageLogSize are kept
// Called for every message as it is delivered (nullptr: nobody listens).
using HostMessageSink = void (*)(HIMC context, const HostMessage& message, void* data);
void HostSetMessageSink(HostMessageSink sink, void* data);
const HostMessage& HostMessageAt(int index);
void HostClearMessages();
// What IMM32 does with ImeToAsciiEx's return value: up to the list's capacity the messages are in
// the list, above it the first count entries of the context's message buffer (then emptied).
void HostDeliverTranslatedMessages(HIMC context, const TRANSMSGLIST* list, UINT count);

// Keys and clipboard. GetKeyState reads the array last set here (256 bytes, as the key-state array
// of the entry points: bit 0x80 down, bit 0x01 toggled); nullptr sets every key up.
void HostSetKeyboardState(const BYTE* state);
// The key was let go of after the press being handled: GetAsyncKeyState says up until the next
// HostSetKeyboardState.
void HostReleaseKeySince(int virtualKey);
// The clipboard's plain text (GBK); nullptr leaves it without text. HostClipboardText gives
// nullptr when it holds none.
void HostSetClipboardText(const char* text);
// A block of exactly these bytes, as another program may put there: without a NUL, say.
void HostSetClipboardBytes(const char* bytes, std::size_t size);
const char* HostClipboardText();
void HostSetClipboardOpenFailure(bool fail);
bool HostClipboardIsOpen();
int HostClipboardLockCount();
// No text, closed, opening works.
void HostResetClipboard();
// keybd_event calls since HostClearKeystrokes (the last kHostKeystrokeLogSize kept), for the
// caller to deliver as key events.
struct HostKeystroke {
    BYTE virtualKey;
    BYTE scan;
    DWORD flags;
};
constexpr int kHostKeystrokeLogSize = 64;
int HostKeystrokeCount();
const HostKeystroke& HostKeystrokeAt(int index);
void HostClearKeystrokes();
