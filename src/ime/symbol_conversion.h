// Chinese punctuation and full-width typing: the two mode flags, the quote toggles, the
// conversion of one typed character into the GBK text that the modes make of it, and its commit.
#pragma once

#include <cstdint>

#include "ime/symbol_table.h"
#include "platform/win32.h"

// Process-wide mode word shared by every input context; bits other than these two stay 0.
extern std::uint16_t ModeFlags;
constexpr std::uint16_t ChinesePunctuation = 0x1;
constexpr std::uint16_t FullWidth = 0x2;
// What the input method starts with, and what a UI window's destruction returns to.
constexpr std::uint16_t kStartModeFlags = ChinesePunctuation;

// True while the last quote of that kind typed in Chinese punctuation was a closing one (or none
// was typed yet), so the next one opens. Never reset while the process lives.
extern std::int32_t SingleQuoteToggle;
extern std::int32_t DoubleQuoteToggle;

inline bool IsModeOn(std::uint16_t flag) {
    return (ModeFlags & flag) != 0;
}
void SetMode(std::uint16_t flag, bool on);
void FlipMode(std::uint16_t flag);

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

// Back to the state of a fresh process: no mode bits, both toggles true (tests).
void ResetSymbolModeState();
