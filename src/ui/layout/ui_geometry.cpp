#include "ui/layout/ui_geometry.h"

#include <algorithm>
#include <cstring>

#include "dict/line_reader.h"

namespace {

// How far the composition or status window may stray from its place beside the caret before
// following moves it: keeps the window still while the caret moves along a word.
constexpr std::int64_t kHorizontalSlack = 65;
constexpr std::int32_t kCaretGapX = 5;
constexpr std::int32_t kCaretGapY = 20;

std::int64_t Distance(std::int64_t a, std::int64_t b) {
    return a > b ? a - b : b - a;
}

bool StrictlyInside(std::int32_t x, std::int32_t y, const RECT& area) {
    return x > area.left && x < area.right && y > area.top && y < area.bottom;
}

// The place beside the caret, applied to a window's stored (x, y) the way caret following does:
// a window that is far from the caret in one direction jumps in x, in the other in both. The local
// (x, y) start at the caret and are what the edge clamps then test.
struct FollowResult {
    bool nearCaret;
    std::int32_t x;
    std::int32_t y;
};
FollowResult FollowCaret(std::int32_t& storedX, std::int32_t& storedY, POINT caret,
                         std::int32_t lineHeight, const RECT& workArea) {
    FollowResult result{false, static_cast<std::int32_t>(caret.x),
                        static_cast<std::int32_t>(caret.y)};
    const std::int32_t besideX = caret.x + kCaretGapX;
    const std::int32_t belowY = caret.y + lineHeight + kCaretGapY;
    if (StrictlyInside(storedX, storedY, workArea)) {
        const bool nearX = NearCaretHorizontally(storedX, caret);
        const bool nearY = NearCaretVertically(storedY, caret, lineHeight);
        if (nearX && nearY) {
            result.nearCaret = true;
            return result;
        }
        if (!nearX) {
            result.x = storedX = besideX;
        }
        if (!nearY) {
            result.x = storedX = besideX;
            result.y = storedY = belowY;
        }
    } else {
        result.x = storedX = besideX;
        result.y = storedY = belowY;
    }
    return result;
}

}  // namespace

POINT StatusCreationPosition(POINT remembered, bool skinned, std::int32_t statusWidth,
                             std::int32_t statusHeight, const RECT& workArea) {
    if (remembered.x != 0 || remembered.y != 0) {
        return remembered;
    }
    POINT place{};
    // The skin is centred within its own work area, not on the span from the virtual screen's
    // origin, so that it opens on the monitor it was asked for.
    place.x = skinned ? workArea.left + (workArea.right - workArea.left - statusWidth) / 2
                      : workArea.left;
    place.y = workArea.bottom - statusHeight - 10;
    return place;
}

WindowMove ResizedStatusWindow(const RECT& current, std::int32_t width, std::int32_t height,
                               const RECT& workArea) {
    const auto left = static_cast<std::int32_t>(workArea.left);
    const auto top = static_cast<std::int32_t>(workArea.top);
    WindowMove to{true, static_cast<std::int32_t>(current.left),
                  static_cast<std::int32_t>(current.top), width, height};
    to.x = std::max(std::min(to.x, static_cast<std::int32_t>(workArea.right) - width), left);
    to.y = std::max(std::min(to.y, static_cast<std::int32_t>(workArea.bottom) - height), top);
    return to;
}

UiPlacement InitialUiPlacement(const SkinLayoutRecord* skin, POINT remembered,
                               const RECT& workArea) {
    UiPlacement ui{};
    ui.StatusWidth = skin != nullptr ? skin->Width : kPlainStatusWidth;
    ui.StatusHeight = skin != nullptr ? skin->Height : kPlainStatusHeight;
    const POINT status = StatusCreationPosition(remembered, skin != nullptr, ui.StatusWidth,
                                                ui.StatusHeight, workArea);
    ui.StatusX = status.x;
    ui.StatusY = status.y;
    ui.CandWidth = kCandPanelWidth;
    ui.CandHeight = kCandPanelHeight;
    ui.CompX = -1;
    ui.CompY = -1;
    ui.CompWidth = kCompWindowWidth;
    ui.CompHeight = kCompWindowHeight;
    return ui;
}

POINT CaretPointForFollowing(POINT caret, const RECT& workArea) {
    POINT point = caret;
    if (point.x <= workArea.left || point.x >= workArea.right) {
        // A third of the way across this work area (not of the distance from the virtual
        // screen's origin), so that a monitor with negative coordinates keeps the window.
        point.x = workArea.left + (workArea.right - workArea.left) / 3;
    }
    if (point.y <= workArea.top || point.y >= workArea.bottom) {
        point.y = workArea.bottom + 80;
    }
    return point;
}

