// Stand-in for the IMM32 side of an input method: input contexts, their memory components, the
// message buffer and soft keyboards, with the records laid out as on 64-bit Windows. Contexts are
// made by tests and tools through host_control.h.
#pragma once

#include "platform/host/host_window.h"

using LPVOID = void*;

struct HostInputContext;
using HIMC = HostInputContext*;
struct HostComponent;
using HIMCC = HostComponent*;

struct COMPOSITIONFORM {
    DWORD dwStyle;
    POINT ptCurrentPos;
    RECT rcArea;
};
struct CANDIDATEFORM {
    DWORD dwIndex;
    DWORD dwStyle;
    POINT ptCurrentPos;
    RECT rcArea;
};

struct INPUTCONTEXT {
    HWND hWnd;
    BOOL fOpen;
    POINT ptStatusWndPos;
    POINT ptSoftKbdPos;
    DWORD fdwConversion;
    DWORD fdwSentence;
    union {
        LOGFONTA A;
        LOGFONTW W;
    } lfFont;
    COMPOSITIONFORM cfCompForm;
    CANDIDATEFORM cfCandForm[4];
    HIMCC hCompStr;
    HIMCC hCandInfo;
    HIMCC hGuideLine;
    HIMCC hPrivate;
    DWORD dwNumMsgBuf;
    HIMCC hMsgBuf;
    DWORD fdwInit;
    DWORD dwReserve[3];
};
using LPINPUTCONTEXT = INPUTCONTEXT*;

struct COMPOSITIONSTRING {
    DWORD dwSize;
    DWORD dwCompReadAttrLen;
    DWORD dwCompReadAttrOffset;
    DWORD dwCompReadClauseLen;
    DWORD dwCompReadClauseOffset;
    DWORD dwCompReadStrLen;
    DWORD dwCompReadStrOffset;
    DWORD dwCompAttrLen;
    DWORD dwCompAttrOffset;
    DWORD dwCompClauseLen;
    DWORD dwCompClauseOffset;
    DWORD dwCompStrLen;
    DWORD dwCompStrOffset;
    DWORD dwCursorPos;
    DWORD dwDeltaStart;
    DWORD dwResultReadClauseLen;
    DWORD dwResultReadClauseOffset;
    DWORD dwResultReadStrLen;
    DWORD dwResultReadStrOffset;
    DWORD dwResultClauseLen;
    DWORD dwResultClauseOffset;
    DWORD dwResultStrLen;
    DWORD dwResultStrOffset;
    DWORD dwPrivateSize;
    DWORD dwPrivateOffset;
};
using LPCOMPOSITIONSTRING = COMPOSITIONSTRING*;

struct CANDIDATEINFO {
    DWORD dwSize;
    DWORD dwCount;
    DWORD dwOffset[32];
    DWORD dwPrivateSize;
    DWORD dwPrivateOffset;
};
using LPCANDIDATEINFO = CANDIDATEINFO*;

struct CANDIDATELIST {
    DWORD dwSize;
    DWORD dwStyle;
    DWORD dwCount;
    DWORD dwSelection;
    DWORD dwPageStart;
    DWORD dwPageSize;
    DWORD dwOffset[1];
};
using LPCANDIDATELIST = CANDIDATELIST*;

