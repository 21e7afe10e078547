// Installing and uninstalling the input method: files in the system directories, the settings
// keys, the entry under Settings → Apps, the keyboard layout. Each returns the program's exit
// code (0 done, 1 failed) and has told the user what happened.
#pragma once

#include <string>

// packageFolder: where zelk-setup.exe lies, ending in a backslash. resetDictionaries: the
// package's main dictionaries replace the installed ones, which are kept as copies beside them.
int InstallInputMethod(const std::wstring& packageFolder, bool resetDictionaries);
// purge: the machine's settings and words go too, and so do the current user's own data folder
// and settings (other users' stay).
int UninstallInputMethod(bool purge);

// Ordinary users cannot install an input method.
bool IsAdministrator();
