#include "engine/window_state.h"

WindowState Windows;

void ResetWindowState() {
    Windows = WindowState{};
}
