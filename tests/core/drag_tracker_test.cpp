#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/layout/drag_tracker.h"

namespace {

constexpr DragRules kFrameFirst{false, false};  // the candidate and composition windows
constexpr DragRules kStatusRules{true, true};

enum class Kind { Press, Move, Release, Cancel };

struct Step {
    Kind kind;
    POINT pointer;
    RECT window;  // Press only
    bool armed;   // Press only
    const char* expected;
};

Step P(POINT pointer, RECT window, bool armed, const char* expected) {
    return Step{Kind::Press, pointer, window, armed, expected};
}
Step M(POINT pointer, const char* expected) {
    return Step{Kind::Move, pointer, RECT{}, false, expected};
}
Step R(POINT pointer, const char* expected) {
    return Step{Kind::Release, pointer, RECT{}, false, expected};
}
Step C(const char* expected) {
    return Step{Kind::Cancel, POINT{}, RECT{}, false, expected};
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

std::string Describe(const DragAction& a) {
    std::string text;
    const auto add = [&text](const std::string& part) {
        text += (text.empty() ? "" : "; ") + part;
    };
    if (a.erase) {
        add("erase " + Text(a.eraseRect));
    }
    if (a.draw) {
        add("draw " + Text(a.drawRect));
    }
    if (a.place) {
        add("place " + std::to_string(a.topLeft.x) + "," + std::to_string(a.topLeft.y) + " " +
            std::to_string(a.width) + "x" + std::to_string(a.height));
    }
    return text.empty() ? "-" : text;
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A window of 158 x 22 at (100, 50), pressed at (150, 60): the pointer's offset is (50, 10).
constexpr RECT kWindow{100, 50, 258, 72};
constexpr POINT kAt{150, 60};
// A second window of 58 x 26 at (380, 290), pressed at (400, 300): offset (20, 10).
constexpr RECT kOther{380, 290, 438, 316};
constexpr POINT kAtOther{400, 300};

struct Row {
    const char* name;
    DragRules rules;
    std::vector<Step> steps;
};

TEST(DragTracker, Steps) {
    const Row rows[] = {
        {"a press and release without a move leaves the window",
         kFrameFirst,
         {P(kAt, kWindow, true, "-"), R({320, 210}, "-")}},
        {"the status window is dropped even without a move",
         kStatusRules,
         {P(kAt, kWindow, true, "-"), R({320, 210}, "place 270,200 158x22")}},
        {"the first outline frames the window, the next follows the pointer",
         kFrameFirst,
         {P(kAt, kWindow, true, "-"), M({300, 200}, "draw 100,50,258,72"),
          M({310, 205}, "erase 100,50,258,72; draw 260,195,418,217"),
          R({320, 210}, "erase 260,195,418,217; place 270,200 158x22")}},
        {"the status window's first outline already follows the pointer",
         kStatusRules,
         {P(kAt, kWindow, true, "-"), M({300, 200}, "draw 250,190,408,212"),
          M({310, 205}, "erase 250,190,408,212; draw 260,195,418,217"),
          R({320, 210}, "erase 260,195,418,217; place 270,200 158x22")}},
        {"a release right after the first move places the window",
         kFrameFirst,
         {P(kAt, kWindow, true, "-"), M({300, 200}, "draw 100,50,258,72"),
          R({320, 210}, "erase 100,50,258,72; place 270,200 158x22")}},
        {"a move without a press", kFrameFirst, {M({300, 200}, "-"), R({320, 210}, "-")}},
        {"a move without a press, status", kStatusRules, {M({300, 200}, "-"), R(kAt, "-")}},
        {"a release without a press", kStatusRules, {R({320, 210}, "-"), C("-")}},
        {"a press that does not arm starts nothing",
         kStatusRules,
         {P(kAt, kWindow, false, "-"), M({300, 200}, "-"), R({320, 210}, "-")}},
        {"a second press while the outline shows takes it off and starts again",
         kFrameFirst,
         {P(kAt, kWindow, true, "-"), M({300, 200}, "draw 100,50,258,72"),
          M({310, 205}, "erase 100,50,258,72; draw 260,195,418,217"),
          P(kAtOther, kOther, true, "erase 260,195,418,217"), M({401, 301}, "draw 380,290,438,316"),
          R({410, 310}, "erase 380,290,438,316; place 390,300 58x26")}},
        {"a second press before any move records the new window",
         kStatusRules,
         {P(kAt, kWindow, true, "-"), P(kAtOther, kOther, true, "-"),
          M({401, 301}, "draw 381,291,439,317"),
          R({401, 301}, "erase 381,291,439,317; place 381,291 58x26")}},
        {"a second press that does not arm ends the drag",
         kFrameFirst,
         {P(kAt, kWindow, true, "-"), M({300, 200}, "draw 100,50,258,72"),
          P(kAtOther, kOther, false, "erase 100,50,258,72"), M({401, 301}, "-"),
          R({410, 310}, "-")}},
        {"the release ends the drag",
         kStatusRules,
         {P(kAt, kWindow, true, "-"), M({300, 200}, "draw 250,190,408,212"),
          R({300, 200}, "erase 250,190,408,212; place 250,190 158x22"), M({310, 205}, "-"),
          R({320, 210}, "-")}},
        {"a cancel takes the outline off and places nothing",
         kStatusRules,
         {P(kAt, kWindow, true, "-"), M({300, 200}, "draw 250,190,408,212"),
          C("erase 250,190,408,212"), M({310, 205}, "-"), R({320, 210}, "-")}},
        {"a cancel before any move",
         kStatusRules,
         {P(kAt, kWindow, true, "-"), C("-"), R(kAt, "-")}},
        {"moves to the same point redraw the same outline",
         kFrameFirst,
         {P(kAt, kWindow, true, "-"), M(kAt, "draw 100,50,258,72"),
          M(kAt, "erase 100,50,258,72; draw 100,50,258,72"),
          M(kAt, "erase 100,50,258,72; draw 100,50,258,72"),
          R(kAt, "erase 100,50,258,72; place 100,50 158x22")}},
        {"left of and above the primary monitor",
         kFrameFirst,
         {P({-390, 40}, {-400, 30, -342, 56}, true, "-"), M({-300, 40}, "draw -400,30,-342,56"),
          M({-5, -3}, "erase -400,30,-342,56; draw -15,-13,43,13"),
          R({-1, -1}, "erase -15,-13,43,13; place -11,-11 58x26")}},
        {"a window of no size",
         kStatusRules,
         {P({10, 10}, {10, 10, 10, 10}, true, "-"), M({20, 30}, "draw 20,30,20,30"),
          R({25, 35}, "erase 20,30,20,30; place 25,35 0x0")}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DragTracker tracker(row.rules);
        // The outline on the screen, as the inversions leave it: each erase must hit the one
        // shown, and no step may draw a second one beside it.
        bool shown = false;
        RECT onScreen{};
        for (std::size_t i = 0; i < row.steps.size(); ++i) {
            const Step& step = row.steps[i];
            SCOPED_TRACE("step " + std::to_string(i));
            DragAction action{};
            switch (step.kind) {
                case Kind::Press:
                    action = tracker.Press(step.pointer, step.window, step.armed);
                    break;
                case Kind::Move:
                    action = tracker.Move(step.pointer);
                    break;
                case Kind::Release:
                    action = tracker.Release(step.pointer);
                    break;
                case Kind::Cancel:
                    action = tracker.Cancel();
                    break;
            }
            EXPECT_EQ(Describe(action), step.expected);
            if (action.erase) {
                EXPECT_TRUE(shown && Same(action.eraseRect, onScreen)) << "erases a stray frame";
                shown = false;
            }
            if (action.draw) {
                EXPECT_FALSE(shown) << "draws over an outline still shown";
                shown = true;
                onScreen = action.drawRect;
            }
            EXPECT_EQ(tracker.OutlineShown(), shown);
            if (step.kind == Kind::Press) {
                EXPECT_EQ(tracker.Armed(), step.armed);
            } else if (step.kind != Kind::Move) {
                EXPECT_FALSE(tracker.Armed());
                EXPECT_FALSE(shown) << "an outline is left on the screen";
            }
        }
    }
}

TEST(DragTracker, TheGeometryOfThePressOutlastsTheRelease) {
    // The status window's drop rule reads it after the release took the outline off.
    DragTracker tracker(kStatusRules);
    tracker.Press(kAtOther, kOther, true);
    tracker.Press(kAt, kWindow, false);
    EXPECT_EQ(tracker.Width(), 58) << "a press that does not arm records nothing";
    tracker.Press(kAt, kWindow, true);
    tracker.Move({300, 200});
    tracker.Release({300, 200});
    EXPECT_EQ(tracker.Offset().x, 50);
    EXPECT_EQ(tracker.Offset().y, 10);
    EXPECT_EQ(tracker.Width(), 158);
    EXPECT_EQ(tracker.Height(), 22);
}

}  // namespace