bool NearCaretHorizontally(std::int32_t x, POINT caret) {
    return Distance(x, static_cast<std::int64_t>(caret.x) + kCaretGapX) <= kHorizontalSlack;
}

bool NearCaretVertically(std::int32_t y, POINT caret, std::int32_t lineHeight) {
    return Distance(y, static_cast<std::int64_t>(caret.y) + lineHeight + kCaretGapY) <= lineHeight;
}

CaretJumpTarget CaretJumpTargetFor(std::int32_t skinIndex, bool win9xFamily) {
    if (skinIndex == 0) {
        return CaretJumpTarget::CompWindow;
    }
    if (skinIndex == 1 && !win9xFamily) {
        return CaretJumpTarget::StatusWindow;
    }
    return CaretJumpTarget::None;
}

bool CaretJump(std::int32_t& x, std::int32_t& y, POINT caret, std::int32_t lineHeight) {
    bool moved = false;
    if (!NearCaretHorizontally(x, caret)) {
        x = caret.x + kCaretGapX;
        moved = true;
    }
    if (!NearCaretVertically(y, caret, lineHeight)) {
        y = caret.y + lineHeight + kCaretGapY;
        moved = true;
    }
    return moved;
}

CompPlacement PlaceCompWindowPosition(UiPlacement& ui, const CompPlacementInput& in) {
    CompPlacement result{};
    const RECT& area = in.workArea;
    const std::int32_t w = ui.CompWidth > 0 ? ui.CompWidth : 0;
    const std::int32_t h = ui.CompHeight;
    if (in.cursorFollow) {
        const FollowResult follow = FollowCaret(ui.CompX, ui.CompY, in.caret, in.lineHeight, area);
        if (follow.nearCaret) {
            return result;
        }
        if (follow.x + w > area.right) {
            ui.CompX = area.right - w;
        }
        if (follow.y + h > area.bottom) {
            ui.CompY = area.bottom - h;
        }
    } else {
        // The status window, the composition window and the candidate bar stand in a row; when
        // the row would leave the work area, the status window makes room and keeps its new place.
        const std::int32_t row = ui.StatusWidth + kCandBarWidth + ui.CompWidth;
        if (in.candidatesPresent && ui.StatusX + row > area.right) {
            ui.StatusX = area.right - row - 20;
            result.statusPushed = true;
        }
        ui.CompX = ui.StatusX + ui.StatusWidth + 10;
        ui.CompY = ui.StatusY;
        if (ui.CompX + w + 10 + kCandBarWidth > area.right) {
            ui.CompX = area.right - w - kCandBarWidth - 20;
            ui.CompY = ui.StatusY + ui.StatusHeight + 5;
            if (ui.CompY > area.bottom) {
                ui.CompY = ui.StatusY - ui.StatusHeight - 5;
            }
        }
    }
    result.comp = WindowMove{true, ui.CompX, ui.CompY, w, h};
    return result;
}

bool CompWindowShown(std::uint32_t codeLength, std::int32_t skinIndex) {
    return codeLength > 0 && skinIndex == 0;
}

bool CandWindowShown(std::int32_t skinIndex, bool progressiveHint, bool associationShown,
                     bool codeComplete, std::uint32_t candidateCount) {
    return skinIndex == 0 && (progressiveHint || associationShown || codeComplete) &&
           candidateCount > 2;
}

POINT ComputeCandPosition(UiPlacement& ui, bool cursorFollow, std::int32_t width,
                          std::int32_t height, const RECT& workArea) {
    std::int32_t x = ui.CompX + ui.CompWidth + 5;
    std::int32_t y = ui.CompY;
    if (cursorFollow) {
        if (x + width > workArea.right) {
            x = ui.CompX - width - 5;
        }
        if (x < workArea.left) {
            x = workArea.left;
        }
        if (y < workArea.top) {
            y = workArea.top;
        }
        if (y + height > workArea.bottom) {
            y = workArea.bottom - height;
        }
    } else {
        if (x + kCandBarWidth > workArea.right) {
            x = workArea.right - kCandBarWidth;
        }
        if (y + kCandBarHeight > workArea.bottom) {
            y = ui.CompY - kCandBarHeight;
        }
    }
    ui.CandX = x;
    ui.CandY = y;
    return POINT{x, y};
}

