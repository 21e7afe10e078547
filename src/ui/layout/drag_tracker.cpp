#include "ui/layout/drag_tracker.h"

#include "ui/layout/ui_geometry.h"

DragAction DragTracker::TakeOutlineOff() {
    DragAction action{};
    if (outlineShown_) {
        action.erase = true;
        action.eraseRect = outline_;
    }
    armed_ = false;
    outlineShown_ = false;
    return action;
}

DragAction DragTracker::Press(POINT pointer, const RECT& windowRect, bool armed) {
    const DragAction action = TakeOutlineOff();
    if (!armed) {
        return action;
    }
    armed_ = true;
    outline_ = windowRect;
    offset_ = DragOffset(pointer, windowRect);
    width_ = windowRect.right - windowRect.left;
    height_ = windowRect.bottom - windowRect.top;
    return action;
}

DragAction DragTracker::Move(POINT pointer) {
    DragAction action{};
    if (!armed_) {
        return action;
    }
    const RECT dragged = DraggedRect(pointer, offset_, width_, height_);
    if (outlineShown_) {
        action.erase = true;
        action.eraseRect = outline_;
        outline_ = dragged;
    } else if (rules_.firstOutlineFollows) {
        outline_ = dragged;
    }
    outlineShown_ = true;
    action.draw = true;
    action.drawRect = outline_;
    return action;
}

DragAction DragTracker::Release(POINT pointer) {
    const bool wasArmed = armed_;
    const bool wasShown = outlineShown_;
    DragAction action = TakeOutlineOff();
    if (wasArmed && (wasShown || rules_.placeWithoutOutline)) {
        action.place = true;
        action.topLeft = DraggedTopLeft(pointer, offset_);
        action.width = width_;
        action.height = height_;
    }
    return action;
}

DragAction DragTracker::Cancel() {
    return TakeOutlineOff();
}
