// Checks a main dictionary file against everything the loader assumes: GBK text, CR LF line ends,
// "code_word" lines, the code alphabet and lengths, the word length, and the fixed group order and
// sizes of the code set.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct DictionaryProblem {
    std::size_t line;  // 1-based; 0 for the file as a whole
    std::string message;
};

struct DictionaryCheckResult {
    std::size_t lines = 0;
    std::vector<DictionaryProblem> problems;
    bool usable() const { return problems.empty(); }
};

// codeSet: 1 = Primary (keys 'a'..'z'), 0 = Secondary (also ';' and '/').
DictionaryCheckResult CheckMainDictionary(std::string_view bytes, int codeSet);

// Checks a user file (separator ' ') or a backup ('_') line by line: every line the loader would
// leave out is a problem (blank lines are none). Such a file is still read, without those lines.
DictionaryCheckResult CheckUserWords(std::string_view bytes, char separator, int codeSet);
