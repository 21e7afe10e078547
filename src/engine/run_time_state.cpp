#include "engine/run_time_state.h"

#include "dict/tables.h"
#include "ime/input_context.h"

void ResetRunTimeState() {
    MainTableModified = false;
    ResetMessageState();
}
