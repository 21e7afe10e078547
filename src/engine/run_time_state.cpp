#include "engine/run_time_state.h"

#include "dict/online_word_state.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "ime/input_context.h"
#include "ime/key_modes.h"
#include "ui/window_handles.h"

void ResetRunTimeState() {
    EnglishMode = 0;
    DigitBeforePeriod = 0;
    CandidatesOpen = 0;
    SoftKeyboardIndex = 0;
    CandidateCount = kFirstCandidateSlot;
    ResetWindowHandles();
    ShiftTapPending = 0;
    OnlineWordActive = 0;
    ClipboardCapturePending = 0;
    CodeLength = 0;
    MainTableModified = false;
    ResetMessageState();
}
