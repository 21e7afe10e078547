// IME-side declarations that mingw-w64's imm.h lacks. libimm32.a exports the functions in both
// bitnesses; the layouts are the platform's and are checked below.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <imm.h>
#include <cstddef>

extern "C" {

typedef struct tagINPUTCONTEXT {
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
} INPUTCONTEXT, *PINPUTCONTEXT, *LPINPUTCONTEXT;

typedef struct tagCOMPOSITIONSTRING {
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
} COMPOSITIONSTRING, *PCOMPOSITIONSTRING, *LPCOMPOSITIONSTRING;

typedef struct tagCANDIDATEINFO {
    DWORD dwSize;
    DWORD dwCount;
    DWORD dwOffset[32];
    DWORD dwPrivateSize;
    DWORD dwPrivateOffset;
} CANDIDATEINFO, *PCANDIDATEINFO, *LPCANDIDATEINFO;

typedef struct tagTRANSMSG {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
} TRANSMSG, *PTRANSMSG, *LPTRANSMSG;

typedef struct tagTRANSMSGLIST {
    UINT uMsgCount;
    TRANSMSG TransMsg[1];
} TRANSMSGLIST, *PTRANSMSGLIST, *LPTRANSMSGLIST;

typedef struct tagIMEINFO {
    DWORD dwPrivateDataSize;
    DWORD fdwProperty;
    DWORD fdwConversionCaps;
    DWORD fdwSentenceCaps;
    DWORD fdwUICaps;
    DWORD fdwSCSCaps;
    DWORD fdwSelectCaps;
} IMEINFO, *PIMEINFO, *LPIMEINFO;

typedef struct tagSOFTKBDDATA {
    UINT uCount;
    WORD wCode[1][256];
} SOFTKBDDATA, *PSOFTKBDDATA, *LPSOFTKBDDATA;

LPINPUTCONTEXT WINAPI ImmLockIMC(HIMC);
WINBOOL WINAPI ImmUnlockIMC(HIMC);
DWORD WINAPI ImmGetIMCLockCount(HIMC);
HIMCC WINAPI ImmCreateIMCC(DWORD);
HIMCC WINAPI ImmDestroyIMCC(HIMCC);
LPVOID WINAPI ImmLockIMCC(HIMCC);
WINBOOL WINAPI ImmUnlockIMCC(HIMCC);
DWORD WINAPI ImmGetIMCCLockCount(HIMCC);
HIMCC WINAPI ImmReSizeIMCC(HIMCC, DWORD);
DWORD WINAPI ImmGetIMCCSize(HIMCC);
WINBOOL WINAPI ImmGenerateMessage(HIMC);
HWND WINAPI ImmCreateSoftKeyboard(UINT, HWND, int, int);
WINBOOL WINAPI ImmDestroySoftKeyboard(HWND);
WINBOOL WINAPI ImmShowSoftKeyboard(HWND, int);

}  // extern "C"

// Properties (IMEINFO.fdwProperty, low word).
#ifndef IME_PROP_END_UNLOAD
#define IME_PROP_END_UNLOAD 0x0001
#endif
#ifndef IME_PROP_KBD_CHAR_FIRST
#define IME_PROP_KBD_CHAR_FIRST 0x0002
#endif
#ifndef IME_PROP_IGNORE_UPKEYS
#define IME_PROP_IGNORE_UPKEYS 0x0004
#endif
#ifndef IME_PROP_NEED_ALTKEY
#define IME_PROP_NEED_ALTKEY 0x0008
#endif
#ifndef IME_PROP_NO_KEYS_ON_CLOSE
#define IME_PROP_NO_KEYS_ON_CLOSE 0x0010
#endif
#ifndef IME_PROP_ACCEPT_WIDE_VKEY
#define IME_PROP_ACCEPT_WIDE_VKEY 0x0020
#endif
#ifndef UI_CAP_SOFTKBD
#define UI_CAP_SOFTKBD 0x00010000
#endif

// ImeInquire's system information flags.
#ifndef IME_SYSINFO_WINLOGON
#define IME_SYSINFO_WINLOGON 0x0001
#endif
#ifndef IME_SYSINFO_WOW16
#define IME_SYSINFO_WOW16 0x0002
#endif

// NotifyIME actions.
#ifndef NI_CONTEXTUPDATED
#define NI_CONTEXTUPDATED 0x0003
#endif

