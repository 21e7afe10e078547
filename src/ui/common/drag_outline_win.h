// The outline shown while a window is dragged, shared by the candidate, composition and status
// windows.
#pragma once

#include "platform/win32.h"
#include "ui/layout/drag_tracker.h"

// Inverts the frame of rect (screen coordinates) on the whole display with the grey pattern;
// drawing the same rectangle again restores the screen.
void DrawDragOutline(const RECT& rect);
// Takes the old outline off and draws the new one, as a drag step asks.
void RedrawDragOutline(const DragAction& action);
