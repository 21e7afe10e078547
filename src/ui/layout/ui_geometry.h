// Where the UI window's children stand: the rules behind the composition, candidate and status
// windows' positions, the caret following, the drags and the long-candidate tip. Plain functions
// over plain data: the window procedures gather the work area (of the monitor that holds the caret,
// or the one the status window stands on), the caret and the measured sizes, call these and apply
// the result. Every rule takes the work area as a parameter so that a window stays on the monitor
// it belongs to, also where that monitor has negative coordinates.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"
#include "settings/settings.h"

// The numeric part of `UiPrivate`, in the record's order. The record's three window handles
// (`StatusWindow`, `CandWindow`, `CompWindow`) live with the other window handles of the shell:
// a handle does not fit a 32-bit field on 64-bit Windows, and no rule here needs one.
struct UiPlacement {
    std::int32_t StatusX;
    std::int32_t StatusY;
    std::int32_t StatusWidth;
    std::int32_t StatusHeight;
    std::int32_t CandX;
    std::int32_t CandY;
    std::int32_t CandWidth;
    std::int32_t CandHeight;
    std::int32_t CompX;
    std::int32_t CompY;
    std::int32_t CompWidth;
    std::int32_t CompHeight;
};

constexpr std::int32_t kPlainStatusWidth = 158;
constexpr std::int32_t kPlainStatusHeight = 22;
constexpr std::int32_t kCandPanelWidth = 184;
constexpr std::int32_t kCandPanelHeight = 192;
constexpr std::int32_t kCompWindowWidth = 58;
constexpr std::int32_t kCompWindowHeight = 26;
// `CandBarWidth` and `CandBarHeight`: the one-line candidate bar used without caret following.
constexpr std::int32_t kCandBarWidth = 566;
constexpr std::int32_t kCandBarHeight = 26;

