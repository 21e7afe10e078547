// Drawing the candidate window: the vertical panel (184 x 192) and the horizontal bar (566 x 26),
// each from its pictures or, where a picture is missing, the plain look. The drawing takes a
// device context, so that it can go into a memory bitmap as well as into the window.
#pragma once

#include <cstdint>

#include "context/input_context.h"
#include "platform/win32.h"
#include "ui/layout/candidate_page.h"

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

// The page of list the look holds, its texts measured on dc in font (null: dc's own).
CandidatePageLayout MeasureCandidatePage(HDC dc, HFONT font, bool vertical,
                                         const CANDIDATELIST* list);

// What the candidate window shows: everything the drawing reads, made before it.
struct CandidateSurface {
    bool vertical;                    // the panel (caret following) or the bar
    int pressedButton;                // `PressedPageButton`, 0 none
    bool associationShown;            // `AssociationShown`
    HFONT font;                       // null: the surface's own font
    const CANDIDATELIST* list;        // null: nothing but the background and the buttons
    const CandidatePageLayout* page;  // list's page, from MeasureCandidatePage
    const CandidatePictures* pictures;
};

// Draws the whole window (the size of its look) at (0,0) of target; writes nothing but target.
// Every GDI object made or selected here is released again.
void DrawCandidateSurface(HDC target, const CandidateSurface& surface);

// The candidate window's pictures, kept with the window from its creation to its destruction.
CandidatePictures* CandidatePicturesOf(HWND candWindow);

// The window's pictures for the look caret following now chooses: the settings dialog may have
// switched it since they were loaded.
void MatchCandidatePictures(HWND candWindow, bool vertical);

// Whether the candidate window shows now, by the settings and the state of the conversion.
bool CandidateWindowShowsNow();

// Shows or hides the candidate window by the state of the conversion and draws it (the window's
// input context is its UI window's). Called for WM_PAINT, when the list changes and on a click.
void PaintCandidateWindow(HWND candWindow);

// The page the candidate window shows, measured as its paint measures it, for the engine's paging
// and choosing: called when the conversion or the page changed, while the window shows.
void ShowCandidatePage(HWND candWindow);
