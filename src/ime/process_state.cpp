#include "ime/process_state.h"

#include "context/message_queue.h"
#include "context/process_facts.h"
#include "context/selection_state.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/online_word_state.h"
#include "engine/window_state.h"
#include "ui/dialogs/dialog_state.h"
#include "ui/common/window_drags.h"
#include "ui/common/window_sink.h"
#include "ui/status/status_state.h"

// The settings record is not state of this kind: the module's start-up reads it from the
// registry, and the tables are replaced only by a load.
void ResetProcessState() {
    ResetProcessFacts();
    ResetSelectionState();
    ResetMessageState();
    ResetTableState();
    ResetConversionState();
    ResetModeState();
    ResetOnlineWordState();
    ResetWindowState();
    ResetDialogState();
    ResetWindowDrags();
    ResetStatusWindowState();
    InstallUiSink(WindowsUiSink());
}
