// Stand-in for the keyboard and clipboard calls of the key entry and of on-line word creation:
// key states, the clipboard's plain text, global memory locks, and synthesized keystrokes. What
// the keys and the clipboard hold is set by tests and tools through host_control.h, and the
// synthesized keystrokes are recorded there for them to deliver.
#pragma once

#include "platform/host/host_windows.h"

using SHORT = std::int16_t;
using ULONG_PTR = std::uintptr_t;
using HGLOBAL = HANDLE;

// Virtual keys the core names.
constexpr BYTE VK_BACK = 0x08;
constexpr BYTE VK_RETURN = 0x0D;
constexpr BYTE VK_SHIFT = 0x10;
constexpr BYTE VK_CONTROL = 0x11;
constexpr BYTE VK_CAPITAL = 0x14;
constexpr BYTE VK_ESCAPE = 0x1B;
constexpr BYTE VK_SPACE = 0x20;
constexpr BYTE VK_PRIOR = 0x21;
constexpr BYTE VK_NEXT = 0x22;
constexpr BYTE VK_END = 0x23;
constexpr BYTE VK_HOME = 0x24;
constexpr BYTE VK_LSHIFT = 0xA0;
constexpr BYTE VK_RSHIFT = 0xA1;
constexpr BYTE VK_LCONTROL = 0xA2;
constexpr BYTE VK_OEM_1 = 0xBA;       // ; :
constexpr BYTE VK_OEM_PLUS = 0xBB;    // = +
constexpr BYTE VK_OEM_COMMA = 0xBC;   // , <
constexpr BYTE VK_OEM_MINUS = 0xBD;   // - _
constexpr BYTE VK_OEM_PERIOD = 0xBE;  // . >
constexpr BYTE VK_OEM_2 = 0xBF;       // / ?
constexpr BYTE VK_OEM_3 = 0xC0;       // ` ~
constexpr BYTE VK_OEM_4 = 0xDB;       // [ {
constexpr BYTE VK_OEM_5 = 0xDC;       // \ |
constexpr BYTE VK_OEM_6 = 0xDD;       // ] }
constexpr BYTE VK_OEM_7 = 0xDE;       // ' "

// The state of a key as the thread sees it: bit 15 down, bit 0 toggled (Caps Lock on).
SHORT GetKeyState(int virtualKey);
// The key as it is now, which may be later than the message being handled: bit 15 down.
SHORT GetAsyncKeyState(int virtualKey);

constexpr DWORD KEYEVENTF_EXTENDEDKEY = 0x1;
constexpr DWORD KEYEVENTF_KEYUP = 0x2;
// Recorded, in order; nothing is delivered by the stand-in itself.
void keybd_event(BYTE virtualKey, BYTE scan, DWORD flags, ULONG_PTR extraInfo);

// The clipboard holds at most one plain text. OpenClipboard fails while it is open.
constexpr UINT CF_TEXT = 1;
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Only while the clipboard is open.
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);
// Only while the clipboard is open; the text's block, valid until the clipboard changes.
HANDLE GetClipboardData(UINT format);
LPVOID GlobalLock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