// A position and size to give a window; move false leaves the window where it is.
struct WindowMove {
    bool move;
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

// The status window's place when it is created: the remembered place (`StatusPosX`,
// `StatusPosY`; both 0 = none), otherwise the bottom of the work area, at its left edge for the
// plain bar and centred for a skin.
POINT StatusCreationPosition(POINT remembered, bool skinned, std::int32_t statusWidth,
                             std::int32_t statusHeight, const RECT& workArea);

// The status window after the skin changed under it: the new size at the same top-left, pulled
// left and up as far as needed to stay inside the work area (never past its left or top edge).
WindowMove ResizedStatusWindow(const RECT& current, std::int32_t width, std::int32_t height,
                               const RECT& workArea);

// A fresh record: the status window at its creation place, sized by the skin (null = plain bar);
// the composition window's place -1, -1 (off every work area's top-left, so the first placement
// puts it at the caret); the candidate panel's size.
UiPlacement InitialUiPlacement(const SkinLayoutRecord* skin, POINT remembered,
                               const RECT& workArea);

// The caret point that caret following works from: a coordinate on or beyond the work area's
// edge (an application that reports no caret) becomes a third of the way across the work area,
// and a y far below it, which the bottom clamps pull back up.
POINT CaretPointForFollowing(POINT caret, const RECT& workArea);

// The tests of the caret jump and of caret following: a window at (x, y) is near the caret when it
// is within 65 pixels of caret x + 5 and within a line height of caret y + line + 20.
bool NearCaretHorizontally(std::int32_t x, POINT caret);
bool NearCaretVertically(std::int32_t y, POINT caret, std::int32_t lineHeight);

// Which window `IMN_SETCANDIDATEPOS` moves: the composition window without a skin, the status
// window with skin 1 outside the Windows 95 family, nothing otherwise.
enum class CaretJumpTarget { None, CompWindow, StatusWindow };
CaretJumpTarget CaretJumpTargetFor(std::int32_t skinIndex, bool win9xFamily);

// `IMN_SETCANDIDATEPOS`: moves (x, y) next to the caret p (screen) when it is not near; answers
// whether it moved. The work area plays no part here.
bool CaretJump(std::int32_t& x, std::int32_t& y, POINT caret, std::int32_t lineHeight);

struct CompPlacementInput {
    bool cursorFollow;
    POINT caret;  // from CaretPointForFollowing; unused without caret following
    std::int32_t lineHeight;
    bool candidatesPresent;  // `CandidateCount` above 2
    RECT workArea;
};
struct CompPlacement {
    WindowMove comp;
    // Without caret following: the status window was pushed left to make room for the row; move
    // it to (StatusX, StatusY) and remember that place as `StatusPosX`, `StatusPosY`.
    bool statusPushed;
};
// `PlaceCompWindow`'s position decision; updates the record's CompX, CompY (and StatusX).
CompPlacement PlaceCompWindowPosition(UiPlacement& ui, const CompPlacementInput& in);

// Whether the composition window shows after a placement: only while there is a code and no skin.
bool CompWindowShown(std::uint32_t codeLength, std::int32_t skinIndex);
// Whether the candidate window shows: no skin, candidates present, and the list either offered
// before the code is complete (progressive hints), complete, or an association list.
bool CandWindowShown(std::int32_t skinIndex, bool progressiveHint, bool associationShown,
                     bool codeComplete, std::uint32_t candidateCount);

// `ComputeCandPosition`: beside the composition window, for a candidate window of width x height;
// stores and returns the place in CandX, CandY.
POINT ComputeCandPosition(UiPlacement& ui, bool cursorFollow, std::int32_t width,
                          std::int32_t height, const RECT& workArea);
// The candidate window's size and place: the panel with caret following, else the bar.
WindowMove PlaceCandWindowPosition(UiPlacement& ui, bool cursorFollow, const RECT& workArea);

// `FollowCaretStatus`: answers true (moved) after putting StatusX, StatusY beside the caret, false
// when the status window is already near it. At the right edge the window flips to the caret's
// left side; it never leaves the work area on the left.
bool FollowCaretStatus(UiPlacement& ui, POINT caret, std::int32_t lineHeight, const RECT& workArea);
// `PlaceSkinnedStatus`' move: with caret following only when FollowCaretStatus moved, always
// without it; the size is the skin's.
WindowMove PlaceSkinnedStatusPosition(UiPlacement& ui, const SkinLayoutRecord& skin,
                                      bool cursorFollow, POINT caret, std::int32_t lineHeight,
                                      const RECT& workArea);

// A drag: the pointer's offset from the window's top-left at the press, and the top-left that
// keeps that offset under the pointer.
POINT DragOffset(POINT pointer, const RECT& windowRect);
POINT DraggedTopLeft(POINT pointer, POINT offset);
RECT DraggedRect(POINT pointer, POINT offset, std::int32_t width, std::int32_t height);

struct StatusDrop {
    POINT pointer;
    POINT offset;
    std::int32_t width;  // recorded at the press
    std::int32_t height;
    // Without caret following or skin and with candidates present, the composition window and the
    // candidate bar stand to the right of the status window.
    bool rowBeside;
    RECT workArea;
};
// The release of a status window drag: StatusX, StatusY take the dropped place (pointer −
// offset); the answer is the place inside the work area where the window is moved, which is also
// the one to remember as `StatusPosX`, `StatusPosY`.
POINT DropStatusWindow(UiPlacement& ui, const StatusDrop& drop);

// The long-candidate tip's text buffer, `LongCandidateText`.
constexpr std::size_t kLongTipTextSize = 128;
constexpr std::size_t kLongTipMinimumLength = 20;
// The longest prefix of a NUL-terminated text of at most limit bytes that does not split a
// double-byte GBK character (the dictionary reader's rule, on a C string).
std::size_t GbkPrefixLength(const char* text, std::size_t limit);
// Copies text into the tip buffer, cut to at most 127 bytes at a character boundary; answers the
// length copied.
std::size_t CopyLongTipText(const char* text, char (&buffer)[kLongTipTextSize]);

// The candidate entry the tip shows for a line's index on the page (CandidateLineIndex): false
// when the line holds no candidate (the index, taken unsigned, is not below `VisibleCandidates`).
bool LongTipEntry(int lineIndex, std::uint32_t visibleCandidates, std::uint32_t pageStart,
                  std::uint32_t& entry);
// The tip's place for a text of textLength bytes below-right of anchor (the candidate window's
// left and bottom); a text shorter than 20 bytes gets a tip of no size at (0, 0). The anchor is
// signed so that a candidate window left of or above the primary monitor keeps its tip.
WindowMove LongTipGeometry(std::size_t textLength, POINT anchor, std::int32_t edgeWidth,
                           std::int32_t edgeHeight, const RECT& workArea);
