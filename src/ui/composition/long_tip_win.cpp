#include "ui/composition/long_tip_win.h"

#include <cstring>

#include "context/input_context.h"
#include "engine/conversion_state.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/layout/hit_tests.h"
#include "ui/layout/ui_geometry.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"

static_assert(kLongCandidateTextSize == static_cast<int>(kLongTipTextSize),
              "the tip's buffer is the size its rules cut to");

void ShowLongCandidateTip(std::uint16_t hit, HWND candWindow, POINT anchor) {
    HWND tip = Windows.LongCandidateTip;
    if (!HasWindow(tip)) {
        return;
    }
    std::size_t length = 0;
    {
        UiContext context(OwningUiWindow(candWindow));
        CandidateListAccess access(context.get());
        if (!access) {
            return;
        }
        CANDIDATELIST* list = access.list();
        std::uint32_t entry = 0;
        if (!LongTipEntry(CandidateLineIndex(hit),
                          static_cast<std::uint32_t>(Conversion.VisibleCandidates),
                          list->dwPageStart, entry) ||
            entry >= static_cast<std::uint32_t>(kCandidateSlotCount)) {
            return;
        }
        const char* text = CandidateSlot(list, static_cast<int>(entry));
        length = GbkPrefixLength(text, kLongTipTextSize - 1);
        if (length >= kLongTipMinimumLength) {
            length = CopyLongTipText(text, Windows.LongCandidateText);
        }
    }
    const WindowMove place = LongTipGeometry(length, anchor, GetSystemMetrics(SM_CXEDGE),
                                             GetSystemMetrics(SM_CYEDGE), WorkAreaAt(anchor));
    MoveWindow(tip, place.x, place.y, place.width, place.height, TRUE);
    if (place.width == 0) {
        return;
    }
    ShowWithoutActivation(tip);
    PaintLongCandidateTip(tip);
}

void DrawLongCandidateTip(HDC target, int width, int height, const char* text, HFONT font) {
    HGDIOBJ oldFont = font != nullptr ? SelectObject(target, font) : nullptr;
    const RECT whole{0, 0, width, height};
    FillRect(target, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldPen = SelectObject(target, GetStockObject(BLACK_PEN));
    const POINT frame[5] = {
        {width - 1, 1}, {1, 1}, {1, height - 1}, {width - 1, height - 1}, {width - 1, 1}};
    Polyline(target, frame, 5);
    SelectObject(target, oldPen);
    const int oldMode = SetBkMode(target, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(target, RGB(0, 0, 0));
    TextOutA(target, 2, 2, text, static_cast<int>(std::strlen(text)));
    SetTextColor(target, oldColour);
    SetBkMode(target, oldMode);
    if (oldFont != nullptr) {
        SelectObject(target, oldFont);
    }
}

void PaintLongCandidateTip(HWND tip) {
    if (!HasCandidates() || Settings.SkinIndex != 0 || !HasWindow(tip)) {
        return;
    }
    RECT client{};
    GetClientRect(tip, &client);
    HDC dc = GetDC(tip);
    if (dc == nullptr) {
        return;
    }
    // The buffer always ends in a NUL: the copy cuts at 127 bytes.
    Windows.LongCandidateText[kLongCandidateTextSize - 1] = '\0';
    DrawLongCandidateTip(dc, client.right, client.bottom, Windows.LongCandidateText,
                         Windows.UiFont);
    ReleaseDC(tip, dc);
}
