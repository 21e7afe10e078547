// The drags of the UI's windows. Process-wide like the windows' other state: there is one
// pointer, so one drag at a time.
#pragma once

#include "ui/layout/drag_tracker.h"

// The status window's drop rule places it at every release, and its outline follows the pointer
// from the first move.
constexpr DragRules kStatusDragRules{true, true};

struct WindowDrags {
    DragTracker Cand;
    // A composition window drag carries the candidate window along: CompCand is armed only when
    // that window exists at the press, and shares the composition drag's pointer.
    DragTracker Comp;
    DragTracker CompCand;
    DragTracker Status{kStatusDragRules};
};
extern WindowDrags Drags;

// No drag in progress.
void ResetWindowDrags();
