// Reads the settings dialog of a running input method from another thread (Windows only): its
// texts as the ANSI functions give them (code page 936), its page list, which boxes are checked
// and enabled, and which option boxes each page shows.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct SettingsDialogContents {
    std::string caption;
    LONG style = 0;
    std::map<int, std::string> texts;  // by control id; the texts of all controls of an id joined,
                                       // each followed by '|'
    std::vector<std::string> pages;    // the page list
    std::vector<int> checked;          // option boxes checked at reading
    std::vector<int> disabled;
    std::map<int, std::vector<int>> shown;  // page -> the option boxes it shows (in id order)
};

// The dialog once it is open (waits up to 5 s); null when none comes.
HWND WaitForSettingsDialog();
// Selects every page in turn (through the list and its notification) and ends on page 1.
SettingsDialogContents ReadSettingsDialog(HWND dialog);
// The texts of a dialog's controls by id (GetWindowTextA), those of one id joined, each followed
// by '|'.
std::map<int, std::string> ControlTexts(HWND dialog);
std::string WindowTextA(HWND window);
// The option boxes' ids: 1033 to 1092 without OK (1042) and the page list (1085).
std::vector<int> SettingsOptionIds();
#endif
