// The code being typed and the candidates it gives: one process-wide state shared by every input
// context of the process (the contexts' components are only its published copy).
#pragma once

#include <cstdint>

#include "context/input_context.h"
#include "dict/tables.h"

constexpr int kExactIndexSize = 101;

struct ConversionState {
    // The typed code keys (at most 6). CodeBuffer and ResultText lie together like one DictEntry
    // (code, then word).
    char CodeBuffer[kCodeFieldSize];
    // While typing: a copy of the code; during a commit: the text handed over; after it: the last
    // committed text.
    char ResultText[kWordFieldSize];
    std::uint16_t CodeLength;
    // Used slots including the two empty ones: kNoCandidates means none.
    std::uint16_t CandidateCount;
    // No candidate has a longer code than the typed one: another key cannot narrow the choice.
    std::int32_t CodeComplete;
    // A candidate list is on offer: digits and the 2nd/3rd-candidate keys act on it.
    std::int32_t CandidatesOpen;
    // The slots hold association candidates.
    std::int32_t AssociationShown;
    // How many candidates of the current page can be selected (the drawing window overwrites it).
    std::int32_t VisibleCandidates;
    // The number of page entries in the first row of the two-row skin: Shift+digit selects
    // counting from there. The status painter leaves it for the key entry.
    std::int32_t SecondRowStart;
    // MainTable index + 1 of each exact main-table candidate of the last lookup, in list order;
    // the element after the last is 0.
    std::int32_t ExactIndex[kExactIndexSize];
    // The typed code of the last commit that came from a code lookup; its first key chooses the
    // table group that association searches.
    char SavedCode[kCodeFieldSize];
};
extern ConversionState Conversion;

// Back to idle with every buffer empty.
void ResetConversionState();

// The typed code and the result text emptied (a selection, a cancelled composition).
void ClearConversionBuffers();

// The list holds at least one candidate.
inline bool HasCandidates() {
    return Conversion.CandidateCount > kNoCandidates;
}
// How many candidates the list holds.
inline int CandidatesInList() {
    return Conversion.CandidateCount - kFirstCandidateSlot;
}
// No candidates, and none on offer any more.
void DropCandidates();
