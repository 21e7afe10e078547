#include "ui/layout/candidate_page.h"

#include <cstdio>

namespace {

constexpr std::uint32_t kWindowPageCapacity = 10;
constexpr std::uint32_t kRowCapacity = 10;

// Vertical panel: lines from (6, 22) downwards.
constexpr std::int32_t kPanelTextX = 6;
constexpr std::int32_t kPanelTextY = 22;
// Horizontal bar: one line at y 5 from x 30; a candidate that would reach the paging buttons
// (566 - 90) goes to the next page.
constexpr std::int32_t kBarTextX = 30;
constexpr std::int32_t kBarTextY = 5;
constexpr std::int32_t kBarLineLimit = 566 - 90;
constexpr std::int32_t kBarGap = 10;
// Skins: the gap after a candidate's text (its "n:" prefix eats into it), and the second row of
// skin 3 below the first.
constexpr std::int32_t kSkinGap = 30;
constexpr std::int32_t kSecondRowOffset = 23;

void Draw(CandidatePageLayout& page, std::uint32_t entry, int number, std::int32_t x,
          std::int32_t y, bool cut, std::int32_t cutBytes) {
    page.drawn[page.drawnCount++] = DrawnCandidate{entry, number, x, y, cut, cutBytes};
}

void LayOutPanel(const CandidatePageInput& in, std::uint32_t entries, CandidatePageLayout& page) {
    std::int32_t y = kPanelTextY;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const int n = static_cast<int>(i + 1);
        Draw(page, in.pageStart + i, n % 10, kPanelTextX, y, false, 0);
        page.visibleCandidates = static_cast<std::uint32_t>(n);
        y += in.measured[i].height;
    }
    page.pageSize = entries;
}

void LayOutBar(const CandidatePageInput& in, std::uint32_t entries, CandidatePageLayout& page) {
    std::int32_t x = kBarTextX;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::int32_t width = in.measured[i].width;
        // The first candidate is drawn however wide, or a page could never move past it.
        if (i > 0 && x + width >= kBarLineLimit) {
            break;
        }
        const int n = static_cast<int>(i + 1);
        Draw(page, in.pageStart + i, n % 10, x, kBarTextY, false, 0);
        page.visibleCandidates = static_cast<std::uint32_t>(n);
        x += width + kBarGap;
    }
    page.pageSize = page.visibleCandidates;
}

void LayOutSkin(const CandidatePageInput& in, std::uint32_t entries, CandidatePageLayout& page) {
    const SkinLayoutRecord& skin = *in.skin;
    const bool twoRows = in.skinIndex == kTwoRowSkin;
    const std::int32_t limit = skin.CandLimit;
    // The cut keeps as many bytes as two per "A" width in the limit; without a measured "A"
    // nothing can be judged, and lines are drawn whole.
    const bool canCut = in.letterWidth > 0;
    const std::int32_t cutBytes = canCut ? (limit / in.letterWidth) * 2 : 0;
    std::uint32_t k = 0;
    std::int32_t s = 0;
    std::int32_t t = 0;
    bool firstRow = true;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint32_t n = i + 1;
        const std::uint32_t entry = in.pageStart + i;
        const std::int32_t w = in.measured[i].width;
        const bool pageFirst = i == 0;
        const bool overLimit = canCut && w > limit;
        ++k;
        page.visibleCandidates = n;
        if (skin.Vertical == 1) {
            Draw(page, entry, static_cast<int>(k % 10), skin.CandX + s, skin.CandY + t, overLimit,
                 cutBytes);
            t += in.measured[i].height;
            continue;
        }
        if (twoRows && firstRow) {
            if (s + w < limit || pageFirst) {
                Draw(page, entry, static_cast<int>(k % 10), skin.CandX + s, skin.CandY + t,
                     pageFirst && overLimit, cutBytes);
                s += w + kSkinGap;
                if (k == kRowCapacity) {
                    firstRow = false;
                    s = 0;
                    page.secondRowStartSet = true;
                    page.secondRowStart = kRowCapacity;
                    k = 0;
                }
                continue;
            }
            // The candidate that does not fit opens the second row, so that every counted
            // candidate is drawn and Shift+digit counts from the first one shown there.
            firstRow = false;
            s = 0;
            page.secondRowStartSet = true;
            page.secondRowStart = k - 1;
            k = 1;
        }
        const std::int32_t y = skin.CandY + t + (twoRows ? kSecondRowOffset : 0);
        if (s + w >= limit && !pageFirst) {
            page.visibleCandidates = n - 1;
            break;
        }
        Draw(page, entry, static_cast<int>(k % 10), skin.CandX + s, y, pageFirst && overLimit,
             cutBytes);
        s += w + kSkinGap;
        if (k == kRowCapacity) {
            break;
        }
    }
    page.pageSize = page.visibleCandidates;
}

}  // namespace

std::uint32_t CandidatePageCapacity(CandidateLook look, std::int32_t skinIndex) {
    if (look == CandidateLook::Skin && skinIndex == kTwoRowSkin) {
        return 2 * kRowCapacity;
    }
    return kWindowPageCapacity;
}

std::uint32_t CandidatePageEntries(std::uint32_t pageStart, std::uint32_t count,
                                   std::uint32_t capacity) {
    if (pageStart >= count) {
        return 0;
    }
    const std::uint32_t left = count - pageStart;
    return left < capacity ? left : capacity;
}

bool MeasuresNumberedLine(CandidateLook look) {
    return look != CandidateLook::Skin;
}

CandidatePageLayout LayOutCandidatePage(const CandidatePageInput& in) {
    CandidatePageLayout page{};
    std::uint32_t capacity = CandidatePageCapacity(in.look, in.skinIndex);
    if (capacity > kMaxPageEntries) {
        capacity = kMaxPageEntries;
    }
    const std::uint32_t entries = CandidatePageEntries(in.pageStart, in.count, capacity);
    switch (in.look) {
        case CandidateLook::VerticalPanel:
            LayOutPanel(in, entries, page);
            break;
        case CandidateLook::HorizontalBar:
            LayOutBar(in, entries, page);
            break;
        case CandidateLook::Skin:
            if (in.skin != nullptr) {
                LayOutSkin(in, entries, page);
            }
            break;
    }
    return page;
}

std::size_t FormatCandidateLine(char (&line)[kCandidateLineSize], int number, const char* text) {
    const int digit = ((number % 10) + 10) % 10;
    const int written = std::snprintf(line, sizeof line, "%d:%s", digit, text);
    if (written < 0) {
        line[0] = '\0';
        return 0;
    }
    const std::size_t length = static_cast<std::size_t>(written);
    return length < sizeof line ? length : sizeof line - 1;
}
