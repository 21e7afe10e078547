#include "engine/promotion.h"

#include "dict/code_index.h"
#include "dict/learned_order.h"
#include "engine/conversion_state.h"
#include "engine/lookup.h"
#include "engine/user_words.h"
#include "context/input_context.h"
#include "settings/settings.h"
#include "dict/tables.h"

namespace {

DictEntry& EntryAt(int position) {
    return Tables.MainTable[Conversion.ExactIndex[position] - 1];
}

void Reindex(int position) {
    IndexEntry(MainIndex, EntryAt(position),
               static_cast<std::size_t>(Conversion.ExactIndex[position] - 1));
}

}  // namespace

void PromoteCandidate(HIMC context, unsigned digit) {
    if (!HasCandidates() || Conversion.AssociationShown != 0 || digit < '0' || digit > '9') {
        return;
    }
    DWORD pageStart;
    {
        CandidateListAccess access(context);
        if (!access) {
            return;
        }
        pageStart = access.list()->dwPageStart;
    }
    // The list lies in memory the application may write: a page start must name a slot that holds
    // a candidate.
    if (pageStart < kFirstCandidateSlot ||
        pageStart >= static_cast<DWORD>(Conversion.CandidateCount)) {
        return;
    }
    const unsigned chosen = (digit == '0' ? 9u : digit - '1') + pageStart - kFirstCandidateSlot;
    unsigned exactCount = 0;
    while (exactCount < kExactIndexSize - 1 && Conversion.ExactIndex[exactCount] != 0) {
        ++exactCount;
    }
    // Only exact main-table matches take part; user words, longer codes and the special
    // candidate never move.
    if (chosen >= exactCount) {
        return;
    }
    Tables.MainTableModified = true;
    const int first = static_cast<int>(pageStart - kFirstCandidateSlot);
    const DictEntry saved = EntryAt(static_cast<int>(chosen));
    // The first of its page moves nowhere: nothing to make again elsewhere.
    const bool recorded =
        static_cast<int>(chosen) == first || RecordPromotion(saved, EntryAt(first));
    for (int m = static_cast<int>(chosen); m > first; --m) {
        EntryAt(m) = EntryAt(m - 1);
        Reindex(m);
    }
    EntryAt(first) = saved;
    Reindex(first);
    if (!recorded) {
        // The log is full: the order goes to disk now, with this promotion in it.
        SaveLearnedOrderOrTell(Settings.CodeSet);
    }

    if (Settings.AutoFrequency == 0) {
        EditCode(context, 0, Refresh, true);
    }
}
