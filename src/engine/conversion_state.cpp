#include "engine/conversion_state.h"

#include <cstring>

ConversionBuffers Conversion;
std::uint16_t CodeLength;
std::uint16_t CandidateCount = kFirstCandidateSlot;
std::int32_t CodeComplete;
std::int32_t CandidatesOpen;
std::int32_t AssociationShown;
std::int32_t VisibleCandidates;
char MatchList[kListTextSize];
char ExtraList[kListTextSize];
std::int32_t ListBytes;
char ItemText[kItemTextSize];
std::int32_t ExactIndex[kExactIndexSize];

void ResetConversionState() {
    std::memset(&Conversion, 0, sizeof Conversion);
    CodeLength = 0;
    CandidateCount = kFirstCandidateSlot;
    CodeComplete = 0;
    CandidatesOpen = 0;
    AssociationShown = 0;
    VisibleCandidates = 0;
    std::memset(MatchList, 0, sizeof MatchList);
    std::memset(ExtraList, 0, sizeof ExtraList);
    ListBytes = 0;
    std::memset(ItemText, 0, sizeof ItemText);
    ExactIndex[0] = 0;
}
