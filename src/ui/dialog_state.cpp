#include "ui/dialog_state.h"

DialogState Dialogs;

void ResetDialogState() {
    Dialogs = DialogState{};
}
