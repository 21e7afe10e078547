// The status window's drawing: the plain bar or the skin with its pictures, the modes, the hover
// image and, with a skin, the code and the candidates.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "settings/settings.h"
#include "ui/status/status_state.h"
#include "ui/layout/candidate_page.h"

// The layout of the skin the pictures were loaded for; null for the plain bar or a number without
// a layout.
const SkinLayoutRecord* StatusSkinLayout();

// Draws the status window on surface: the plain bar or the skin, the images of the active modes,
// the hover image of code while `StatusHover` is set and, with a skin, the typed code and the
// page of candidates.
// Hides the window while no context is active, and skin 1 while no candidates are present.
void PaintStatusWindow(HWND statusWindow, HDC surface, int code);

// What a skin shows of the conversion: the typed code (null when the composition string is not
// the selected context's), the candidate list and its page as the skin lays it out.
struct StatusConversion {
    const char* code;
    const CANDIDATELIST* list;
    const CandidatePageLayout* page;
};
// The page of list the current skin holds, its texts measured on surface in the font the skin
// draws with.
CandidatePageLayout MeasureSkinPage(HDC surface, const SkinLayoutRecord& skin,
                                    const CANDIDATELIST* list);

// The drawing itself, on any surface: the pictures and modes, the hover image of code while
// `StatusHover` is set and, with a skin and conversion, the typed code and the page of candidates.
void DrawStatusSurface(HDC surface, int code, const StatusConversion* conversion);

// Loads the pictures of the current skin (Settings.SkinIndex), releasing any held before.
void LoadStatusPictures();
void ReleaseStatusPictures();

// A status window's creation and destruction: the first loads the pictures, the last releases
// them.
void StatusWindowCreated();
void StatusWindowDestroyed();

// After the settings changed the skin: loads the new skin's pictures and gives the window the
// skin's size, kept inside its work area. Every paint starts with it, so each thread's status
// window follows the choice at its next repaint.
void SyncStatusSkin(HWND statusWindow);

// The page a skin shows, measured as its paint measures it, for the engine's paging and choosing
// (`VisibleCandidates`, the page size, `SecondRowStart`): called when the conversion or the page
// changed. Takes a new skin over first, as a paint does.
void ShowSkinPage(HWND statusWindow);
