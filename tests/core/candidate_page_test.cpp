#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "ui/layout/candidate_page.h"

namespace {

// Lays out a page whose entries measure widths[i] (height 16), "A" 8 pixels wide.
CandidatePageLayout LayOut(CandidateLook look, int skinIndex, std::uint32_t pageStart,
                           std::uint32_t count, const std::vector<std::int32_t>& widths) {
    InitSkinLayout();
    CandidatePageInput in{};
    in.look = look;
    in.skinIndex = skinIndex;
    in.skin = skinIndex > 0 ? &SkinLayout[skinIndex - 1] : nullptr;
    in.pageStart = pageStart;
    in.count = count;
    in.letterWidth = 8;
    for (std::size_t i = 0; i < widths.size() && i < kMaxPageEntries; ++i) {
        in.measured[i] = TextExtent{widths[i], 16};
    }
    return LayOutCandidatePage(in);
}

// The drawn entries as "number@x,y" (with "/cut" when cut), for compact comparisons.
std::string Drawn(const CandidatePageLayout& page) {
    std::string out;
    for (std::uint32_t i = 0; i < page.drawnCount; ++i) {
        const DrawnCandidate& d = page.drawn[i];
        out += std::to_string(d.number) + "@" + std::to_string(d.x) + "," + std::to_string(d.y) +
               (d.cut ? "/" + std::to_string(d.cutBytes) : "") + " ";
    }
    return out;
}

TEST(CandidatePage, Looks) {
    struct Case {
        const char* name;
        CandidateLook look;
        int skin;
        std::uint32_t pageStart, count;
        std::vector<std::int32_t> widths;
        std::uint32_t pageSize;
        const char* drawn;
    };
    const std::vector<std::int32_t> ten(10, 30);
    const Case cases[] = {
        {"panel of ten numbered 1..9 then 0", CandidateLook::VerticalPanel, 0, 2, 12, ten, 10,
         "1@6,22 2@6,38 3@6,54 4@6,70 5@6,86 6@6,102 7@6,118 8@6,134 9@6,150 0@6,166 "},
        {"panel at the list's end", CandidateLook::VerticalPanel, 0, 22, 25, ten, 3,
         "1@6,22 2@6,38 3@6,54 "},
        {"bar: a first candidate wider than the bar",
         CandidateLook::HorizontalBar,
         0,
         2,
         5,
         {600, 20},
         1,
         "1@30,5 "},
        {"bar: narrow texts fill ten", CandidateLook::HorizontalBar, 0, 2, 27, ten, 10,
         "1@30,5 2@70,5 3@110,5 4@150,5 5@190,5 6@230,5 7@270,5 8@310,5 9@350,5 0@390,5 "},
        {"bar: reaching 476 stops",
         CandidateLook::HorizontalBar,
         0,
         2,
         27,
         {100, 100, 100, 100, 6},
         4,
         "1@30,5 2@140,5 3@250,5 4@360,5 "},
        {"bar: 475 still fits",
         CandidateLook::HorizontalBar,
         0,
         2,
         27,
         {100, 100, 100, 100, 5},
         5,
         "1@30,5 2@140,5 3@250,5 4@360,5 5@470,5 "},
        {"skin 2, 100 wide",
         CandidateLook::Skin,
         2,
         2,
         12,
         {100, 100, 100, 100},
         3,
         "1@7,28 2@137,28 3@267,28 "},
        {"skin 1 stacks and cuts",
         CandidateLook::Skin,
         1,
         2,
         5,
         {50, 161, 160},
         3,
         "1@7,28 2@7,44/40 3@7,60 "},
        {"skin 6: a first candidate over the limit is cut, alone",
         CandidateLook::Skin,
         6,
         2,
         5,
         {500, 10},
         1,
         "1@90,7/102 "},
    };
    for (const Case& c : cases) {
        const CandidatePageLayout page = LayOut(c.look, c.skin, c.pageStart, c.count, c.widths);
        EXPECT_EQ(Drawn(page), c.drawn) << c.name;
        EXPECT_EQ(page.pageSize, c.pageSize) << c.name;
        EXPECT_EQ(page.visibleCandidates, c.pageSize) << c.name;
        EXPECT_EQ(page.drawnCount, c.pageSize) << c.name;
        EXPECT_EQ(page.drawnCount == 0 ? 0 : page.drawn[0].entry, c.pageStart) << c.name;
        EXPECT_FALSE(page.secondRowStartSet) << c.name;
    }
}

TEST(CandidatePage, SkinThreeRows) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> widths;
        std::uint32_t count;  // entries in the list from slot 2
        bool rowEnds;
        std::uint32_t secondRowStart;
        std::uint32_t pageSize;
        const char* secondRow;  // the entries drawn at y 25 + 23
    };
    const Case cases[] = {
        {"twelve short", std::vector<std::int32_t>(12, 20), 12, true, 10, 12, "1@7,48 2@57,48 "},
        {"six short", std::vector<std::int32_t>(6, 20), 6, false, 0, 6, ""},
        {"ten exactly", std::vector<std::int32_t>(10, 20), 10, true, 10, 10, ""},
        {"569 fits the first row", {100, 100, 100, 179}, 4, false, 0, 4, ""},
        {"570 opens the second row", {100, 100, 100, 180, 20}, 5, true, 3, 5, "1@7,48 2@217,48 "},
        {"too wide for either row", {100, 600, 20}, 3, true, 1, 1, ""},
        {"twenty short", std::vector<std::int32_t>(20, 20), 22, true, 10, 20,
         "1@7,48 2@57,48 3@107,48 4@157,48 5@207,48 6@257,48 7@307,48 8@357,48 9@407,48 "
         "0@457,48 "},
    };
    for (const Case& c : cases) {
        const CandidatePageLayout page = LayOut(CandidateLook::Skin, 3, 2, 2 + c.count, c.widths);
        EXPECT_EQ(page.secondRowStartSet, c.rowEnds) << c.name;
        if (c.rowEnds) {
            EXPECT_EQ(page.secondRowStart, c.secondRowStart) << c.name;
        }
        EXPECT_EQ(page.pageSize, c.pageSize) << c.name;
        // Every counted candidate is drawn, and the second row's first is the page entry that
        // Shift+1 selects.
        ASSERT_EQ(page.drawnCount, page.visibleCandidates) << c.name;
        std::string second;
        for (std::uint32_t i = 0; i < page.drawnCount; ++i) {
            const DrawnCandidate& d = page.drawn[i];
            EXPECT_EQ(d.entry, 2 + i) << c.name;
            if (d.y == 48) {
                EXPECT_GE(i, page.secondRowStart) << c.name;
                second += std::to_string(d.number) + "@" + std::to_string(d.x) + "," +
                          std::to_string(d.y) + " ";
            }
        }
        EXPECT_EQ(second, c.secondRow) << c.name;
    }
}

TEST(CandidatePage, CapacityAndLineText) {
    EXPECT_EQ(CandidatePageCapacity(CandidateLook::Skin, 3), 20u);
    EXPECT_EQ(CandidatePageCapacity(CandidateLook::Skin, 2), 10u);
    EXPECT_EQ(CandidatePageCapacity(CandidateLook::HorizontalBar, 3), 10u);
    EXPECT_EQ(CandidatePageEntries(30, 25, 10), 0u);
    EXPECT_EQ(LayOut(CandidateLook::VerticalPanel, 0, 30, 25, {}).drawnCount, 0u);
    char line[kCandidateLineSize];
    EXPECT_EQ(FormatCandidateLine(line, 10, "\xD6\xD0"), 4u);  // "中"
    EXPECT_STREQ(line, "0:\xD6\xD0");
    const std::string longText(200, 'x');
    EXPECT_EQ(FormatCandidateLine(line, 3, longText.c_str()), kCandidateLineSize - 1);
}

}  // namespace