struct TRANSMSG {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
using LPTRANSMSG = TRANSMSG*;

struct TRANSMSGLIST {
    UINT uMsgCount;
    TRANSMSG TransMsg[1];
};
using LPTRANSMSGLIST = TRANSMSGLIST*;

struct IMEINFO {
    DWORD dwPrivateDataSize;
    DWORD fdwProperty;
    DWORD fdwConversionCaps;
    DWORD fdwSentenceCaps;
    DWORD fdwUICaps;
    DWORD fdwSCSCaps;
    DWORD fdwSelectCaps;
};
using LPIMEINFO = IMEINFO*;

struct SOFTKBDDATA {
    UINT uCount;
    WORD wCode[1][256];
};
using LPSOFTKBDDATA = SOFTKBDDATA*;

// The layouts of 64-bit Windows (platform/ime_declarations.h checks the same numbers there).
static_assert(sizeof(COMPOSITIONFORM) == 28 && sizeof(CANDIDATEFORM) == 32, "window forms");
static_assert(sizeof(CANDIDATELIST) == 28 && offsetof(CANDIDATELIST, dwOffset) == 24,
              "CANDIDATELIST");
static_assert(sizeof(COMPOSITIONSTRING) == 100, "COMPOSITIONSTRING");
static_assert(offsetof(COMPOSITIONSTRING, dwCompStrLen) == 44, "COMPOSITIONSTRING");
static_assert(offsetof(COMPOSITIONSTRING, dwCursorPos) == 52, "COMPOSITIONSTRING");
static_assert(offsetof(COMPOSITIONSTRING, dwResultStrLen) == 84, "COMPOSITIONSTRING");
static_assert(offsetof(COMPOSITIONSTRING, dwPrivateOffset) == 96, "COMPOSITIONSTRING");
static_assert(sizeof(CANDIDATEINFO) == 144 && offsetof(CANDIDATEINFO, dwOffset) == 8 &&
                  offsetof(CANDIDATEINFO, dwPrivateSize) == 136,
              "CANDIDATEINFO");
static_assert(sizeof(IMEINFO) == 28, "IMEINFO");
static_assert(sizeof(SOFTKBDDATA) == 516, "SOFTKBDDATA");
static_assert(sizeof(TRANSMSG) == 24 && offsetof(TRANSMSG, wParam) == 8 &&
                  offsetof(TRANSMSG, lParam) == 16,
              "TRANSMSG");
static_assert(sizeof(TRANSMSGLIST) == 32 && offsetof(TRANSMSGLIST, TransMsg) == 8, "TRANSMSGLIST");
static_assert(sizeof(INPUTCONTEXT) == 352, "INPUTCONTEXT");
static_assert(offsetof(INPUTCONTEXT, fOpen) == 8 && offsetof(INPUTCONTEXT, ptStatusWndPos) == 12 &&
                  offsetof(INPUTCONTEXT, ptSoftKbdPos) == 20 &&
                  offsetof(INPUTCONTEXT, fdwConversion) == 28 &&
                  offsetof(INPUTCONTEXT, fdwSentence) == 32 &&
                  offsetof(INPUTCONTEXT, lfFont) == 36 &&
                  offsetof(INPUTCONTEXT, cfCompForm) == 128 &&
                  offsetof(INPUTCONTEXT, cfCandForm) == 156,
              "INPUTCONTEXT");
static_assert(offsetof(INPUTCONTEXT, hCompStr) == 288 && offsetof(INPUTCONTEXT, hCandInfo) == 296 &&
                  offsetof(INPUTCONTEXT, hGuideLine) == 304 &&
                  offsetof(INPUTCONTEXT, hPrivate) == 312 &&
                  offsetof(INPUTCONTEXT, dwNumMsgBuf) == 320 &&
                  offsetof(INPUTCONTEXT, hMsgBuf) == 328 &&
                  offsetof(INPUTCONTEXT, fdwInit) == 336 &&
                  offsetof(INPUTCONTEXT, dwReserve) == 340,
              "INPUTCONTEXT");

LPINPUTCONTEXT ImmLockIMC(HIMC context);
BOOL ImmUnlockIMC(HIMC context);
HIMCC ImmCreateIMCC(DWORD size);
// NULL when the component was freed, like the platform.
HIMCC ImmDestroyIMCC(HIMCC component);
LPVOID ImmLockIMCC(HIMCC component);
BOOL ImmUnlockIMCC(HIMCC component);
// Moves the data to a new block (growth zero-filled), so a pointer kept across a resize is caught.
HIMCC ImmReSizeIMCC(HIMCC component, DWORD size);
DWORD ImmGetIMCCSize(HIMCC component);
// Delivers the dwNumMsgBuf messages of hMsgBuf to the owner window and empties the buffer.
BOOL ImmGenerateMessage(HIMC context);
HWND ImmCreateSoftKeyboard(UINT type, HWND owner, int x, int y);
BOOL ImmShowSoftKeyboard(HWND window, int show);
BOOL ImmDestroySoftKeyboard(HWND window);

// Messages.
constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
constexpr UINT WM_IME_COMPOSITION = 0x010F;
constexpr UINT WM_IME_KEYLAST = 0x010F;
constexpr UINT WM_IME_SETCONTEXT = 0x0281;
constexpr UINT WM_IME_NOTIFY = 0x0282;
constexpr UINT WM_IME_CONTROL = 0x0283;
constexpr UINT WM_IME_COMPOSITIONFULL = 0x0284;
constexpr UINT WM_IME_SELECT = 0x0285;
constexpr UINT WM_IME_CHAR = 0x0286;
constexpr UINT WM_IME_REQUEST = 0x0288;
constexpr UINT WM_IME_KEYDOWN = 0x0290;
constexpr UINT WM_IME_KEYUP = 0x0291;

// WM_IME_NOTIFY commands.
constexpr WPARAM IMN_CLOSESTATUSWINDOW = 0x0001;
constexpr WPARAM IMN_OPENSTATUSWINDOW = 0x0002;
constexpr WPARAM IMN_CHANGECANDIDATE = 0x0003;
constexpr WPARAM IMN_CLOSECANDIDATE = 0x0004;
constexpr WPARAM IMN_OPENCANDIDATE = 0x0005;
constexpr WPARAM IMN_SETCONVERSIONMODE = 0x0006;
constexpr WPARAM IMN_SETSENTENCEMODE = 0x0007;
constexpr WPARAM IMN_SETOPENSTATUS = 0x0008;
constexpr WPARAM IMN_SETCANDIDATEPOS = 0x0009;
constexpr WPARAM IMN_SETCOMPOSITIONFONT = 0x000A;
constexpr WPARAM IMN_SETCOMPOSITIONWINDOW = 0x000B;
constexpr WPARAM IMN_SETSTATUSWINDOWPOS = 0x000C;
constexpr WPARAM IMN_GUIDELINE = 0x000D;
constexpr WPARAM IMN_PRIVATE = 0x000E;
constexpr WPARAM IMN_SOFTKBDDESTROYED = 0x0011;

// WM_IME_COMPOSITION flags.
constexpr LPARAM GCS_COMPREADSTR = 0x0001;
constexpr LPARAM GCS_COMPREADATTR = 0x0002;
constexpr LPARAM GCS_COMPREADCLAUSE = 0x0004;
constexpr LPARAM GCS_COMPSTR = 0x0008;
constexpr LPARAM GCS_COMPATTR = 0x0010;
constexpr LPARAM GCS_COMPCLAUSE = 0x0020;
constexpr LPARAM GCS_CURSORPOS = 0x0080;
constexpr LPARAM GCS_DELTASTART = 0x0100;
constexpr LPARAM GCS_RESULTREADSTR = 0x0200;
constexpr LPARAM GCS_RESULTREADCLAUSE = 0x0400;
constexpr LPARAM GCS_RESULTSTR = 0x0800;
constexpr LPARAM GCS_RESULTCLAUSE = 0x1000;

// Candidate list styles.
constexpr DWORD IME_CAND_READ = 0x0001;

// Conversion modes (INPUTCONTEXT.fdwConversion).
constexpr DWORD IME_CMODE_NATIVE = 0x0001;
constexpr DWORD IME_CMODE_FULLSHAPE = 0x0008;
constexpr DWORD IME_CMODE_SOFTKBD = 0x0080;
constexpr DWORD IME_CMODE_SYMBOL = 0x0400;

// What ImeInquire reports (IMEINFO).
constexpr DWORD IME_PROP_KBD_CHAR_FIRST = 0x00000002;
constexpr DWORD IME_PROP_SPECIAL_UI = 0x00020000;
constexpr DWORD UI_CAP_ROT90 = 0x00000002;
constexpr DWORD UI_CAP_SOFTKBD = 0x00010000;
constexpr DWORD SELECT_CAP_CONVERSION = 0x00000001;

// NotifyIME actions, indexes and values.
constexpr DWORD NI_CONTEXTUPDATED = 0x0003;
constexpr DWORD NI_COMPOSITIONSTR = 0x0015;
constexpr DWORD CPS_COMPLETE = 0x0001;
constexpr DWORD CPS_CONVERT = 0x0002;
constexpr DWORD CPS_REVERT = 0x0003;
constexpr DWORD CPS_CANCEL = 0x0004;
constexpr DWORD IMC_SETOPENSTATUS = 0x0006;
