// What a commit hands over, decided over plain data before anything is written: which slot a
// selection key picks, and the text, saved code and association key the chosen candidate gives.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dict/tables.h"

// A candidate the user picks (a digit, a click) must be one the window showed; the input method's
// own automatic commit of a unique complete code commits whatever was painted.
enum class CommitSource { Shown, Automatic };

struct CandidateChoice {
    // '0'..'9': the tenth and the first to ninth candidate of the page.
    unsigned selection;
    // Added to the index (the second row of a two-row skin); only its low 16 bits count.
    unsigned offset;
    CommitSource source;
    // How many candidates of the page the window showed.
    std::int32_t visibleCandidates;
    // Only the shown candidates may be picked.
    bool progressiveHint;
    std::uint32_t pageStart;
    std::uint32_t count;
};

constexpr int kNoCandidateSlot = -1;

// The slot the choice picks, or kNoCandidateSlot.
int ChooseCandidateSlot(const CandidateChoice& choice);

struct CommitInput {
    // The slot's text: the word, then the hint (code keys still to type) if hints are on.
    const char* chosen;
    // The result text before the commit: the typed code, or the text last committed.
    const char* previous;
    // Appended to a new word (the converted punctuation of the key that committed it); may be
    // empty.
    const char* follow;
    std::size_t followLength;
    bool codeHint;
    bool gbkMode;
};

struct CommitResult {
    // The text handed to the application (at most kMaxWordBytes).
    char text[kWordFieldSize];
    std::size_t textLength;
    // The chosen candidate begins with the previous text (an association candidate): only its
    // rest is new, and the whole word becomes the result text after it.
    bool continuation;
    char wholeWord[kWordFieldSize];
    std::size_t wholeWordLength;
    // A new word keeps the code it was typed with, for the next association's table group.
    char savedCode[kCodeFieldSize];
    // The word part of the candidate, which association searches for; empty in GBK mode.
    char associationKey[kWordFieldSize];
};

// The chosen candidate begins with the previous text. Before any code was typed the previous text
// is empty, and every candidate continues it.
bool ContinuesPrevious(const char* chosen, const char* previous);

CommitResult BuildCommitResult(const CommitInput& input);

// The word part of a candidate: its text up to the first code letter (where a hint begins).
std::size_t WordPartLength(const char* candidate);
