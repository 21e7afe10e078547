// The pieces of the end-to-end tests: the package in the folder of the test program, the
// installer run as the user runs it, and a window with an EDIT control into which real key events
// (SendInput) are typed through Wine's IMM32 and the installed input method.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "settings/registry_access.h"

// The folder of the test program, which is the package folder, ending in a backslash.
std::string PackageFolder();
std::string SystemFolder();

struct SetupRun {
    DWORD exitCode;
    std::string output;  // standard output and error, UTF-8
};
// Runs zelk-setup.exe of the package with the arguments and waits for it.
SetupRun RunSetup(const std::string& arguments);

// Runs one test of a test program (this one when program is empty) in a process of its own, with
// variable set to "1" in its environment, and waits up to two minutes for it: the half of a test
// that needs a second program. Its exit code; ~0u when it did not start or end.
DWORD RunTestInAnotherProcess(const std::string& program, const char* variable,
                              const char* testName);
// The same, started and left running, with variable set to value; and waiting for its end.
HANDLE StartTestInAnotherProcess(const std::string& program, const char* variable,
                                 const char* testName, const char* value);
DWORD WaitForTestProcess(HANDLE process);

// A fresh installation for a user who never used the input method: the settings keys and both
// data folders are removed or emptied first, so that the installer writes the package's files and
// the installed defaults.
void InstallWithDefaults();

// The names of the keyboard layouts whose input method is zelk.ime.
std::vector<std::string> ZelkLayouts();

// A settings value as the module reads it: the user's, else the machine's (missing: ~0u); and a
// value of one scope's key.
DWORD ReadSetting(const char* name);
DWORD ReadSetting(const char* name, SettingsScope scope);

// A top-level window with an EDIT control that has the keyboard focus, the installed layout
// active and the input context open.
class TypingWindow {
  public:
    TypingWindow();
    ~TypingWindow();
    TypingWindow(const TypingWindow&) = delete;
    TypingWindow& operator=(const TypingWindow&) = delete;

    // Sends the keys (zelk-type's key notation) as real key events, handles the messages they
    // cause, and returns the EDIT control's whole text as UTF-8.
    std::string Type(std::string_view keys);
    std::string Text() const;
    void Clear();
    // The window in front and the EDIT control with the keyboard focus (again, after a dialog).
    void Focus();
    // Handles the messages waiting, until none came for a while.
    static void Pump();

    // Compositions the EDIT control was told of that have not ended (WM_IME_STARTCOMPOSITION
    // less WM_IME_ENDCOMPOSITION).
    static int OpenCompositions();

    HWND window() const { return window_; }
    HWND edit() const { return edit_; }
    HKL layout() const { return layout_; }
    bool ready() const { return edit_ != nullptr && layout_ != nullptr; }

  private:
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    HKL layout_ = nullptr;
};

std::string Utf8Of(const std::wstring& text);

// Presses OK on every "提示" box of the input method (the question before a word is saved, and any
// notice) until it goes out of scope.
class BoxAnswerer {
  public:
    BoxAnswerer();
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    int answered() const { return answered_; }

  private:
    void Run();
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};

// Whether the candidate list of the typing window's context offers the word (GBK) itself, with or
// without a code hint after it.
bool Offers(const TypingWindow& typing, const std::string& word);

// Makes a word on line: Ctrl+`, the characters' codes, Ctrl+` (the question is answered OK).
void MakeWord(TypingWindow& typing, std::string_view codes);
