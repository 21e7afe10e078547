// The pieces of the end-to-end tests: the package in the folder of the test program, the
// installer run as the user runs it, and a window with an EDIT control into which real key events
// (SendInput) are typed through Wine's IMM32 and the installed input method.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

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

// A fresh installation: the settings key is removed first, so that the installer writes the
// installed defaults.
void InstallWithDefaults();

// The names of the keyboard layouts whose input method is zelk.ime.
std::vector<std::string> ZelkLayouts();

// Settings values of the input method's registry view (missing: ~0u).
DWORD ReadSetting(const char* name);

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
