// What the engine tells the windows and asks the user. The engine never calls a window or a
// message box itself: the module installs the windows' sink at its start (the tools, the fuzzers
// and the tests install their own or keep the silent one), and every change the windows show and
// every notice goes through here.
#pragma once

#include "platform/win32.h"

// What changed, by what shows it: the status window (modes, the collected word), the code and
// its candidates (the composition and candidate windows, or the status window of a skin that
// shows them itself), and the page of candidates alone.
enum class UiChange { Status, Conversion, CandidatePage, Everything };

struct UiSink {
    void (*changed)(UiChange change);
    // A notice with one OK button, owned by the window given (null: none).
    void (*notice)(HWND owner, const char* text, const char* caption);
    // A question answered with OK or Cancel: true for OK.
    bool (*ask)(const char* question, const char* caption);
};

// Null puts back the silent sink, which shows nothing and answers every question with Cancel,
// so that nothing is saved that nobody agreed to.
void InstallUiSink(const UiSink* sink);

void TellUi(UiChange change);
void ShowNotice(HWND owner, const char* text, const char* caption);
bool AskUser(const char* question, const char* caption);
