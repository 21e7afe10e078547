// The IME-side structures and functions of IMM32, declared once for the Windows build (whose
// mingw-w64 imm.h lacks them; libimm32.a exports the functions in both bitnesses) and for the
// Linux stand-in (which implements the functions). The layouts are the platform's and are checked
// below for the bitness being built.
#pragma once

#include <cstddef>
#include <cstdint>

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
BOOL WINAPI ImmUnlockIMC(HIMC);
DWORD WINAPI ImmGetIMCLockCount(HIMC);
HIMCC WINAPI ImmCreateIMCC(DWORD);
HIMCC WINAPI ImmDestroyIMCC(HIMCC);
LPVOID WINAPI ImmLockIMCC(HIMCC);
BOOL WINAPI ImmUnlockIMCC(HIMCC);
DWORD WINAPI ImmGetIMCCLockCount(HIMCC);
HIMCC WINAPI ImmReSizeIMCC(HIMCC, DWORD);
DWORD WINAPI ImmGetIMCCSize(HIMCC);
BOOL WINAPI ImmGenerateMessage(HIMC);
HWND WINAPI ImmCreateSoftKeyboard(UINT, HWND, int, int);
BOOL WINAPI ImmDestroySoftKeyboard(HWND);
BOOL WINAPI ImmShowSoftKeyboard(HWND, int);

}  // extern "C"

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
#if INTPTR_MAX == INT64_MAX
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
