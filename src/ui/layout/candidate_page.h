// The page of candidates as the candidate window (vertical panel or horizontal bar) and the
// skinned status window lay it out: which entries of the list are drawn, with which number, where,
// and how many the page therefore holds. The texts are measured with a device context into the
// input's array and the page laid out here, once for the engine (its `VisibleCandidates`, the
// list's `dwPageSize` and, for skin 3, `SecondRowStart`) when the page changes, and again by each
// paint, which only draws it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings.h"

enum class CandidateLook { VerticalPanel, HorizontalBar, Skin };

// Skin 3 shows two rows of up to ten.
constexpr std::uint32_t kMaxPageEntries = 20;
constexpr std::int32_t kTwoRowSkin = 3;
// The painter's line buffer for "n:text".
constexpr std::size_t kCandidateLineSize = 120;

// How many entries a page may hold before anything is measured: 20 for skin 3, else 10.
std::uint32_t CandidatePageCapacity(CandidateLook look, std::int32_t skinIndex);
// The entries from pageStart up to the page's end (pageStart + capacity, or count if smaller).
std::uint32_t CandidatePageEntries(std::uint32_t pageStart, std::uint32_t count,
                                   std::uint32_t capacity);

// What the painter measures for the page's entry i: the candidate windows measure the numbered
// line ("n:text" with n = (i + 1) mod 10, FormatCandidateLine), a skin the candidate text alone.
bool MeasuresNumberedLine(CandidateLook look);

struct TextExtent {
    std::int32_t width;
    std::int32_t height;
};

struct CandidatePageInput {
    CandidateLook look;
    std::int32_t skinIndex;                // with CandidateLook::Skin: 1..6
    const SkinLayoutRecord* skin;          // with CandidateLook::Skin: that skin's layout
    std::uint32_t pageStart;               // `dwPageStart`
    std::uint32_t count;                   // `dwCount`
    std::int32_t letterWidth;              // the width of "A", for the skins' cut length
    TextExtent measured[kMaxPageEntries];  // entry pageStart + i at i
};

struct DrawnCandidate {
    std::uint32_t entry;  // index in the candidate list
    int number;           // the digit before the ':' of its line
    std::int32_t x;
    std::int32_t y;
    // Draw only the first cutBytes bytes of the line (at a character boundary, GbkPrefixLength).
    bool cut;
    std::int32_t cutBytes;
};

struct CandidatePageLayout {
    DrawnCandidate drawn[kMaxPageEntries];
    std::uint32_t drawnCount;
    std::uint32_t visibleCandidates;  // for `VisibleCandidates`
    std::uint32_t pageSize;           // for `dwPageSize`
    // Skin 3: the number of entries on the first row, set only when the first row ended; a page
    // that fits on one row leaves the old value.
    bool secondRowStartSet;
    std::uint32_t secondRowStart;
};

CandidatePageLayout LayOutCandidatePage(const CandidatePageInput& in);

// The line "n:text" with n a digit (the number mod 10), cut to the buffer; answers its length.
std::size_t FormatCandidateLine(char (&line)[kCandidateLineSize], int number, const char* text);
