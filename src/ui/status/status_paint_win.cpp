#include "ui/status/status_paint_win.h"

#include <cstdio>
#include <cstring>

#include "context/input_context.h"
#include "context/process_facts.h"
#include "context/selection_state.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/online_word_state.h"
#include "engine/paging.h"
#include "engine/window_state.h"
#include "ui/layout/candidate_page.h"
#include "ui/layout/hit_tests.h"
#include "ui/common/skin_pictures_win.h"
#include "ui/layout/ui_geometry.h"
#include "ui/common/ui_private_win.h"
#include "ui/common/ui_support_win.h"

namespace {

// The plain bar's picture: four bands of 22 (normal, hover off, on, hover on).
constexpr int kBandHeight = 22;
constexpr int kBandOn = 44;
constexpr int kBandHoverOff = 22;
constexpr int kBandHoverOn = 66;
constexpr int kIndicatorSize = 20;
constexpr int kCodeSetNameX = 23;
constexpr int kCodeSetNameWidth = 66;

// A skin's button sheet: columns of 20 (the association mark's 21), off at y 0, on at y 20.
constexpr int kSkinButtonSize = 20;
constexpr int kAssocMarkWidth = 21;
constexpr int kSheetOnRow = 20;
// A skin's composition string holds more than this once the context is selected.
constexpr DWORD kSelectedCompStrMinimum = 100;

// The plain bar's mode images: where they stand, and the GBK labels of the fallback drawing.
struct PlainImage {
    int x;
    int hit;
    const char* onLabel;
    const char* offLabel;
};
constexpr int kPlainImageWidth = 20;
const PlainImage kEnglishImage = {3, kStatusHitChineseEnglish, "\xd3\xa2" /* 英 */,
                                  "\xd6\xd0" /* 中 */};
const PlainImage kFullWidthImage = {96, kStatusHitFullWidth, "\xc8\xab" /* 全 */,
                                    "\xb0\xeb" /* 半 */};
const PlainImage kPunctuationImage = {116, kStatusHitPunctuation, "\xa3\xac" /* ， */, ","};
const PlainImage kSoftKeyboardImage = {136, kStatusHitSoftKeyboard, "\xc8\xed" /* 软 */,
                                       "\xc8\xed" /* 软 */};
const char kOnlineWordLabel[] = "\xd4\xec";                      // 造
const char kPrimaryName[] = "\xc7\xe0\xe1\xb0\xd0\xce\xc2\xeb";  // 青岚形码
const char kSecondaryName[] = "\xd4\xb6\xc9\xbd\xb1\xca";        // 远山笔
const char kAssociationLabel[] = "\xc1\xaa";                     // 联

// The six state buttons of a skin, left to right: sheet column and fallback label.
struct SkinButton {
    int sheetColumn;
    const char* label;
};
const SkinButton kSkinButtons[6] = {
    {20, "GBK"},
    {40, kOnlineWordLabel},
    {60, "\xd3\xa2" /* 英 */},
    {80, "\xc8\xab" /* 全 */},
    {100, "\xa3\xac" /* ， */},
    {120, "\xc8\xed" /* 软 */},
};

bool SoftKeyboardShown() {
    return Modes.SoftKeyboardIndex > 0;
}

bool SkinButtonOn(int index) {
    switch (index) {
        case 0:
            return Settings.GbkMode != 0;
        case 1:
            return OnlineWord.OnlineWordActive != 0;
        case 2:
            return Modes.EnglishMode != 0;
        case 3:
            return IsModeOn(FullWidth);
        case 4:
            return IsModeOn(ChinesePunctuation);
        default:
            return SoftKeyboardShown();
    }
}

RECT Area(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}

// A plain-bar image from band, or its fallback button.
void DrawPlainImage(HDC surface, const PlainImage& image, int band, bool on) {
    if (!CopyPicture(surface, image.x, 0, kPlainImageWidth, kBandHeight, Status.Background, image.x,
                     band)) {
        DrawPlainButton(surface, Area(image.x, 0, kPlainImageWidth, kBandHeight), on,
                        on ? image.onLabel : image.offLabel);
    }
}

void DrawOnlineWordImage(HDC surface, bool hover) {
    if (!CopyPicture(surface, kEnglishImage.x, 1, kIndicatorSize, kIndicatorSize, Status.Buttons, 0,
                     hover ? kIndicatorSize : 0)) {
        DrawPlainButton(surface, Area(kEnglishImage.x, 1, kIndicatorSize, kIndicatorSize), true,
                        kOnlineWordLabel);
    }
}

void PaintPlainBar(HDC surface, int code) {
    const bool english = Modes.EnglishMode != 0;
    const bool online = OnlineWord.OnlineWordActive != 0;
    const bool secondary = Settings.CodeSet == kCodeSetSecondary;
    if (Status.Background == nullptr) {
        // Without the picture every image is drawn, on or off, so that the bar still says which
        // modes are active.
        DrawPlainPanel(surface, Area(0, 0, kPlainStatusWidth, kPlainStatusHeight));
        DrawPlainButton(surface, Area(kCodeSetNameX, 0, kCodeSetNameWidth, kBandHeight), false,
                        secondary ? kSecondaryName : kPrimaryName);
        if (online) {
            DrawOnlineWordImage(surface, false);
        } else {
            DrawPlainImage(surface, kEnglishImage, 0, english);
        }
        DrawPlainImage(surface, kFullWidthImage, 0, IsModeOn(FullWidth));
        DrawPlainImage(surface, kPunctuationImage, 0, IsModeOn(ChinesePunctuation));
        DrawPlainImage(surface, kSoftKeyboardImage, 0, SoftKeyboardShown());
        return;
    }
    CopyPicture(surface, 0, 0, kPlainStatusWidth, kPlainStatusHeight, Status.Background, 0, 0);
    if (online) {
        DrawOnlineWordImage(surface, false);
    } else if (english) {
        DrawPlainImage(surface, kEnglishImage, kBandOn, true);
    }
    const PlainImage* const moded[] = {&kFullWidthImage, &kPunctuationImage, &kSoftKeyboardImage};
    const bool modeOn[] = {IsModeOn(FullWidth), IsModeOn(ChinesePunctuation), SoftKeyboardShown()};
    for (int i = 0; i < 3; ++i) {
        if (modeOn[i]) {
            DrawPlainImage(surface, *moded[i], kBandOn, true);
        }
    }
    if (secondary) {
        CopyPicture(surface, kCodeSetNameX, 0, kCodeSetNameWidth, kBandHeight, Status.Background,
                    kCodeSetNameX, kBandOn);
    }
    if (!Status.StatusHover) {
        return;
    }
    if (code == kStatusHitChineseEnglish && online) {
        DrawOnlineWordImage(surface, true);
        return;
    }
    const PlainImage* const hovered[] = {&kEnglishImage, &kFullWidthImage, &kPunctuationImage,
                                         &kSoftKeyboardImage};
    const bool hoveredOn[] = {english, IsModeOn(FullWidth), IsModeOn(ChinesePunctuation),
                              SoftKeyboardShown()};
    for (int i = 0; i < 4; ++i) {
        if (hovered[i]->hit == code) {
            DrawPlainImage(surface, *hovered[i], hoveredOn[i] ? kBandHoverOn : kBandHoverOff,
                           hoveredOn[i]);
        }
    }
}

void PaintSkinImages(HDC surface, const SkinLayoutRecord& skin) {
    if (!CopyPicture(surface, 0, 0, skin.Width, skin.Height, Status.Background, 0, 0)) {
        DrawPlainPanel(surface, Area(0, 0, skin.Width, skin.Height));
    }
    const bool association = Conversion.AssociationShown != 0;
    if (!CopyPicture(surface, skin.AssocX, skin.CodeY, kAssocMarkWidth, kSkinButtonSize,
                     Status.Buttons, 0, association ? kSheetOnRow : 0)) {
        DrawPlainButton(surface, Area(skin.AssocX, skin.CodeY, kAssocMarkWidth, kSkinButtonSize),
                        association, kAssociationLabel);
    }
    for (int i = 0; i < 6; ++i) {
        const bool on = SkinButtonOn(i);
        const int x = skin.ButtonsX + i * kSkinButtonSize;
        if (!CopyPicture(surface, x, skin.ButtonsY, kSkinButtonSize, kSkinButtonSize,
                         Status.Buttons, kSkinButtons[i].sheetColumn, on ? kSheetOnRow : 0)) {
            DrawPlainButton(surface, Area(x, skin.ButtonsY, kSkinButtonSize, kSkinButtonSize), on,
                            kSkinButtons[i].label);
        }
    }
}

const char* EntryText(const CANDIDATELIST* list, std::uint32_t entry) {
    if (entry >= list->dwCount || entry >= static_cast<std::uint32_t>(kCandidateSlotCount)) {
        return "";
    }
    return CandidateSlot(list, static_cast<int>(entry));
}

TextExtent Measure(HDC surface, const char* text, std::size_t length) {
    SIZE size{};
    GetTextExtentPoint32A(surface, text, static_cast<int>(length), &size);
    return TextExtent{size.cx, size.cy};
}

}  // namespace

