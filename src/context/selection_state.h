// What the selection and activation of input contexts leave for the rest of the input method:
// process-wide, as every context of the process shares one set of modes.
#pragma once

#include <cstdint>

#include "platform/win32.h"

struct SelectionState {
    // The first selection in the process has adjusted the conversion mode.
    std::int32_t ConversionModeInitialised;
    // The conversion mode of the context selected last; the UI shows the soft keyboard at
    // creation when it has IME_CMODE_SOFTKBD.
    DWORD SelectedConversionMode;
    // The last activation call activated a context (true until the first call says otherwise).
    std::int32_t ContextActive;
};
extern SelectionState Selection;

// Back to the values of a freshly loaded module.
void ResetSelectionState();
