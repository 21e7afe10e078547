// The status window painted into a memory bitmap: the plain bar's mode, hover and code-set images,
// each skin's buttons, typed code and page of candidates, skin 1 hiding without candidates, and
// the plain look where the pictures are missing. The Screenshot* tests write the pictures people
// look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "context/input_context.h"
#include "context/selection_state.h"
#include "dict/tables.h"
#include "engine/conversion_state.h"
#include "engine/mode_state.h"
#include "engine/online_word_state.h"
#include "engine/window_state.h"
#include "ime/process_state.h"
#include "settings/settings.h"
#include "ui/status/status_paint_win.h"
#include "ui/common/ui_private_win.h"
#include "win/shell/screenshot_support.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A candidate list as the input method lays it out, with its first page showing.
class CandidateListBuffer {
  public:
    CandidateListBuffer() : bytes_(kCandListSize + 16, 0) {}
    void Offer(const std::vector<std::string>& texts) {
        CANDIDATELIST* list = get();
        list->dwSize = kCandListSize;
        list->dwCount = kFirstCandidateSlot + static_cast<DWORD>(texts.size());
        list->dwPageStart = kFirstCandidateSlot;
        list->dwPageSize = 10;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            SetCandidateSlot(list, kFirstCandidateSlot + static_cast<int>(i), texts[i].data(),
                             texts[i].size());
        }
        Conversion.CandidateCount = static_cast<std::uint16_t>(list->dwCount);
    }
    CANDIDATELIST* get() { return reinterpret_cast<CANDIDATELIST*>(bytes_.data()); }

  private:
    std::vector<unsigned char> bytes_;
};

class StatusPaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        InstallSkinPictures();
        RegisterClassesOnce();
        Process.ModuleInstance = GetModuleHandleA(nullptr);
        InitSkinLayout();
        Windows.UiFont = font = CreateInterfaceFont();
    }
    void TearDown() override {
        if (ui != nullptr) {
            DestroyWindow(ui);
        }
        ReleaseStatusPictures();
        Windows.UiFont = nullptr;
        DeleteObject(font);
    }
    // The pictures of skin, as a status window's creation loads them.
    void Use(int skin) {
        Settings.SkinIndex = skin;
        LoadStatusPictures();
    }
    // A UI window and with it the status window, for skin.
    HWND Open(int skin) {
        Settings.SkinIndex = skin;
        ui = CreateWindowExA(0, "QMVUI", "", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
        const UiPrivate* record = UiPrivateOf(ui);
        return record != nullptr ? record->StatusWindow : nullptr;
    }
    // Draws with the code and the candidates, as a lookup leaves them, and answers the page the
    // skin lays out. The drawing itself leaves the list and the conversion as they were.
    CandidatePageLayout DrawOffer(MemoryCanvas& canvas, const char* code,
                                  const std::vector<std::string>& texts) {
        std::snprintf(Conversion.CodeBuffer, sizeof Conversion.CodeBuffer, "%s", code);
        Conversion.CodeLength = static_cast<std::uint16_t>(std::strlen(code));
        candidates.Offer(texts);
        CandidatePageLayout page{};
        if (const SkinLayoutRecord* skin = StatusSkinLayout()) {
            page = MeasureSkinPage(canvas.dc(), *skin, candidates.get());
        }
        Conversion.VisibleCandidates = -1;
        const StatusConversion conversion{Conversion.CodeBuffer, candidates.get(), &page};
        DrawStatusSurface(canvas.dc(), 0, &conversion);
        EXPECT_EQ(PageSize(), 10u) << "the drawing writes no page size";
        EXPECT_EQ(Conversion.VisibleCandidates, -1) << "the drawing writes no visible count";
        return page;
    }
    DWORD PageSize() { return candidates.get()->dwPageSize; }
    static void Fill(MemoryCanvas& canvas) {
        const RECT all{0, 0, canvas.width(), canvas.height()};
        HBRUSH brush = CreateSolidBrush(kMagenta);
        FillRect(canvas.dc(), &all, brush);
        DeleteObject(brush);
    }
    HWND ui = nullptr;
    HFONT font = nullptr;
    CandidateListBuffer candidates;
};