CandidatePageLayout MeasureSkinPage(HDC surface, const SkinLayoutRecord& skin,
                                    const CANDIDATELIST* list) {
    HFONT font = Windows.UiFont;
    HGDIOBJ previousFont = font != nullptr ? SelectObject(surface, font) : nullptr;
    CandidatePageInput in{};
    in.look = CandidateLook::Skin;
    in.skinIndex = Status.Skin;
    in.skin = &skin;
    in.pageStart = list->dwPageStart;
    in.count = list->dwCount;
    in.letterWidth = Measure(surface, "A", 1).width;
    const std::uint32_t capacity = CandidatePageCapacity(in.look, in.skinIndex);
    const std::uint32_t entries = CandidatePageEntries(in.pageStart, in.count, capacity);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const char* text = EntryText(list, in.pageStart + i);
        in.measured[i] = Measure(surface, text, std::strlen(text));
    }
    if (previousFont != nullptr) {
        SelectObject(surface, previousFont);
    }
    return LayOutCandidatePage(in);
}

namespace {

void PaintSkinCandidates(HDC surface, const CANDIDATELIST* list, const CandidatePageLayout& page) {
    for (std::uint32_t i = 0; i < page.drawnCount; ++i) {
        const DrawnCandidate& drawn = page.drawn[i];
        char line[kCandidateLineSize];
        std::size_t length = FormatCandidateLine(line, drawn.number, EntryText(list, drawn.entry));
        if (drawn.cut && drawn.cutBytes >= 0) {
            length = GbkPrefixLength(line, static_cast<std::size_t>(drawn.cutBytes));
        }
        TextOutA(surface, drawn.x, drawn.y, line, static_cast<int>(length));
    }
}

void PaintSkinConversion(HDC surface, const SkinLayoutRecord& skin,
                         const StatusConversion& conversion) {
    HGDIOBJ previousFont = nullptr;
    if (HFONT font = Windows.UiFont) {
        previousFont = SelectObject(surface, font);
    }
    const int previousMode = SetBkMode(surface, TRANSPARENT);
    const COLORREF previousColour = SetTextColor(surface, RGB(0, 0, 0));
    if (conversion.code != nullptr && Conversion.CodeLength > 0 && conversion.code[0] != '\0') {
        TextOutA(surface, skin.CodeX, skin.CodeY, conversion.code,
                 static_cast<int>(std::strlen(conversion.code)));
    }
    if (conversion.list != nullptr && conversion.page != nullptr) {
        PaintSkinCandidates(surface, conversion.list, *conversion.page);
    }
    SetTextColor(surface, previousColour);
    SetBkMode(surface, previousMode);
    if (previousFont != nullptr) {
        SelectObject(surface, previousFont);
    }
}

// Draws with the conversion of the locked context; without it only the pictures.
void DrawWithContext(HDC surface, int code, HIMC context) {
    ContextLock ic(context);
    if (!ic) {
        DrawStatusSurface(surface, code, nullptr);
        return;
    }
    CompStrLock comp(ic->hCompStr);
    CandInfoLock info(ic->hCandInfo);
    // A deselected context's composition string is too small to hold the code.
    const bool selected = comp && ImmGetIMCCSize(ic->hCompStr) > kSelectedCompStrMinimum;
    const CANDIDATELIST* list = info ? CandidateListOf(info.get()) : nullptr;
    CandidatePageLayout page{};
    if (list != nullptr) {
        page = MeasureSkinPage(surface, *StatusSkinLayout(), list);
    }
    const StatusConversion conversion{selected ? Conversion.CodeBuffer : nullptr, list,
                                      list != nullptr ? &page : nullptr};
    DrawStatusSurface(surface, code, &conversion);
}

// The skin the settings choose; a number without a layout is the plain bar.
std::int32_t ChosenSkin() {
    return SkinLayoutOf(Settings.SkinIndex) != nullptr ? Settings.SkinIndex : 0;
}

}  // namespace

