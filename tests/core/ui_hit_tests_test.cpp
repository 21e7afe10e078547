#include <gtest/gtest.h>

#include <vector>

#include "settings/settings.h"
#include "ui/layout/drag_outline.h"
#include "ui/layout/hit_tests.h"

namespace {

TEST(UiHitTests, CandidateWindow) {
    struct Case {
        bool vertical;
        POINT p;
        std::uint16_t hit;
    };
    const Case cases[] = {
        {true, {128, 10}, 0},      {true, {129, 10}, 1},     {true, {140, 10}, 2},
        {true, {176, 10}, 5},      {true, {129, 3}, 0},      {true, {129, 17}, 0},
        {true, {10, 17}, 0},       {true, {10, 18}, '1'},    {true, {10, 33}, '1'},
        {true, {10, 34}, '2'},     {true, {10, 161}, '9'},   {true, {10, 162}, '0'},
        {true, {10, 191}, '0'},    {true, {3, 100}, 0},      {true, {180, 100}, '6'},
        {true, {181, 100}, 0},     {true, {-1, 50}, 0xFFFF}, {true, {184, 50}, 0xFFFF},
        {true, {50, 192}, 0xFFFF}, {false, {504, 10}, 0},    {false, {505, 10}, 1},
        {false, {516, 10}, 0},     {false, {517, 10}, 2},    {false, {539, 16}, 3},
        {false, {551, 5}, 4},      {false, {552, 10}, 0},    {false, {510, 4}, 0},
        {false, {510, 17}, 0},     {false, {100, 10}, 0},    {false, {566, 10}, 0xFFFF},
    };
    for (const Case& c : cases) {
        const std::int32_t width = c.vertical ? 184 : 566;
        const std::int32_t height = c.vertical ? 192 : 26;
        EXPECT_EQ(HitTestCandidateWindow(c.p, width, height, c.vertical), c.hit)
            << c.vertical << " " << c.p.x << "," << c.p.y;
    }
    EXPECT_EQ(CandidateLineIndex('0'), 9);
    EXPECT_EQ(CandidateLineIndex('1'), 0);
    EXPECT_EQ(CandidateLineIndex('9'), 8);
    EXPECT_EQ(CandidateLineIndex(1), -1);
    EXPECT_EQ(CandidateLineIndex(kCandidateHitOutside), -1);
    EXPECT_FALSE(IsPagingButtonHit(5));
    EXPECT_FALSE(IsCandidateLineHit(kCandidateHitOutside));
}

TEST(UiHitTests, StatusWindow) {
    InitSkinLayout();
    const SkinLayoutRecord& skin3 = SkinLayout[2];  // buttons from (474, 3), 600 x 71
    struct Case {
        bool skinned;
        POINT p;
        int hit;
    };
    const Case cases[] = {
        {false, {6, 10}, 0},   {false, {7, 10}, 1},   {false, {29, 10}, 1},  {false, {30, 10}, 5},
        {false, {94, 10}, 5},  {false, {95, 10}, 3},  {false, {114, 10}, 3}, {false, {115, 10}, 4},
        {false, {134, 10}, 4}, {false, {135, 10}, 6}, {false, {154, 10}, 6}, {false, {155, 10}, 0},
        {false, {10, 2}, 0},   {false, {10, 3}, 1},   {false, {10, 19}, 1},  {false, {10, 20}, 0},
        {true, {474, 10}, 2},  {true, {475, 10}, 8},  {true, {494, 10}, 0},  {true, {495, 10}, 7},
        {true, {514, 10}, 0},  {true, {515, 10}, 1},  {true, {534, 10}, 0},  {true, {535, 10}, 3},
        {true, {555, 10}, 4},  {true, {574, 10}, 0},  {true, {593, 10}, 6},  {true, {594, 10}, 2},
        {true, {515, 3}, 2},   {true, {515, 22}, 1},  {true, {515, 23}, 2},  {true, {20, 60}, 2},
        {true, {600, 10}, 0},
    };
    for (const Case& c : cases) {
        const int hit = c.skinned ? HitTestStatusWindow(c.p, 600, 71, &skin3)
                                  : HitTestStatusWindow(c.p, 158, 22, nullptr);
        EXPECT_EQ(hit, c.hit) << c.skinned << " " << c.p.x << "," << c.p.y;
    }
    EXPECT_TRUE(IsStatusDragHit(2));
    EXPECT_TRUE(IsStatusDragHit(5));
    EXPECT_FALSE(IsStatusDragHit(6));
}

TEST(UiHitTests, DragOutlineFramesTheRectangleOnce) {
    OutlineBand bands[4];
    DragOutlineBands(RECT{10, 20, 110, 70}, 1, 1, bands);
    EXPECT_EQ(bands[2].width, -99);  // the bottom band runs left from the right edge
    EXPECT_EQ(bands[3].height, -49);
    for (const int border : {1, 2, 3}) {
        const RECT rect{-40, -30, 60, 50};
        DragOutlineBands(rect, border, border + 1, bands);
        std::vector<int> cover(140 * 120, 0);
        for (const OutlineBand& band : bands) {
            const RECT area = NormalisedBand(band);
            for (LONG y = area.top; y < area.bottom; ++y) {
                for (LONG x = area.left; x < area.right; ++x) {
                    ++cover[(y + 50) * 140 + (x + 60)];
                }
            }
        }
        for (LONG y = -50; y < 70; ++y) {
            for (LONG x = -60; x < 80; ++x) {
                const bool inRect =
                    x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
                const bool onFrame =
                    inRect && (x < rect.left + border || x >= rect.right - border ||
                               y < rect.top + border + 1 || y >= rect.bottom - border - 1);
                ASSERT_EQ(cover[(y + 50) * 140 + (x + 60)], onFrame ? 1 : 0)
                    << border << ": " << x << "," << y;
            }
        }
    }
}

}  // namespace
