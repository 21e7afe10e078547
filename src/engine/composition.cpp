#include "engine/composition.h"

#include "context/input_context.h"
#include "context/message_queue.h"
#include "engine/conversion_state.h"

int CommitResultText(HIMC context) {
    ConversionAccess access(context);
    if (!access) {
        return 0;
    }
    const bool announce = PublishResultString(access.comp(), Conversion.ResultText);
    CANDIDATELIST* list = access.list();
    list->dwCount = 0;
    Conversion.CandidateCount = kNoCandidates;
    Conversion.CodeLength = 0;
    access.comp()->dwCompStrLen = 0;
    CandidateSlot(list, 0)[0] = '\0';
    CandidateSlot(list, 1)[0] = '\0';
    access.ReleaseComponents();

    QueueMessage(context, WM_IME_NOTIFY, IMN_CHANGECANDIDATE, 1);
    if (announce) {
        QueueMessage(context, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    }
    QueueMessage(context, WM_IME_ENDCOMPOSITION, 0, 0);
    return 1;
}

int CancelComposition(HIMC context) {
    ConversionAccess access(context);
    if (!access) {
        return 0;
    }
    ClearConversionBuffers();
    ResetCompositionString(access.comp());
    ResetCandidateList(access.info());
    Conversion.CandidateCount = kNoCandidates;
    Conversion.CodeLength = 0;

    QueueMessage(context, WM_IME_NOTIFY, IMN_CHANGECANDIDATE, 1);
    QueueMessage(context, WM_IME_ENDCOMPOSITION, 0, 0);
    return 1;
}
