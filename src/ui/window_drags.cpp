#include "ui/window_drags.h"

WindowDrags Drags;

void ResetWindowDrags() {
    Drags = WindowDrags{};
}
