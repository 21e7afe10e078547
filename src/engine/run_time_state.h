// One reset of every subsystem's run-time state to idle, used at start-up (before the settings are
// read) and by tests.
#pragma once

void ResetRunTimeState();
