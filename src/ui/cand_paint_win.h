// Drawing the candidate window: the vertical panel (184 x 192) and the horizontal bar (566 x 26),
// each from its pictures or, where a picture is missing, the plain look. The drawing takes a
// device context, so that it can go into a memory bitmap as well as into the window.
#pragma once

#include <cstdint>

#include "context/input_context.h"
#include "platform/win32.h"

// The candidate window's pictures, loaded when the window is created and deleted with it; the
// background is the one of the look (panel or bar) caret following chose, loaded again when the
// look changes. Any of them may be null.
struct CandidatePictures {
    bool vertical;  // the look the background was loaded for
    HBITMAP background;
    HBITMAP pagingStrip;  // four buttons at (0,0), the pressed square of button k at (13(k-1), 13)
    HBITMAP associationMark;  // 16 x 16
};
CandidatePictures LoadCandidatePictures(bool cursorFollow);
void DeleteCandidatePictures(CandidatePictures& pictures);

struct CandidateSurface {
    bool vertical;          // the panel (caret following) or the bar
    int pressedButton;      // `PressedPageButton`, 0 none
    bool associationShown;  // `AssociationShown`
    HFONT font;             // null: the surface's own font
    CANDIDATELIST* list;    // null: nothing but the background and the buttons
    const CandidatePictures* pictures;
};

// The page drawn, as it went back into the list's dwPageSize and `VisibleCandidates`.
struct DrawnPage {
    std::uint32_t visibleCandidates;
    std::uint32_t pageSize;
};

// Draws the whole window (the size of its look) at (0,0) of target, and writes the page's size
// back into the list. Every GDI object made or selected here is released again.
DrawnPage DrawCandidateSurface(HDC target, const CandidateSurface& surface);

// The candidate window's pictures, kept with the window from its creation to its destruction.
CandidatePictures* CandidatePicturesOf(HWND candWindow);

// The window's pictures for the look caret following now chooses: the settings dialog may have
// switched it since they were loaded.
void MatchCandidatePictures(HWND candWindow, bool vertical);

// Shows or hides the candidate window by the state of the conversion and draws it (the window's
// input context is its UI window's). Called for WM_PAINT, when the list changes and on a click.
void PaintCandidateWindow(HWND candWindow);
