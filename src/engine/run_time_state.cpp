#include "engine/run_time_state.h"

#include "dict/tables.h"

void ResetRunTimeState() { MainTableModified = false; }
