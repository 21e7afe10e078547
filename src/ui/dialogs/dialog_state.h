// What the input method's dialogs share with the windows that open them.
#pragma once

#include <cstdint>

struct DialogState {
    // The word-making dialog is open in this process: the status window's menu refuses a second.
    std::int32_t WordDialogOpen;
};
extern DialogState Dialogs;

// No dialog open.
void ResetDialogState();