std::vector<std::string> Repeated(const std::string& text, int count) {
    return std::vector<std::string>(static_cast<std::size_t>(count), text);
}

TEST_F(StatusPaintTest, PlainBarShowsTheBandOfEachModeAndOfTheHoveredButton) {
    struct Case {
        const char* what;
        int english, flags, softKeyboard, online;
        bool hover;
        int code;
        // The band (y in skips.bmp) expected at x 3, 96, 116 and 136; -1 = the on-line word image.
        int englishBand, fullBand, punctuationBand, softBand;
    };
    const Case cases[] = {
        {"start", 0, ChinesePunctuation, 0, 0, false, 0, 0, 0, 44, 0},
        {"all on", 1, ChinesePunctuation | FullWidth, 1, 0, false, 0, 44, 44, 44, 44},
        {"hover English while on", 1, 0, 0, 0, true, 1, 66, 0, 0, 0},
        {"hover English while off", 0, 0, 0, 0, true, 1, 22, 0, 0, 0},
        {"hover full width", 0, 0, 0, 0, true, 3, 0, 22, 0, 0},
        {"hover punctuation on", 0, ChinesePunctuation, 0, 0, true, 4, 0, 0, 66, 0},
        {"hover soft keyboard", 0, 0, 1, 0, true, 6, 0, 0, 0, 66},
        {"code without the hover flag", 0, 0, 0, 0, false, 3, 0, 0, 0, 0},
        {"hover on a drag area", 0, 0, 0, 0, true, 5, 0, 0, 0, 0},
        {"on-line word", 1, 0, 0, 1, false, 0, -1, 0, 0, 0},
    };
    Use(0);
    for (const Case& c : cases) {
        Modes.EnglishMode = c.english;
        Modes.ModeFlags = static_cast<std::uint16_t>(c.flags);
        Modes.SoftKeyboardIndex = c.softKeyboard;
        OnlineWord.OnlineWordActive = c.online;
        Status.StatusHover = c.hover;
        MemoryCanvas canvas(158, 22);
        DrawStatusSurface(canvas.dc(), c.code, nullptr);
        if (c.englishBand < 0) {
            EXPECT_TRUE(ShowsPicture(canvas, 3, 1, "skipsz.bmp", 0, 0, 20, 20)) << c.what;
        } else {
            EXPECT_TRUE(ShowsPicture(canvas, 3, 0, "skips.bmp", 3, c.englishBand, 20, 22))
                << c.what;
        }
        EXPECT_TRUE(ShowsPicture(canvas, 96, 0, "skips.bmp", 96, c.fullBand, 20, 22)) << c.what;
        EXPECT_TRUE(ShowsPicture(canvas, 116, 0, "skips.bmp", 116, c.punctuationBand, 20, 22))
            << c.what;
        EXPECT_TRUE(ShowsPicture(canvas, 136, 0, "skips.bmp", 136, c.softBand, 20, 22)) << c.what;
    }
}

TEST_F(StatusPaintTest, TheSecondaryCodeSetShowsItsNameImage) {
    Use(0);
    for (std::int32_t codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        Settings.CodeSet = codeSet;
        MemoryCanvas canvas(158, 22);
        DrawStatusSurface(canvas.dc(), 0, nullptr);
        const int band = codeSet == kCodeSetSecondary ? 44 : 0;
        EXPECT_TRUE(ShowsPicture(canvas, 23, 0, "skips.bmp", 23, band, 66, 22)) << codeSet;
    }
}

TEST_F(StatusPaintTest, NoActiveContextHidesTheWindowAndDrawsNothing) {
    HWND status = Open(0);
    ASSERT_NE(status, nullptr);
    Selection.ContextActive = 0;
    MemoryCanvas canvas(158, 22);
    Fill(canvas);
    PaintStatusWindow(status, canvas.dc(), 0);
    EXPECT_FALSE(IsWindowVisible(status));
    EXPECT_EQ(canvas.CountOtherThan(RECT{0, 0, 158, 22}, kMagenta), 0);
}

