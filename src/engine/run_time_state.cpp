#include "engine/run_time_state.h"

#include "dict/online_word_state.h"
#include "dict/tables.h"
#include "ime/input_context.h"
#include "ime/key_modes.h"

void ResetRunTimeState() {
    EnglishMode = 0;
    DigitBeforePeriod = 0;
    SoftKeyboardIndex = 0;
    ShiftTapPending = 0;
    OnlineWordActive = 0;
    ClipboardCapturePending = 0;
    MainTableModified = false;
    ResetMessageState();
}
