#include "engine/conversion_state.h"

#include <cstring>

ConversionState Conversion;

void ResetConversionState() {
    Conversion = ConversionState{};
    Conversion.CandidateCount = kNoCandidates;
}

void ClearConversionBuffers() {
    std::memset(Conversion.CodeBuffer, 0, sizeof Conversion.CodeBuffer);
    std::memset(Conversion.ResultText, 0, sizeof Conversion.ResultText);
}

void DropCandidates() {
    Conversion.CandidateCount = kNoCandidates;
    Conversion.CandidatesOpen = 0;
}