TEST_F(StatusPaintTest, EverySkinShowsItsButtonsCodeAndNumberedCandidates) {
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        Use(skin);
        const SkinLayoutRecord& layout = SkinLayout[skin - 1];
        Modes.EnglishMode = 1;
        Settings.GbkMode = 0;
        MemoryCanvas canvas(layout.Width, layout.Height);
        Fill(canvas);
        const CandidatePageLayout page = DrawOffer(canvas, "abc", Repeated("\xb0\xa1" /* 啊 */, 3));
        const std::string sheet = "skipc" + std::to_string(skin) + ".bmp";
        EXPECT_TRUE(
            ShowsPicture(canvas, layout.ButtonsX, layout.ButtonsY, sheet.c_str(), 20, 0, 20, 20))
            << skin << ": GB2312 off";
        EXPECT_TRUE(ShowsPicture(canvas, layout.ButtonsX + 40, layout.ButtonsY, sheet.c_str(), 60,
                                 20, 20, 20))
            << skin << ": English on";
        EXPECT_EQ(canvas.CountOtherThan(RECT{0, 0, layout.Width, layout.Height}, kMagenta),
                  layout.Width * layout.Height)
            << skin << ": the background covers the window";
        EXPECT_GT(canvas.CountDark(
                      RECT{layout.CodeX, layout.CodeY, layout.CodeX + 30, layout.CodeY + 16}),
                  0)
            << skin << ": the typed code";
        EXPECT_GT(canvas.CountDark(
                      RECT{layout.CandX, layout.CandY, layout.CandX + 12, layout.CandY + 16}),
                  0)
            << skin << ": the number of the first candidate";
        EXPECT_EQ(page.visibleCandidates, 3u) << skin;
        EXPECT_EQ(page.pageSize, 3u) << skin;
    }
}

TEST_F(StatusPaintTest, SkinThreeTakesTenOnTheFirstRowAndTheRestOnTheSecond) {
    Use(3);
    const SkinLayoutRecord& layout = SkinLayout[2];
    MemoryCanvas canvas(layout.Width, layout.Height);
    const CandidatePageLayout one = DrawOffer(canvas, "a", Repeated("\xb0\xa1", 6));
    EXPECT_FALSE(one.secondRowStartSet) << "one row leaves the old value";
    EXPECT_EQ(one.visibleCandidates, 6u);

    MemoryCanvas two(layout.Width, layout.Height);
    const CandidatePageLayout page = DrawOffer(two, "a", Repeated("\xb0\xa1", 12));
    EXPECT_TRUE(page.secondRowStartSet);
    EXPECT_EQ(page.secondRowStart, 10u);
    EXPECT_EQ(page.visibleCandidates, 12u);
    EXPECT_EQ(page.pageSize, 12u);
    const RECT secondRow{layout.CandX, layout.CandY + 23, layout.CandX + 12, layout.CandY + 39};
    EXPECT_GT(two.CountDark(secondRow), 0) << "the second row's '1'";
}

TEST_F(StatusPaintTest, SkinOneShowsOnlyWhileCandidatesArePresent) {
    HWND status = Open(1);
    ASSERT_NE(status, nullptr);
    MemoryCanvas canvas(189, 214);
    PaintStatusWindow(status, canvas.dc(), 0);
    EXPECT_FALSE(IsWindowVisible(status));
    Conversion.CandidateCount = kNoCandidates + 2;
    PaintStatusWindow(status, canvas.dc(), 0);
    EXPECT_TRUE(IsWindowVisible(status));
    Conversion.CandidateCount = kNoCandidates;
    PaintStatusWindow(status, canvas.dc(), 0);
    EXPECT_FALSE(IsWindowVisible(status));
}

