// The word-making and code-lookup dialog (131): the dialog procedure that applies the rules of
// word_dialog_rules.h to the real controls, and the modal run the status window's menu starts.
#pragma once

#include "platform/win32.h"

INT_PTR CALLBACK WordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog modally without an owner and keeps Dialogs.WordDialogOpen set while it is open.
// The caller refuses a second one ("造词程序已经运行!") before calling.
void RunWordDialog();
