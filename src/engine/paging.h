// Turning the pages of the candidate list. Each returns 0 when there are no candidates or the
// context cannot be locked, else 1; a page boundary beeps and changes nothing.
#pragma once

#include "platform/win32.h"

int PageUp(HIMC context);
int PageDown(HIMC context);
int FirstPage(HIMC context);
int LastPage(HIMC context);