TEST_F(StatusPaintTest, MissingPicturesDrawThePlainLookNeverABlankWindow) {
    for (int skin : {0, 2}) {
        RemoveSkinPicture(skin == 0 ? "skips.bmp" : "skip2.bmp");
        RemoveSkinPicture(skin == 0 ? "skipsz.bmp" : "skipc2.bmp");
        Use(skin);
        const int width = skin == 0 ? 158 : SkinLayout[1].Width;
        const int height = skin == 0 ? 22 : SkinLayout[1].Height;
        MemoryCanvas canvas(width, height);
        Fill(canvas);
        DrawOffer(canvas, "a", Repeated("\xb0\xa1", 2));
        EXPECT_EQ(canvas.CountOtherThan(RECT{0, 0, width, height}, kMagenta), width * height)
            << skin;
        // The Chinese/English button still carries its label.
        const int bx = SkinLayout[1].ButtonsX;
        const int by = SkinLayout[1].ButtonsY;
        const RECT english = skin == 0 ? RECT{3, 0, 23, 22} : RECT{bx + 40, by, bx + 60, by + 20};
        EXPECT_GT(canvas.CountDark(english), 0) << skin;
        InstallSkinPictures();
    }
}

// --- Screenshots --------------------------------------------------------------------------------

TEST_F(StatusPaintTest, ScreenshotStatusBarStates) {
    Use(0);
    struct Shot {
        const char* name;
        int english, flags, soft;
        std::int32_t codeSet;
        int hover;
    };
    const Shot shots[] = {
        {"status-plain-start", 0, ChinesePunctuation, 0, kCodeSetPrimary, 0},
        {"status-plain-english-full-width", 1, FullWidth, 0, kCodeSetPrimary, 0},
        {"status-plain-soft-keyboard-secondary", 0, ChinesePunctuation, 1, kCodeSetSecondary, 0},
        {"status-plain-hover-punctuation", 0, ChinesePunctuation, 0, kCodeSetPrimary, 4},
    };
    for (const Shot& shot : shots) {
        Modes.EnglishMode = shot.english;
        Modes.ModeFlags = static_cast<std::uint16_t>(shot.flags);
        Modes.SoftKeyboardIndex = shot.soft;
        Settings.CodeSet = shot.codeSet;
        Status.StatusHover = shot.hover != 0;
        MemoryCanvas canvas(158, 22);
        DrawStatusSurface(canvas.dc(), shot.hover, nullptr);
        EXPECT_GT(canvas.CountDark(RECT{0, 0, 158, 22}), 0) << shot.name;
        canvas.SaveScreenshot(shot.name);
    }
}

TEST_F(StatusPaintTest, ScreenshotEverySkinWithCandidates) {
    // The first twelve offers of "aa" on the shipped dictionary.
    const std::vector<std::string> words = {"\xca\xbd" /* 式 */,
                                            "\xb9\xa4" /* 工 */,
                                            "\xb9\xa4\xd7\xf7" /* 工作 */,
                                            "\xb9\xa4\xbe\xdf" /* 工具 */,
                                            "\xb9\xa4\xb3\xcc" /* 工程 */,
                                            "\xb9\xa4\xd2\xb5" /* 工业 */,
                                            "\xc4\xe4\xc3\xfb" /* 匿名 */,
                                            "\xb9\xa4\xc9\xcc" /* 工商 */,
                                            "\xb9\xa4\xd2\xd5" /* 工艺 */,
                                            "\xb9\xa4\xd7\xca" /* 工资 */,
                                            "\xb9\xa4\xd2\xd5\xc6\xb7" /* 工艺品 */,
                                            "\xb9\xa4\xb3\xa7" /* 工厂 */};
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        Use(skin);
        Modes.ModeFlags = ChinesePunctuation;
        Conversion.AssociationShown = skin == 4;
        const SkinLayoutRecord& layout = SkinLayout[skin - 1];
        MemoryCanvas canvas(layout.Width, layout.Height);
        EXPECT_GT(DrawOffer(canvas, "aa", words).visibleCandidates, 0u) << skin;
        canvas.SaveScreenshot(("status-skin-" + std::to_string(skin)).c_str());
    }
}

}  // namespace
