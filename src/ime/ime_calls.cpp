#include "ime/ime_calls.h"

#include <cstring>

#include "context/input_context.h"
#include "ui/common/ui_classes.h"
#include "engine/window_state.h"
#include "context/selection_state.h"
#include "engine/conversion_state.h"
#include "engine/composition.h"
#include "dict/learned_order.h"
#include "engine/user_words.h"
#include "engine/ui_sink.h"
#include "settings/settings.h"

namespace {

// Bytes of per-context private data IMM32 allocates; the input method never uses them, all its
// state being process-wide.
constexpr DWORD kPrivateDataSize = 60;
// Style of a candidate form that leaves the placement to the input method.
constexpr DWORD kNoCandidateForm = 0xFFFFFFFF;

}  // namespace

void FillImeInfo(IMEINFO* info, char* uiClassName) {
    info->dwPrivateDataSize = kPrivateDataSize;
    // Keys arrive with their translated character; the input method draws its own windows.
    info->fdwProperty = IME_PROP_SPECIAL_UI | IME_PROP_KBD_CHAR_FIRST;
    info->fdwConversionCaps = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    info->fdwSentenceCaps = 0;
    info->fdwUICaps = UI_CAP_SOFTKBD | UI_CAP_ROT90;
    info->fdwSCSCaps = 0;
    info->fdwSelectCaps = SELECT_CAP_CONVERSION;
    const char* name = kUiClasses[UiWindowClass].name;
    std::memcpy(uiClassName, name, std::strlen(name) + 1);
}

void NormaliseCandidateForm(CANDIDATEFORM& form) {
    if (form.dwIndex != 0) {
        form.dwStyle = 0;
    }
    if (form.dwStyle == 0) {
        form.dwIndex = kNoCandidateForm;
    }
}

DWORD SelectionConversionMode(DWORD mode, bool firstSelection) {
    if (firstSelection) {
        mode &= ~IME_CMODE_FULLSHAPE;
        mode |= IME_CMODE_SYMBOL;
    }
    return mode | IME_CMODE_NATIVE;
}

BOOL SelectInputContext(HIMC context, BOOL select) {
    ContextLock ic(context);
    if (!ic) {
        return 0;
    }
    NormaliseCandidateForm(ic->cfCandForm[0]);
    if (!select) {
        ShapeDeselectedComponents(ic.get());
        return 1;
    }
    // Every selection opens the context; only the process's first one changes the modes the
    // application chose.
    ic->fOpen = TRUE;
    ic->fdwConversion =
        SelectionConversionMode(ic->fdwConversion, Selection.ConversionModeInitialised == 0);
    Selection.ConversionModeInitialised = 1;
    Selection.SelectedConversionMode = ic->fdwConversion;
    ClearConversionBuffers();
    if (!InitCompositionString(ic.get())) {
        return 0;
    }
    ShapeSelectedCandidateInfo(ic.get());
    return 1;
}

NotifyOutcome NotifyInputContext(HIMC context, DWORD action, DWORD index, DWORD value) {
    if (action == NI_CONTEXTUPDATED && value == IMC_SETOPENSTATUS) {
        ContextLock ic(context);
        if (ic && ic->fOpen == 0) {
            // A closed context keeps no half-typed code.
            ComponentLock<COMPOSITIONSTRING, sizeof(COMPOSITIONSTRING)> comp(ic->hCompStr);
            const bool typing = comp && comp->dwCompStrLen != 0;
            comp.Release();
            if (typing) {
                CancelComposition(context);
            }
        }
        return NotifyOutcome{1, true};
    }
    if (action == NI_COMPOSITIONSTR && index == CPS_CANCEL) {
        CancelComposition(context);
        TellUi(UiChange::Everything);
    }
    return NotifyOutcome{0, false};
}

void ActivateInputContext(BOOL active) {
    Selection.ContextActive = active == 1 ? 1 : 0;
    if (active != 0) {
        ReloadUserWordsIfChanged();
        TellPassedOverMainFile();
    } else {
        // A program may end without destroying its windows: what it learned is kept on leaving.
        SaveLearnedOrderOrTell(Settings.CodeSet);
    }
}
