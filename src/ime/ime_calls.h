// What the IMM32 entry points other than the key entry decide: the properties the input method
// reports, how a selection shapes an input context and its conversion mode, and the two
// notifications that act. The exported functions (Windows only) add the language indicator.
#pragma once

#include "platform/win32.h"

// ImeInquire: fills the properties and copies the UI class name ("QMVUI" and its NUL, 6 bytes).
void FillImeInfo(IMEINFO* info, char* uiClassName);

// A candidate form with an index other than 0 loses its style; one without a style then gets
// index 0xFFFFFFFF.
void NormaliseCandidateForm(CANDIDATEFORM& form);
// The conversion mode a selection leaves: the first selection in a process turns full shape off
// and symbol conversion on; every selection turns the native mode on. The soft-keyboard bit stays.
DWORD SelectionConversionMode(DWORD mode, bool firstSelection);

// ImeSelect without the indicator: shapes the context's components for a selected or deselected
// context. 0 when the context cannot be locked or the composition string cannot be set up.
BOOL SelectInputContext(HIMC context, BOOL select);

// NotifyIME without the indicator: what it returns, and whether the indicator is to be told.
struct NotifyOutcome {
    BOOL result;
    bool announce;
};
NotifyOutcome NotifyInputContext(HIMC context, DWORD action, DWORD index, DWORD value);

// ImeSetActiveContext without the indicator: notes whether a context of the process is active;
// on activation picks up user words another program saved since (one look at the user file's
// time) and tells of a main file passed over; on deactivation saves the learned order.
void ActivateInputContext(BOOL active);
