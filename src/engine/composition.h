// The two ends of a composition: the code's text handed over as the result string, or the code
// and its candidates thrown away.
#pragma once

#include "platform/win32.h"

// Publishes ResultText as the result string and ends the composition. 0 when a lock fails.
int CommitResultText(HIMC context);
// Empties the code, the composition string and the candidate list and ends the composition. 0
// when a lock fails.
int CancelComposition(HIMC context);
