// What a punctuation, digit or letter key becomes in Chinese punctuation and full-width typing:
// one table row per key, three GBK texts per row.
#pragma once

#include <cstdint>

// One key's texts; which one is typed depends on the modes that are on.
struct SymbolRow {
    char key;               // the ASCII character typed
    const char* both;       // full width and Chinese punctuation on
    const char* fullWidth;  // full width alone
    const char* chinese;    // Chinese punctuation alone
};

constexpr int kSymbolRowCount = 95;
// Rows 0 .. 32 are the punctuation keys (space and the printable characters that are neither
// letters nor digits); then '0'..'9', 'a'..'z', 'A'..'Z'.
constexpr int kPunctuationRowCount = 33;

extern const SymbolRow SymbolTable[kSymbolRowCount];

// The opening quotes, typed in turn with the closing ones of the quote rows.
extern const char kOpeningSingleQuote[];  // ‘
extern const char kOpeningDoubleQuote[];  // “

// The first row whose key is ch among the first rowCount rows, or null. Only the low byte of ch
// counts, and it matches only as an ASCII character: a byte of 0x80 or above finds nothing.
const SymbolRow* FindSymbolRow(std::uint16_t ch, int rowCount = kSymbolRowCount);

// ch is one of the punctuation keys (rows 0 .. 32).
bool IsPunctuationKey(std::uint16_t ch);
// ch has a row at all (punctuation, digit or letter).
bool FindSymbol(std::uint16_t ch);
