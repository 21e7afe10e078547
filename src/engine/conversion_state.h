// The code being typed and the candidates it gives: one process-wide state shared by every input
// context of the process (the contexts' components are only its published copy).
#pragma once

#include <cstdint>

#include "dict/tables.h"

constexpr int kFirstCandidateSlot = 2;  // slots 0 and 1 stay empty
constexpr int kMaxCandidateCount = 99;  // CandidateCount at most: 97 candidates in slots 2..98
constexpr int kListTextSize = 10240;
constexpr int kItemTextSize = 1024;
constexpr int kExactIndexSize = 101;

// CodeBuffer and ResultText lie together like one DictEntry (code, then word).
struct ConversionBuffers {
    char CodeBuffer[kCodeFieldSize];
    char ResultText[kWordFieldSize];
};
extern ConversionBuffers Conversion;
// The typed code keys (at most 6).
inline char (&CodeBuffer)[kCodeFieldSize] = Conversion.CodeBuffer;
// While typing: a copy of the code; during a commit: the text handed over; after it: the last
// committed text.
inline char (&ResultText)[kWordFieldSize] = Conversion.ResultText;

extern std::uint16_t CodeLength;
// Used slots including the two empty ones: 2 means no candidates.
extern std::uint16_t CandidateCount;
// No candidate has a longer code than the typed one: another key cannot narrow the choice.
extern std::int32_t CodeComplete;
// A candidate list is on offer: digits and the 2nd/3rd-candidate keys act on it.
extern std::int32_t CandidatesOpen;
// The slots hold association candidates.
extern std::int32_t AssociationShown;
// How many candidates of the current page can be selected (the drawing window overwrites it).
extern std::int32_t VisibleCandidates;

extern char MatchList[kListTextSize];
extern char ExtraList[kListTextSize];
extern std::int32_t ListBytes;
extern char ItemText[kItemTextSize];
// MainTable index + 1 of each exact main-table candidate of the last lookup, in list order; the
// element after the last is 0.
extern std::int32_t ExactIndex[kExactIndexSize];

// Back to idle with every buffer empty (start-up and tests).
void ResetConversionState();
