// The functions IMM32 calls by name (the key entry's two are in key_entry.h, the window
// procedures in ui_windows_win.h). The .def files export them undecorated in both bitnesses.
#pragma once

#include "platform/win32.h"

extern "C" {
BOOL WINAPI ImeInquire(IMEINFO* info, LPSTR uiClassName, DWORD systemFlags);
// Shows the settings dialog, owned by the parent window, for every mode.
BOOL WINAPI ImeConfigure(HKL layout, HWND parent, DWORD mode, LPVOID data);
BOOL WINAPI ImeSelect(HIMC context, BOOL select);
BOOL WINAPI ImeSetActiveContext(HIMC context, BOOL active);
BOOL WINAPI NotifyIME(HIMC context, DWORD action, DWORD index, DWORD value);

// Conversion lists, word registration, escapes and setting the composition from outside are not
// offered: these answer 0.
DWORD WINAPI ImeConversionList(HIMC context, LPCSTR source, CANDIDATELIST* destination,
                               DWORD bufferSize, UINT flag);
BOOL WINAPI ImeDestroy(UINT reserved);
LRESULT WINAPI ImeEscape(HIMC context, UINT escape, LPVOID data);
BOOL WINAPI ImeRegisterWord(LPCSTR reading, DWORD style, LPCSTR word);
BOOL WINAPI ImeUnregisterWord(LPCSTR reading, DWORD style, LPCSTR word);
UINT WINAPI ImeGetRegisterWordStyle(UINT count, STYLEBUFA* styles);
UINT WINAPI ImeEnumRegisterWord(REGISTERWORDENUMPROCA callback, LPCSTR reading, DWORD style,
                                LPCSTR word, LPVOID data);
BOOL WINAPI ImeSetCompositionString(HIMC context, DWORD index, LPVOID composition,
                                    DWORD compositionLength, LPVOID reading, DWORD readingLength);
}
