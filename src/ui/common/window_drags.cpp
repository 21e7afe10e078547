#include "ui/common/window_drags.h"

WindowDrags Drags;

void ResetWindowDrags() {
    Drags = WindowDrags{};
}
