// Where the UI window's children stand: beside the status window or at the caret, kept inside
// the work area, and showing or hiding them. Each operation first checks that its window exists
// and skips it otherwise.
#pragma once

#include "platform/win32.h"
#include "ui/common/ui_private_win.h"

// Placement without a skin. showComp false places the composition window's record only (an
// application that draws the composition itself needs the candidate window beside the caret,
// not the composition window).
void PlaceCompWindow(HWND uiWindow, UiPrivate& ui, HIMC context, bool showComp = true);
void PlaceCandWindow(HWND uiWindow, UiPrivate& ui, HIMC context);
// Placement with a skin: the status window shows the code and the candidates.
void PlaceSkinnedStatus(HWND uiWindow, UiPrivate& ui, HIMC context);
// Both of the above, as the skin decides.
void PlaceConversionWindows(HWND uiWindow, UiPrivate& ui, HIMC context, bool showComp = true);

void HideCandWindow(UiPrivate& ui);
void HideCompWindow(UiPrivate& ui);
void HideStatusWindow(UiPrivate& ui);
void RepaintStatusWindow(UiPrivate& ui);

// `IMN_SETCANDIDATEPOS`: moves the composition window (or the status window of skin 1) next to
// the caret when it is not near it.
void CaretJump(HWND uiWindow, UiPrivate& ui, HIMC context);
// `IMN_SETCOMPOSITIONFONT`: measures 谢 in the context window's device context into
// `CharExtentWidth`, `CharExtentHeight`.
void MeasureCharExtent(HIMC context);