const SkinLayoutRecord* StatusSkinLayout() {
    return SkinLayoutOf(Status.Skin);
}

void LoadStatusPictures() {
    ReleaseStatusPictures();
    Status.Skin = ChosenSkin();
    if (Status.Skin == 0) {
        Status.Background = LoadSkinPicture("skips.bmp");
        Status.Buttons = LoadSkinPicture("skipsz.bmp");
        return;
    }
    char name[32];
    std::snprintf(name, sizeof name, "%s%d%s", "skip", static_cast<int>(Status.Skin), ".bmp");
    Status.Background = LoadSkinPicture(name);
    std::snprintf(name, sizeof name, "%s%d%s", "skipc", static_cast<int>(Status.Skin), ".bmp");
    Status.Buttons = LoadSkinPicture(name);
}

void ReleaseStatusPictures() {
    if (Status.Background != nullptr) {
        DeleteObject(Status.Background);
    }
    if (Status.Buttons != nullptr) {
        DeleteObject(Status.Buttons);
    }
    Status.Background = nullptr;
    Status.Buttons = nullptr;
}

void StatusWindowCreated() {
    const ProcessDataLock hold(ProcessDataMutex());
    if (Status.LiveWindows++ == 0) {
        LoadStatusPictures();
    }
}

void StatusWindowDestroyed() {
    const ProcessDataLock hold(ProcessDataMutex());
    if (Status.LiveWindows > 0 && --Status.LiveWindows == 0) {
        ReleaseStatusPictures();
    }
}

