// A window dragged by its outline: the press records where the window stands, the moves show an
// outline (a frame inverted on the screen, taken off by drawing it again) that follows the
// pointer, and the release takes the outline off and says where the window goes. Plain data in,
// what to do out: the window procedures draw the outlines, move the window and remember its place.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// What one window's drag does its own way.
struct DragRules {
    // The status window's first outline already stands where the pointer takes the window; the
    // candidate and composition windows first frame the window where it stands, and the outline
    // follows the pointer from the next move on.
    bool firstOutlineFollows;
    // The status window is placed at every release of a drag, moved or not, as its drop rule keeps
    // it inside the work area; the others move only once an outline was shown.
    bool placeWithoutOutline;
};

// What one step asks for, in this order: take the old outline off, draw the new one, move the
// window to topLeft with the size it had at the press.
struct DragAction {
    bool erase;
    RECT eraseRect;
    bool draw;
    RECT drawRect;
    bool place;
    POINT topLeft;
    std::int32_t width;
    std::int32_t height;
};

class DragTracker {
  public:
    constexpr DragTracker() = default;
    constexpr explicit DragTracker(DragRules rules) : rules_(rules) {}

    // A button went down with the pointer at pointer (screen) over a window standing at
    // windowRect; only an armed press starts a drag. A drag whose release never came (the capture
    // was taken away) ends here, and its outline comes off the screen: it is inverted there.
    DragAction Press(POINT pointer, const RECT& windowRect, bool armed);
    DragAction Move(POINT pointer);
    // Ends the drag; the window goes where the pointer keeps its offset from the press.
    DragAction Release(POINT pointer);
    // Ends the drag without moving the window.
    DragAction Cancel();

    bool Armed() const { return armed_; }
    bool OutlineShown() const { return outlineShown_; }
    // The pointer's offset from the window's top-left and the window's size at the last armed
    // press; kept after the release for a drop rule of the window's own.
    POINT Offset() const { return offset_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

  private:
    DragAction TakeOutlineOff();

    DragRules rules_{};
    bool armed_ = false;
    bool outlineShown_ = false;
    RECT outline_{};
    POINT offset_{};
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};
