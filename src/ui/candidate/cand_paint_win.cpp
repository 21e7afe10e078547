#include "ui/candidate/cand_paint_win.h"

#include <initializer_list>

#include "engine/conversion_state.h"
#include "engine/paging.h"
#include "engine/window_state.h"
#include "settings/settings.h"
#include "ui/layout/candidate_page.h"
#include "ui/common/skin_pictures_win.h"
#include "ui/layout/ui_geometry.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"

namespace {

// Where the pieces of each look go.
struct LookGeometry {
    int width;
    int height;
    POINT strip;    // the four paging buttons
    POINT mark;     // the association mark
    int textRight;  // text is cut here (the panel), or the window's width
};
constexpr LookGeometry kPanel{kCandPanelWidth, kCandPanelHeight, {128, 4}, {2, 3}, 177};
constexpr LookGeometry kBar{kCandBarWidth, kCandBarHeight, {504, 6}, {3, 4}, kCandBarWidth};

constexpr int kButtonSize = 12;
constexpr int kButtonStep = 13;
constexpr int kStripWidth = 48;
constexpr int kMarkSize = 16;

// The plain paging button: an arrow (left for the first two, right for the last two) with a bar
// at the end for the first and last page.
void DrawPlainPagingButton(HDC target, const RECT& area, int button, bool pressed) {
    DrawPlainButton(target, area, pressed, nullptr);
    const bool left = button <= 2;
    const int midY = (area.top + area.bottom) / 2;
    const int tipX = left ? area.left + 3 : area.right - 4;
    const int baseX = left ? area.right - 4 : area.left + 3;
    POINT arrow[3] = {{tipX, midY}, {baseX, midY - 3}, {baseX, midY + 3}};
    HGDIOBJ oldBrush = SelectObject(target, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = SelectObject(target, GetStockObject(BLACK_PEN));
    Polygon(target, arrow, 3);
    if (button == 1 || button == 4) {
        const int barX = left ? tipX - 1 : tipX + 1;
        MoveToEx(target, barX, midY - 3, nullptr);
        LineTo(target, barX, midY + 4);
    }
    SelectObject(target, oldPen);
    SelectObject(target, oldBrush);
}

void DrawPagingButtons(HDC target, const LookGeometry& look, const CandidatePictures* pictures,
                       int pressed) {
    HBITMAP strip = pictures != nullptr ? pictures->pagingStrip : nullptr;
    if (CopyPicture(target, look.strip.x, look.strip.y, kStripWidth, kButtonSize, strip, 0, 0)) {
        if (pressed >= 1 && pressed <= 4) {
            CopyPicture(target, look.strip.x + kButtonStep * (pressed - 1), look.strip.y,
                        kButtonSize, kButtonSize, strip, kButtonStep * (pressed - 1), kButtonStep);
        }
        return;
    }
    for (int button = 1; button <= 4; ++button) {
        const int x = look.strip.x + kButtonStep * (button - 1);
        const RECT area{x, look.strip.y, x + kButtonSize, look.strip.y + kButtonSize};
        DrawPlainPagingButton(target, area, button, button == pressed);
    }
}

void DrawAssociationMark(HDC target, const LookGeometry& look, const CandidatePictures* pictures) {
    HBITMAP mark = pictures != nullptr ? pictures->associationMark : nullptr;
    if (!CopyPicture(target, look.mark.x, look.mark.y, kMarkSize, kMarkSize, mark, 0, 0)) {
        const RECT area{look.mark.x, look.mark.y, look.mark.x + kMarkSize, look.mark.y + kMarkSize};
        DrawPlainButton(target, area, true, "\xC1\xAA");  // 联
    }
}

void DrawPage(HDC target, const LookGeometry& look, const CANDIDATELIST* list,
              const CandidatePageLayout& page) {
    char line[kCandidateLineSize];
    const int savedState = SaveDC(target);
    // Text running past the panel's right part is cut there, where the buttons' column ends.
    IntersectClipRect(target, 0, 0, look.textRight, look.height);
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, RGB(0, 0, 0));
    for (std::uint32_t k = 0; k < page.drawnCount; ++k) {
        const DrawnCandidate& drawn = page.drawn[k];
        const std::size_t length = FormatCandidateLine(
            line, drawn.number, CandidateSlot(list, static_cast<int>(drawn.entry)));
        TextOutA(target, drawn.x, drawn.y, line, static_cast<int>(length));
    }
    RestoreDC(target, savedState);
}

}  // namespace

CandidatePictures LoadCandidatePictures(bool cursorFollow) {
    CandidatePictures pictures{};
    pictures.vertical = cursorFollow;
    pictures.background = LoadSkinPicture(cursorFollow ? "skip0c.bmp" : "skip0cg.bmp");
    pictures.pagingStrip = LoadSkinPicture("skip0fy.bmp");
    pictures.associationMark = LoadSkinPicture("skip0lx.bmp");
    return pictures;
}

void DeleteCandidatePictures(CandidatePictures& pictures) {
    for (HBITMAP* picture :
         {&pictures.background, &pictures.pagingStrip, &pictures.associationMark}) {
        if (*picture != nullptr) {
            DeleteObject(*picture);
            *picture = nullptr;
        }
    }
}

