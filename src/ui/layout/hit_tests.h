// What the pointer is over in the candidate and status windows, from a point in the window's
// client coordinates and the client size.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "settings/settings.h"

// `CandidateHit`: a point outside the client area; the 16-bit "-1", compared unsigned.
constexpr std::uint16_t kCandidateHitOutside = 0xFFFF;
constexpr std::uint16_t kCandidateHitBackground = 0;

// The vertical panel: paging buttons 1 to 4 on the top strip (higher numbers are inert), the
// lines '1' to '9' and '0' (the tenth and everything below it), otherwise the background. The
// horizontal bar: the four paging buttons only.
std::uint16_t HitTestCandidateWindow(POINT client, std::int32_t clientWidth,
                                     std::int32_t clientHeight, bool vertical);

// A line hit '1'..'9' is page index 0..8 and '0' is index 9; any other hit gives -1.
int CandidateLineIndex(std::uint16_t hit);
bool IsCandidateLineHit(std::uint16_t hit);
// The paging buttons: 1 = first page, 2 = page up, 3 = page down, 4 = last page.
bool IsPagingButtonHit(std::uint16_t hit);

// `StatusHit` codes.
enum StatusHitCode : int {
    kStatusHitNothing = 0,
    kStatusHitChineseEnglish = 1,
    kStatusHitSkinDrag = 2,
    kStatusHitFullWidth = 3,
    kStatusHitPunctuation = 4,
    kStatusHitPlainDrag = 5,
    kStatusHitSoftKeyboard = 6,
    kStatusHitOnlineWord = 7,
    kStatusHitCharacterSet = 8,
};

// The plain bar (skin null) or the six state buttons of a skin at (ButtonsX, ButtonsY).
int HitTestStatusWindow(POINT client, std::int32_t clientWidth, std::int32_t clientHeight,
                        const SkinLayoutRecord* skin);
// Codes 2 and 5 start a drag of the status window.
bool IsStatusDragHit(int hit);
