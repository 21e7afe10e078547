#include "engine/paging.h"

#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "engine/ui_sink.h"
#include "context/input_context.h"
#include "engine/window_state.h"

namespace {

enum class Turn { Up, Down, First, Last };

// Where the page starts after the turn, or a negative value at a boundary (beep). The page size
// subtracted is the current one, so after pages of different sizes the previous page may start
// elsewhere than before.
long NewPageStart(Turn turn, long start, long size, long count) {
    switch (turn) {
        case Turn::Down:
            return start + size < count ? start + size : -1;
        case Turn::Up:
            if (start <= kFirstCandidateSlot) {
                return -1;
            }
            return start - size < kFirstCandidateSlot ? kFirstCandidateSlot : start - size;
        case Turn::First:
            return kFirstCandidateSlot;
        case Turn::Last:
            // A page size of 0 would never reach the end.
            while (size > 0 && start + size < count) {
                start += size;
            }
            return start;
    }
    return -1;
}

int TurnPage(HIMC context, Turn turn) {
    if (!HasCandidates()) {
        return 0;
    }
    CandidateListAccess access(context);
    if (!access) {
        return 0;
    }
    CANDIDATELIST* list = access.list();
    const long start = NewPageStart(turn, static_cast<long>(list->dwPageStart),
                                    static_cast<long>(static_cast<std::int32_t>(list->dwPageSize)),
                                    static_cast<long>(list->dwCount));
    if (start < 0) {
        MessageBeep(kSimpleBeep);
        return 1;
    }
    list->dwPageStart = static_cast<DWORD>(start);
    TellUi(UiChange::CandidatePage);
    QueueCompositionNotifications(context, kCompositionStringFlag);
    return 1;
}

}  // namespace

int PageUp(HIMC context) {
    return TurnPage(context, Turn::Up);
}
int PageDown(HIMC context) {
    return TurnPage(context, Turn::Down);
}
int FirstPage(HIMC context) {
    return TurnPage(context, Turn::First);
}
int LastPage(HIMC context) {
    return TurnPage(context, Turn::Last);
}

void TakeShownPage(CANDIDATELIST* list, const ShownPage& page) {
    Conversion.VisibleCandidates = static_cast<std::int32_t>(page.visibleCandidates);
    list->dwPageSize = page.pageSize;
    if (page.secondRowStartSet) {
        Conversion.SecondRowStart = static_cast<std::int32_t>(page.secondRowStart);
    }
}