CandidatePageLayout MeasureCandidatePage(HDC dc, HFONT font, bool vertical,
                                         const CANDIDATELIST* list) {
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    CandidatePageInput in{};
    in.look = vertical ? CandidateLook::VerticalPanel : CandidateLook::HorizontalBar;
    in.pageStart = list->dwPageStart;
    in.count = list->dwCount;
    const std::uint32_t entries =
        CandidatePageEntries(in.pageStart, in.count, CandidatePageCapacity(in.look, 0));
    char line[kCandidateLineSize];
    for (std::uint32_t i = 0; i < entries && in.pageStart + i < kCandidateSlotCount; ++i) {
        const char* text = CandidateSlot(list, static_cast<int>(in.pageStart + i));
        const std::size_t length = FormatCandidateLine(line, static_cast<int>((i + 1) % 10), text);
        SIZE size{};
        GetTextExtentPoint32A(dc, line, static_cast<int>(length), &size);
        in.measured[i] = TextExtent{size.cx, size.cy};
    }
    if (in.count > kCandidateSlotCount) {
        in.count = kCandidateSlotCount;
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
    return LayOutCandidatePage(in);
}

void DrawCandidateSurface(HDC target, const CandidateSurface& surface) {
    const LookGeometry& look = surface.vertical ? kPanel : kBar;
    HGDIOBJ oldFont = surface.font != nullptr ? SelectObject(target, surface.font) : nullptr;
    HBITMAP background = surface.pictures != nullptr ? surface.pictures->background : nullptr;
    if (!CopyPicture(target, 0, 0, look.width, look.height, background, 0, 0)) {
        DrawPlainPanel(target, RECT{0, 0, look.width, look.height});
    }
    // The panel carries the buttons before the mark, the bar the mark first; neither overlaps.
    DrawPagingButtons(target, look, surface.pictures, surface.pressedButton);
    if (surface.associationShown) {
        DrawAssociationMark(target, look, surface.pictures);
    }
    if (surface.list != nullptr && surface.page != nullptr) {
        DrawPage(target, look, surface.list, *surface.page);
    }
    if (oldFont != nullptr) {
        SelectObject(target, oldFont);
    }
}

CandidatePictures* CandidatePicturesOf(HWND candWindow) {
    return reinterpret_cast<CandidatePictures*>(
        GetWindowLongPtrA(candWindow, kChildPicturesOffset));
}

void MatchCandidatePictures(HWND candWindow, bool vertical) {
    CandidatePictures* pictures = CandidatePicturesOf(candWindow);
    if (pictures == nullptr || pictures->vertical == vertical) {
        return;
    }
    DeleteCandidatePictures(*pictures);
    *pictures = LoadCandidatePictures(vertical);
}

bool CandidateWindowShowsNow() {
    return CandWindowShown(Settings.SkinIndex, Settings.ProgressiveHint != 0,
                           Conversion.AssociationShown != 0, Conversion.CodeComplete != 0,
                           Conversion.CandidateCount);
}

void PaintCandidateWindow(HWND candWindow) {
    if (!HasWindow(candWindow)) {
        return;
    }
    MatchCandidatePictures(candWindow, Settings.CursorFollow != 0);
    if (!CandidateWindowShowsNow()) {
        ShowWindow(candWindow, SW_HIDE);
        return;
    }
    ShowWithoutActivation(candWindow);
    CandidateSurface surface{};
    surface.vertical = Settings.CursorFollow != 0;
    surface.pressedButton = Windows.PressedPageButton;
    surface.associationShown = Conversion.AssociationShown != 0;
    surface.font = Windows.UiFont;
    surface.pictures = CandidatePicturesOf(candWindow);
    const LookGeometry& look = surface.vertical ? kPanel : kBar;

    HDC windowDc = GetDC(candWindow);
    if (windowDc == nullptr) {
        return;
    }
    // Drawn off screen first, so that the window never shows a half-drawn page.
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP canvas = CreateCompatibleBitmap(windowDc, look.width, look.height);
    HGDIOBJ oldCanvas =
        memory != nullptr && canvas != nullptr ? SelectObject(memory, canvas) : nullptr;
    HDC target = oldCanvas != nullptr ? memory : windowDc;
    {
        UiContext context(OwningUiWindow(candWindow));
        CandidateListAccess access(context.get());
        CandidatePageLayout page{};
        if (access) {
            surface.list = access.list();
            page = MeasureCandidatePage(target, surface.font, surface.vertical, surface.list);
            surface.page = &page;
        }
        DrawCandidateSurface(target, surface);
    }
    if (target == memory) {
        BitBlt(windowDc, 0, 0, look.width, look.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldCanvas);
    }
    if (canvas != nullptr) {
        DeleteObject(canvas);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(candWindow, windowDc);
    ValidateRect(candWindow, nullptr);
}

void ShowCandidatePage(HWND candWindow) {
    if (candWindow == nullptr || !IsWindow(candWindow) || !CandidateWindowShowsNow()) {
        return;
    }
    UiContext context(OwningUiWindow(candWindow));
    CandidateListAccess access(context.get());
    HDC dc = access ? GetDC(candWindow) : nullptr;
    if (dc == nullptr) {
        return;
    }
    const CandidatePageLayout page =
        MeasureCandidatePage(dc, Windows.UiFont, Settings.CursorFollow != 0, access.list());
    ReleaseDC(candWindow, dc);
    TakeShownPage(access.list(), ShownPage{page.visibleCandidates, page.pageSize, false, 0});
}
