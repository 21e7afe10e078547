#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/settings.h"
#include "ui/layout/ui_geometry.h"

namespace {

// A 1920 x 1080 primary monitor with a 40-pixel task bar, and monitors left of, right of and
// above it.
const RECT kPrimary{0, 0, 1920, 1040};
const RECT kLeftMonitor{-1920, 0, 0, 1040};
const RECT kRightMonitor{1920, 0, 3840, 1040};
const RECT kAboveMonitor{0, -1080, 1920, -40};

bool Inside(const WindowMove& m, const RECT& area) {
    return m.x >= area.left && m.y >= area.top && m.x + m.width <= area.right &&
           m.y + m.height <= area.bottom;
}

TEST(UiGeometry, CaretOffTheWorkAreaIsReplacedWithinIt) {
    struct Case {
        RECT area;
        POINT caret;
        POINT expected;
    };
    const Case cases[] = {
        {kPrimary, {500, 300}, {500, 300}},
        {kPrimary, {0, 300}, {640, 300}},       // on the left edge
        {kPrimary, {1920, 1040}, {640, 1120}},  // on the right and bottom edges
        {kPrimary, {500, 0}, {500, 1120}},
        {kLeftMonitor, {0, 300}, {-1280, 300}},
        {kRightMonitor, {5000, 300}, {2560, 300}},
        {kAboveMonitor, {500, 10}, {500, 40}},
    };
    for (const Case& c : cases) {
        const POINT p = CaretPointForFollowing(c.caret, c.area);
        EXPECT_EQ(p.x, c.expected.x) << c.caret.x << "," << c.caret.y;
        EXPECT_EQ(p.y, c.expected.y) << c.caret.x << "," << c.caret.y;
    }
}

TEST(UiGeometry, FirstCompositionGoesBesideTheCaretOnItsMonitor) {
    for (const RECT& area : {kPrimary, kLeftMonitor, kRightMonitor, kAboveMonitor}) {
        UiPlacement ui = InitialUiPlacement(nullptr, POINT{0, 0}, kPrimary);
        const POINT caret{area.left + 300, area.top + 200};
        const CompPlacement placed = PlaceCompWindowPosition(ui, {true, caret, 16, false, area});
        EXPECT_TRUE(placed.comp.move);
        EXPECT_EQ(placed.comp.x, caret.x + 5);
        EXPECT_EQ(placed.comp.y, caret.y + 36);
        // Near the bottom-right corner the window is pulled back inside.
        const POINT corner = CaretPointForFollowing(POINT{area.right - 2, area.bottom + 500}, area);
        const CompPlacement pulled = PlaceCompWindowPosition(ui, {true, corner, 16, false, area});
        EXPECT_TRUE(Inside(pulled.comp, area)) << pulled.comp.x << "," << pulled.comp.y;
        EXPECT_EQ(pulled.comp.y, area.bottom - kCompWindowHeight);
    }
}

TEST(UiGeometry, CaretMovingWithinSlackLeavesTheCompositionWindow) {
    UiPlacement ui = InitialUiPlacement(nullptr, POINT{0, 0}, kPrimary);
    ui.CompX = 405;
    ui.CompY = 336;  // beside a caret at (400, 300) with 16-pixel lines
    struct Case {
        POINT caret;
        bool moves;
    };
    const Case cases[] = {{{465, 300}, false},
                          {{335, 316}, false},
                          {{466, 300}, true},
                          {{400, 317}, true},
                          {{400, 283}, true}};
    for (const Case& c : cases) {
        UiPlacement copy = ui;
        EXPECT_EQ(PlaceCompWindowPosition(copy, {true, c.caret, 16, false, kPrimary}).comp.move,
                  c.moves)
            << c.caret.x << "," << c.caret.y;
        EXPECT_EQ(CaretJump(ui.CompX, ui.CompY, c.caret, 16), c.moves);
        ui.CompX = 405;
        ui.CompY = 336;
    }
}

TEST(UiGeometry, RowBesideTheStatusWindowPushesAndDrops) {
    // Status at the right: pushed left so that status, composition and bar fit, and remembered.
    UiPlacement ui = InitialUiPlacement(nullptr, POINT{1800, 1008}, kPrimary);
    CompPlacement placed = PlaceCompWindowPosition(ui, {false, {}, 16, true, kPrimary});
    EXPECT_TRUE(placed.statusPushed);
    EXPECT_EQ(ui.StatusX, 1920 - (158 + 566 + 58) - 20);
    EXPECT_EQ(placed.comp.x, ui.StatusX + 168);
    EXPECT_EQ(placed.comp.y, 1008);
    // Without candidates the status window stays; the composition window drops below it, or
    // above it when below is past the bottom.
    ui = InitialUiPlacement(nullptr, POINT{1500, 900}, kPrimary);
    placed = PlaceCompWindowPosition(ui, {false, {}, 16, false, kPrimary});
    EXPECT_FALSE(placed.statusPushed);
    EXPECT_EQ(placed.comp.x, 1920 - 58 - 566 - 20);
    EXPECT_EQ(placed.comp.y, 900 + 22 + 5);
    ui = InitialUiPlacement(nullptr, POINT{1500, 1020}, kPrimary);
    EXPECT_EQ(PlaceCompWindowPosition(ui, {false, {}, 16, false, kPrimary}).comp.y, 1020 - 27);
    // On the monitor to the left the same rules keep the row on it.
    ui = InitialUiPlacement(nullptr, POINT{-200, 1008}, kLeftMonitor);
    placed = PlaceCompWindowPosition(ui, {false, {}, 16, true, kLeftMonitor});
    EXPECT_EQ(ui.StatusX, -(158 + 566 + 58) - 20);
}

TEST(UiGeometry, CandidateWindowBesideTheCompositionWindow) {
    UiPlacement ui = InitialUiPlacement(nullptr, POINT{0, 0}, kPrimary);
    struct Case {
        bool follow;
        RECT area;
        std::int32_t compX, compY;
        POINT expected;
    };
    const Case cases[] = {
        {true, kPrimary, 100, 100, {163, 100}},
        {true, kPrimary, 1800, 100, {1800 - 184 - 5, 100}},  // flips left of it
        {true, kPrimary, 100, 900, {163, 1040 - 192}},
        {true, kAboveMonitor, 100, -1200, {163, -1080}},
        {true, kLeftMonitor, -60, 100, {-1920, 100}},  // flipped past the left edge
        {false, kPrimary, 1500, 1008, {1920 - 566, 1008}},
        {false, kPrimary, 100, 1020, {163, 1020 - 26}},
    };
    for (const Case& c : cases) {
        ui.CompX = c.compX;
        ui.CompY = c.compY;
        if (c.compX == -60) {
            ui.CandWidth = 1900;
        }
        const WindowMove m = PlaceCandWindowPosition(ui, c.follow, c.area);
        EXPECT_EQ(m.x, c.expected.x) << c.compX;
        EXPECT_EQ(m.y, c.expected.y) << c.compX;
        EXPECT_EQ(ui.CandX, m.x);
        EXPECT_EQ(m.width, c.follow ? ui.CandWidth : kCandBarWidth);
        ui.CandWidth = kCandPanelWidth;
    }
}

TEST(UiGeometry, SkinnedStatusFollowsAndFlipsAtTheRightEdge) {
    InitSkinLayout();
    const SkinLayoutRecord& skin3 = SkinLayout[2];
    for (const RECT& area : {kPrimary, kRightMonitor, kAboveMonitor}) {
        UiPlacement ui = InitialUiPlacement(&skin3, POINT{0, 0}, area);
        EXPECT_EQ(ui.StatusX, area.left + (area.right - area.left - 600) / 2);
        EXPECT_EQ(ui.StatusY, area.bottom - 71 - 10);
        const POINT caret{area.right - 100, area.top + 100};
        WindowMove m = PlaceSkinnedStatusPosition(ui, skin3, true, caret, 16, area);
        EXPECT_TRUE(m.move);
        EXPECT_EQ(m.x, caret.x - 600);
        EXPECT_EQ(m.y, caret.y + 36);
        EXPECT_EQ(m.width, 600);
        EXPECT_FALSE(FollowCaretStatus(ui, POINT{caret.x - 600 - 5 + 65, caret.y}, 16, area));
        // Off the caret: the window is moved without following, at its stored place.
        EXPECT_TRUE(PlaceSkinnedStatusPosition(ui, skin3, false, caret, 16, area).move);
    }
    // Skin 5 (800 wide) on a 1000-pixel monitor: flipped left of the caret it would hang over.
    const RECT narrowArea{1920, 0, 2920, 1040};
    UiPlacement narrow = InitialUiPlacement(&SkinLayout[4], POINT{0, 0}, narrowArea);
    EXPECT_TRUE(FollowCaretStatus(narrow, POINT{2400, 1030}, 16, narrowArea));
    EXPECT_EQ(narrow.StatusX, 1920);
    EXPECT_EQ(narrow.StatusY, 1040 - 28);
}

TEST(UiGeometry, CreationDropAndCaretJumpRules) {
    EXPECT_EQ(StatusCreationPosition(POINT{0, 7}, true, 600, 71, kPrimary).y, 7);
    EXPECT_EQ(StatusCreationPosition(POINT{0, 0}, false, 158, 22, kLeftMonitor).x, -1920);
    EXPECT_EQ(CaretJumpTargetFor(0, true), CaretJumpTarget::CompWindow);
    EXPECT_EQ(CaretJumpTargetFor(1, false), CaretJumpTarget::StatusWindow);
    EXPECT_EQ(CaretJumpTargetFor(1, true), CaretJumpTarget::None);
    EXPECT_EQ(CaretJumpTargetFor(3, false), CaretJumpTarget::None);

    UiPlacement ui = InitialUiPlacement(nullptr, POINT{0, 0}, kPrimary);
    const POINT offset{10, 5};
    POINT at = DropStatusWindow(ui, {{1900, 600}, offset, 158, 22, true, kPrimary});
    EXPECT_EQ(ui.StatusX, 1890);
    EXPECT_EQ(at.x, 1920 - (158 + 566 + 58) - 20);
    EXPECT_EQ(at.y, 595);
    at = DropStatusWindow(ui, {{1900, 1039}, offset, 158, 22, false, kPrimary});
    EXPECT_EQ(at.x, 1920 - 158);
    EXPECT_EQ(at.y, 1040 - 22);
    at = DropStatusWindow(ui, {{3000, -50}, offset, 158, 22, false, kAboveMonitor});
    EXPECT_EQ(at.x, 1920 - 158);
    EXPECT_EQ(at.y, -40 - 22);
    const RECT dragged =
        DraggedRect(POINT{-300, 40}, DragOffset(POINT{15, 12}, RECT{5, 2, 63, 28}), 58, 26);
    EXPECT_EQ(dragged.left, -310);
    EXPECT_EQ(dragged.bottom, 56);
}

TEST(UiGeometry, StatusWindowResizedForANewSkinStaysInItsWorkArea) {
    struct Case {
        RECT area;
        RECT current;
        std::int32_t width, height;
        POINT expected;
    };
    const Case cases[] = {
        {kPrimary, {100, 500, 258, 522}, 600, 71, {100, 500}},     // fits where it stands
        {kPrimary, {0, 1008, 158, 1030}, 600, 71, {0, 969}},       // the bottom-left plain bar
        {kPrimary, {1700, 10, 1858, 32}, 800, 28, {1120, 10}},     // pulled left
        {kPrimary, {1500, 900, 2100, 971}, 158, 22, {1500, 900}},  // shrinking never moves
        {kLeftMonitor, {-200, 1000, -42, 1022}, 643, 28, {-643, 1000}},
        {kAboveMonitor, {50, -200, 208, -178}, 189, 214, {50, -254}},
        {kPrimary, {0, 0, 158, 22}, 2400, 1100, {0, 0}},  // wider than the area: its top-left
    };
    for (const Case& c : cases) {
        const WindowMove m = ResizedStatusWindow(c.current, c.width, c.height, c.area);
        EXPECT_EQ(m.x, c.expected.x) << c.current.left << "," << c.current.top;
        EXPECT_EQ(m.y, c.expected.y) << c.current.left << "," << c.current.top;
        EXPECT_EQ(m.width, c.width);
        EXPECT_EQ(m.height, c.height);
    }
}

TEST(UiGeometry, LongTipTextNeverOverrunsItsBuffer) {
    // "中" (D6 D0) repeated, after one or two ASCII bytes.
    for (const char* prefix : {"a", "ab"}) {
        std::string text = prefix;
        while (text.size() < 300) {
            text += "\xD6\xD0";
        }
        char buffer[kLongTipTextSize + 1];
        std::memset(buffer, 0x55, sizeof buffer);
        char(&tip)[kLongTipTextSize] = *reinterpret_cast<char(*)[kLongTipTextSize]>(buffer);
        const std::size_t length = CopyLongTipText(text.c_str(), tip);
        EXPECT_EQ(length, std::strlen(prefix) == 1 ? 127u : 126u);
        EXPECT_EQ(std::strlen(buffer), length);
        EXPECT_EQ(buffer[kLongTipTextSize], 0x55);
    }
    EXPECT_EQ(GbkPrefixLength("x\xD6", 10), 1u);  // a lead byte without its trail
    EXPECT_EQ(GbkPrefixLength("\x80"
                              "a",
                              10),
              2u);  // 0x80 is a single byte
}

TEST(UiGeometry, LongTipGeometry) {
    std::uint32_t entry = 0;
    EXPECT_TRUE(LongTipEntry(9, 10, 12, entry));
    EXPECT_EQ(entry, 21u);
    EXPECT_FALSE(LongTipEntry(3, 3, 2, entry));
    EXPECT_FALSE(LongTipEntry(-1, 10, 2, entry));

    const WindowMove none = LongTipGeometry(19, POINT{100, 100}, 2, 2, kPrimary);
    EXPECT_TRUE(none.move);
    EXPECT_EQ(none.width + none.height + none.x + none.y, 0);
    const WindowMove tip = LongTipGeometry(20, POINT{100, 300}, 2, 2, kPrimary);
    EXPECT_EQ(tip.width, 160 + 8);
    EXPECT_EQ(tip.height, 12 + 8);
    EXPECT_EQ(tip.x, 108);
    EXPECT_EQ(tip.y, 312);
    const WindowMove clamped = LongTipGeometry(99, POINT{-200, 500}, 2, 2, kLeftMonitor);
    EXPECT_EQ(clamped.x, -(8 * 99 + 8));
    EXPECT_EQ(clamped.y, 512);
    const WindowMove above = LongTipGeometry(30, POINT{1900, -50}, 2, 2, kAboveMonitor);
    EXPECT_TRUE(Inside(above, kAboveMonitor));
}

}  // namespace
