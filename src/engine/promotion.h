// Frequency adjustment: a chosen exact main-table candidate moves to the first place of its page
// in MainTable.
#pragma once

#include "platform/win32.h"

// digit: '1'..'9' or '0' (tenth) of the current page.
void PromoteCandidate(HIMC context, unsigned digit);
