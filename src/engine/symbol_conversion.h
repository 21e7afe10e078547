// Chinese punctuation and full-width typing: the two mode flags, the quote toggles, the
// conversion of one typed character into the GBK text that the modes make of it, and its commit.
#pragma once

#include <cstdint>

#include "engine/mode_state.h"
#include "engine/symbol_table.h"
#include "platform/win32.h"

// The text that ch becomes, or null when the modes leave it alone: with neither flag, or for a
// character without a row. Full width alone gives the full-width column; with Chinese punctuation
// the both column (full width on) or the Chinese column, and a quote key first flips its toggle
// and gives the opening quote when the toggle is now false.
const char* ConvertSymbol(std::uint16_t ch, bool fullWidth, bool chinesePunct);

// Commits text (a converted symbol) on its own: it becomes the context's result string, and the
// application gets WM_IME_COMPOSITION with GCS_RESULTSTR, then WM_IME_ENDCOMPOSITION. No start
// message precedes them, and the code and the candidate list stay as they are. Returns 0 and does
// nothing when text is null or the context or its composition string cannot be locked.
int CommitSymbol(HIMC context, const char* text);
