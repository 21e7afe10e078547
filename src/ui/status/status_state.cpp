#include "ui/status/status_state.h"

StatusWindowState Status;

void ResetStatusWindowState() {
    Status = StatusWindowState{};
}
