#include "engine/window_state.h"

#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/online_word_state.h"

WindowState Windows;

void ResetWindowState() {
    Windows = WindowState{};
}

void ResetUiWindowState() {
    Windows.CurrentStatusWindow = nullptr;
    Windows.CurrentCandWindow = nullptr;
    Windows.CurrentCompWindow = nullptr;
    Windows.PressedPageButton = 0;
    DropCandidates();
    Conversion.CodeLength = 0;
    ResetModesOfUiWindow();
    OnlineWord.OnlineWordActive = 0;
}
