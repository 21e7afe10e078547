#include "ui/dialogs/dialog_state.h"

DialogState Dialogs;

void ResetDialogState() {
    Dialogs = DialogState{};
}