WindowMove PlaceCandWindowPosition(UiPlacement& ui, bool cursorFollow, const RECT& workArea) {
    const std::int32_t w = cursorFollow ? (ui.CandWidth > 0 ? ui.CandWidth : 0) : kCandBarWidth;
    const std::int32_t h = cursorFollow ? ui.CandHeight : ui.CompHeight;
    const POINT place = ComputeCandPosition(ui, cursorFollow, w, h, workArea);
    return WindowMove{true, place.x, place.y, w, h};
}

bool FollowCaretStatus(UiPlacement& ui, POINT caret, std::int32_t lineHeight,
                       const RECT& workArea) {
    const FollowResult follow = FollowCaret(ui.StatusX, ui.StatusY, caret, lineHeight, workArea);
    if (follow.nearCaret) {
        return false;
    }
    std::int32_t x = follow.x;
    if (x + ui.StatusWidth > workArea.right) {
        x = ui.StatusX = caret.x - ui.StatusWidth;
    }
    // A skin wider than half the monitor flipped left of a caret near the left edge would hang
    // over onto the neighbouring monitor.
    if (x < workArea.left) {
        ui.StatusX = workArea.left;
    }
    if (follow.y + ui.StatusHeight > workArea.bottom) {
        ui.StatusY = workArea.bottom - ui.StatusHeight;
    }
    return true;
}

WindowMove PlaceSkinnedStatusPosition(UiPlacement& ui, const SkinLayoutRecord& skin,
                                      bool cursorFollow, POINT caret, std::int32_t lineHeight,
                                      const RECT& workArea) {
    if (cursorFollow && !FollowCaretStatus(ui, caret, lineHeight, workArea)) {
        return WindowMove{};
    }
    return WindowMove{true, ui.StatusX, ui.StatusY, skin.Width, skin.Height};
}

POINT DragOffset(POINT pointer, const RECT& windowRect) {
    return POINT{pointer.x - windowRect.left, pointer.y - windowRect.top};
}

POINT DraggedTopLeft(POINT pointer, POINT offset) {
    return POINT{pointer.x - offset.x, pointer.y - offset.y};
}

RECT DraggedRect(POINT pointer, POINT offset, std::int32_t width, std::int32_t height) {
    const POINT topLeft = DraggedTopLeft(pointer, offset);
    return RECT{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
}

POINT DropStatusWindow(UiPlacement& ui, const StatusDrop& drop) {
    POINT place = DraggedTopLeft(drop.pointer, drop.offset);
    ui.StatusX = place.x;
    ui.StatusY = place.y;
    const RECT& area = drop.workArea;
    if (drop.rowBeside) {
        // Only the row's right end is kept on screen; the bar may stand anywhere vertically.
        const std::int32_t row = ui.StatusWidth + kCandBarWidth + ui.CompWidth;
        if (place.x + row > area.right) {
            place.x = area.right - row - 20;
        }
    } else {
        if (place.x + drop.width > area.right) {
            place.x = area.right - drop.width;
        }
        if (place.y + drop.height > area.bottom) {
            place.y = area.bottom - drop.height;
        }
    }
    return place;
}

std::size_t GbkPrefixLength(const char* text, std::size_t limit) {
    return GbkPrefixLength(text, strnlen(text, limit), limit);
}

std::size_t CopyLongTipText(const char* text, char (&buffer)[kLongTipTextSize]) {
    const std::size_t length = GbkPrefixLength(text, kLongTipTextSize - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return length;
}

bool LongTipEntry(int lineIndex, std::uint32_t visibleCandidates, std::uint32_t pageStart,
                  std::uint32_t& entry) {
    if (static_cast<std::uint32_t>(lineIndex) >= visibleCandidates) {
        return false;
    }
    entry = pageStart + static_cast<std::uint32_t>(lineIndex);
    return true;
}

WindowMove LongTipGeometry(std::size_t textLength, POINT anchor, std::int32_t edgeWidth,
                           std::int32_t edgeHeight, const RECT& workArea) {
    if (textLength < kLongTipMinimumLength) {
        return WindowMove{true, 0, 0, 0, 0};
    }
    WindowMove tip{true, static_cast<std::int32_t>(anchor.x + 8),
                   static_cast<std::int32_t>(anchor.y + 12),
                   static_cast<std::int32_t>(8 * textLength) + 4 * edgeWidth, 12 + 4 * edgeHeight};
    if (tip.x + tip.width > workArea.right) {
        tip.x = workArea.right - tip.width;
    }
    if (tip.y + tip.height > workArea.bottom) {
        tip.y = workArea.bottom - tip.height;
    }
    return tip;
}
