// Turning the pages of the candidate list. Each returns 0 when there are no candidates or the
// context cannot be locked, else 1; a page boundary beeps and changes nothing.
#pragma once

#include <cstdint>

#include "platform/win32.h"

int PageUp(HIMC context);
int PageDown(HIMC context);
int FirstPage(HIMC context);
int LastPage(HIMC context);

// The page as the window showing the candidates laid it out: how many it shows (what a click or a
// digit may choose, `VisibleCandidates`), the page size the turns step by, and for a skin with two
// rows where the second starts (`SecondRowStart`, kept when the page fits on one row).
struct ShownPage {
    std::uint32_t visibleCandidates;
    std::uint32_t pageSize;
    bool secondRowStartSet;
    std::uint32_t secondRowStart;
};
void TakeShownPage(CANDIDATELIST* list, const ShownPage& page);