void SyncStatusSkin(HWND statusWindow) {
    {
        const ProcessDataLock hold(ProcessDataMutex());
        if (Status.Skin != ChosenSkin()) {
            LoadStatusPictures();
        }
    }
    const SkinLayoutRecord* skin = StatusSkinLayout();
    const std::int32_t width = skin != nullptr ? skin->Width : kPlainStatusWidth;
    const std::int32_t height = skin != nullptr ? skin->Height : kPlainStatusHeight;
    RECT rect{};
    if (!GetWindowRect(statusWindow, &rect) ||
        (rect.right - rect.left == width && rect.bottom - rect.top == height)) {
        return;
    }
    const WindowMove to = ResizedStatusWindow(rect, width, height, WorkAreaOfWindow(statusWindow));
    SetWindowPos(statusWindow, nullptr, to.x, to.y, to.width, to.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (UiPrivate* ui = UiPrivateOf(OwningUiWindow(statusWindow)); ui != nullptr) {
        ui->placement.StatusX = to.x;
        ui->placement.StatusY = to.y;
        ui->placement.StatusWidth = to.width;
        ui->placement.StatusHeight = to.height;
    }
}

void DrawStatusSurface(HDC surface, int code, const StatusConversion* conversion) {
    const SkinLayoutRecord* skin = StatusSkinLayout();
    if (skin == nullptr) {
        PaintPlainBar(surface, code);
        return;
    }
    PaintSkinImages(surface, *skin);
    if (conversion != nullptr && Conversion.CandidateCount > kNoCandidates) {
        PaintSkinConversion(surface, *skin, *conversion);
    }
}

void PaintStatusWindow(HWND statusWindow, HDC surface, int code) {
    SyncStatusSkin(statusWindow);
    if (!Selection.ContextActive) {
        ShowWindow(statusWindow, SW_HIDE);
        return;
    }
    if (Conversion.CandidateCount == kNoCandidates && Status.Skin == 1 && !Process.Win9xFamily) {
        ShowWindow(statusWindow, SW_HIDE);
        return;
    }
    ShowWindow(statusWindow, SW_SHOWNOACTIVATE);
    UiContext context(OwningUiWindow(statusWindow));
    if (!context) {
        return;
    }
    if (StatusSkinLayout() != nullptr && Conversion.CandidateCount > kNoCandidates) {
        DrawWithContext(surface, code, context.get());
        return;
    }
    DrawStatusSurface(surface, code, nullptr);
}

void ShowSkinPage(HWND statusWindow) {
    if (statusWindow == nullptr || !IsWindow(statusWindow)) {
        return;
    }
    SyncStatusSkin(statusWindow);
    const SkinLayoutRecord* skin = StatusSkinLayout();
    if (!Selection.ContextActive || skin == nullptr || Conversion.CandidateCount <= kNoCandidates) {
        return;
    }
    UiContext context(OwningUiWindow(statusWindow));
    CandidateListAccess access(context.get());
    HDC dc = access ? GetDC(statusWindow) : nullptr;
    if (dc == nullptr) {
        return;
    }
    const CandidatePageLayout page = MeasureSkinPage(dc, *skin, access.list());
    ReleaseDC(statusWindow, dc);
    TakeShownPage(access.list(), ShownPage{page.visibleCandidates, page.pageSize,
                                           page.secondRowStartSet, page.secondRowStart});
}