// WM_IME_CONTROL commands.
#ifndef IMC_GETCONVERSIONMODE
#define IMC_GETCONVERSIONMODE 0x0001
#endif
#ifndef IMC_SETCONVERSIONMODE
#define IMC_SETCONVERSIONMODE 0x0002
#endif
#ifndef IMC_GETSENTENCEMODE
#define IMC_GETSENTENCEMODE 0x0003
#endif
#ifndef IMC_SETSENTENCEMODE
#define IMC_SETSENTENCEMODE 0x0004
#endif
#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#endif
#ifndef IMC_SETOPENSTATUS
#define IMC_SETOPENSTATUS 0x0006
#endif
#ifndef IMC_GETSOFTKBDFONT
#define IMC_GETSOFTKBDFONT 0x0011
#endif
#ifndef IMC_SETSOFTKBDFONT
#define IMC_SETSOFTKBDFONT 0x0012
#endif
#ifndef IMC_GETSOFTKBDPOS
#define IMC_GETSOFTKBDPOS 0x0013
#endif
#ifndef IMC_SETSOFTKBDPOS
#define IMC_SETSOFTKBDPOS 0x0014
#endif
#ifndef IMC_GETSOFTKBDSUBTYPE
#define IMC_GETSOFTKBDSUBTYPE 0x0015
#endif
#ifndef IMC_SETSOFTKBDSUBTYPE
#define IMC_SETSOFTKBDSUBTYPE 0x0016
#endif
#ifndef IMC_SETSOFTKBDDATA
#define IMC_SETSOFTKBDDATA 0x0018
#endif

// WM_IME_NOTIFY commands beyond imm.h's.
#ifndef IMN_SOFTKBDDESTROYED
#define IMN_SOFTKBDDESTROYED 0x0011
#endif

// INPUTCONTEXT.fdwInit.
#ifndef INIT_STATUSWNDPOS
#define INIT_STATUSWNDPOS 0x00000001
#endif
#ifndef INIT_CONVERSION
#define INIT_CONVERSION 0x00000002
#endif
#ifndef INIT_SENTENCE
#define INIT_SENTENCE 0x00000004
#endif
#ifndef INIT_LOGFONT
#define INIT_LOGFONT 0x00000008
#endif
#ifndef INIT_COMPFORM
#define INIT_COMPFORM 0x00000010
#endif
#ifndef INIT_SOFTKBDPOS
#define INIT_SOFTKBDPOS 0x00000020
#endif

// Window extra bytes of a UI window: the input context, then the IME's private data.
#ifndef IMMGWLP_IMC
#define IMMGWLP_IMC 0
#endif
#ifndef IMMGWLP_PRIVATE
#define IMMGWLP_PRIVATE (sizeof(LONG_PTR))
#endif

// The platform's layouts, for both bitnesses.
static_assert(sizeof(LOGFONTA) == 60 && sizeof(LOGFONTW) == 92, "LOGFONT");
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
#ifdef _WIN64
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
#else
static_assert(sizeof(TRANSMSG) == 12 && offsetof(TRANSMSG, wParam) == 4 &&
                  offsetof(TRANSMSG, lParam) == 8,
              "TRANSMSG");
static_assert(sizeof(TRANSMSGLIST) == 16 && offsetof(TRANSMSGLIST, TransMsg) == 4, "TRANSMSGLIST");
static_assert(sizeof(INPUTCONTEXT) == 320, "INPUTCONTEXT");
static_assert(offsetof(INPUTCONTEXT, fOpen) == 4 && offsetof(INPUTCONTEXT, ptStatusWndPos) == 8 &&
                  offsetof(INPUTCONTEXT, ptSoftKbdPos) == 16 &&
                  offsetof(INPUTCONTEXT, fdwConversion) == 24 &&
                  offsetof(INPUTCONTEXT, fdwSentence) == 28 &&
                  offsetof(INPUTCONTEXT, lfFont) == 32 &&
                  offsetof(INPUTCONTEXT, cfCompForm) == 124 &&
                  offsetof(INPUTCONTEXT, cfCandForm) == 152,
              "INPUTCONTEXT");
static_assert(offsetof(INPUTCONTEXT, hCompStr) == 280 && offsetof(INPUTCONTEXT, hCandInfo) == 284 &&
                  offsetof(INPUTCONTEXT, hGuideLine) == 288 &&
                  offsetof(INPUTCONTEXT, hPrivate) == 292 &&
                  offsetof(INPUTCONTEXT, dwNumMsgBuf) == 296 &&
                  offsetof(INPUTCONTEXT, hMsgBuf) == 300 &&
                  offsetof(INPUTCONTEXT, fdwInit) == 304 &&
                  offsetof(INPUTCONTEXT, dwReserve) == 308,
              "INPUTCONTEXT");
#endif

#endif
