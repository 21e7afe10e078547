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

// The IME-side structures and functions (implemented by the stand-in, in host_imm.cpp).
#include "platform/ime_declarations.h"

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
