// What a user word may hold, and how GBK text is measured and cut by whole characters. Both ways of
// making a word (the word-making dialog and on-line creation) refuse the same words.
#pragma once

#include <cstddef>

// True when the word holds no space and no control byte (below 0x20, or 0x7F). A user-file line
// is "code, spaces, word", so a space inside a word would split it on the next load, and a line
// end would start a new line. No GBK trail byte falls in those values, so checking each byte is
// exact. The empty word passes (emptiness is refused on its own); a null pointer does not.
bool IsPlainWord(const char* word);

// Bytes of the character that starts at text: 2 for a GBK lead byte (0x81 to 0xFE) followed by a
// trail byte (0x40 to 0xFE, not 0x7F), otherwise 1; 0 when nothing remains.
std::size_t GbkCharBytes(const char* text, std::size_t remaining);

// The length of the longest start of text that has at most maxBytes bytes and at most maxChars
// characters and does not split a double-byte character.
std::size_t GbkPrefixBytes(const char* text, std::size_t length, std::size_t maxBytes,
                           std::size_t maxChars);
