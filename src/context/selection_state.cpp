#include "context/selection_state.h"

SelectionState Selection;

void ResetSelectionState() {
    Selection = SelectionState{};
    Selection.ContextActive = 1;
}
