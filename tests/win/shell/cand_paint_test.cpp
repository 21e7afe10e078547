// The candidate window's two looks painted into a memory bitmap: the number column, the paging
// buttons and the pressed one, the association mark, the cut at x = 177, the page size written
// back, and the plain look where the pictures are missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ime/process_state.h"
#include "ui/candidate/cand_paint_win.h"
#include "win/shell/screenshot_support.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A candidate list as the input method lays it out, with its first page showing.
class CandidateListBuffer {
  public:
    explicit CandidateListBuffer(const std::vector<std::string>& texts)
        : bytes_(kCandListSize + 16, 0) {
        CANDIDATELIST* list = get();
        list->dwSize = kCandListSize;
        list->dwCount = kFirstCandidateSlot + static_cast<DWORD>(texts.size());
        list->dwPageStart = kFirstCandidateSlot;
        list->dwPageSize = kCandidatePageSize;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            SetCandidateSlot(list, kFirstCandidateSlot + static_cast<int>(i), texts[i].data(),
                             texts[i].size());
        }
    }
    CANDIDATELIST* get() { return reinterpret_cast<CANDIDATELIST*>(bytes_.data()); }

  private:
    std::vector<unsigned char> bytes_;
};

std::vector<std::string> Repeated(const std::string& text, int count) {
    return std::vector<std::string>(static_cast<std::size_t>(count), text);
}

class CandidatePaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProcessState();
        InstallSkinPictures();
        font = CreateInterfaceFont();
    }
    void TearDown() override {
        DeleteCandidatePictures(pictures);
        DeleteObject(font);
    }
    // Lays the page out and draws it; the drawing leaves the list as it was.
    CandidatePageLayout Paint(MemoryCanvas& canvas, bool vertical, CANDIDATELIST* list,
                              int pressed = 0, bool association = false) {
        DeleteCandidatePictures(pictures);
        pictures = LoadCandidatePictures(vertical);
        CandidatePageLayout page{};
        if (list != nullptr) {
            page = MeasureCandidatePage(canvas.dc(), font, vertical, list);
        }
        const DWORD pageSizeBefore = list != nullptr ? list->dwPageSize : 0;
        const CandidateSurface surface{vertical, pressed, association, font,
                                       list,     &page,   &pictures};
        DrawCandidateSurface(canvas.dc(), surface);
        if (list != nullptr) {
            EXPECT_EQ(list->dwPageSize, pageSizeBefore) << "the drawing writes no page size";
        }
        return page;
    }
    HFONT font = nullptr;
    CandidatePictures pictures{};
};

TEST_F(CandidatePaintTest, TenCandidatesFillTheNumberColumnOfTheVerticalPanel) {
    CandidateListBuffer list(Repeated("\xB9\xA4", 12));  // 工
    MemoryCanvas canvas(184, 192);
    const CandidatePageLayout page = Paint(canvas, true, list.get());
    canvas.SaveScreenshot("panel-ten-candidates");
    EXPECT_EQ(page.visibleCandidates, 10u);
    EXPECT_EQ(page.pageSize, 10u);
    EXPECT_EQ(canvas.CountOtherThan(RECT{0, 0, 184, 192}, kMagenta), 184 * 192);
    SIZE line{};
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    GetTextExtentPoint32A(canvas.dc(), "1:", 2, &line);
    SelectObject(canvas.dc(), old);
    ASSERT_GT(line.cy, 0);
    for (int i = 0; i < 10 && 22 + (i + 1) * line.cy <= 192; ++i) {
        const RECT number{6, 22 + i * line.cy, 6 + line.cx, 22 + (i + 1) * line.cy};
        EXPECT_GT(canvas.CountDark(number), 3) << "line " << i + 1 << " has no number";
    }
    EXPECT_TRUE(ShowsPicture(canvas, 128, 4, "skip0fy.bmp", 0, 0, 48, 12));

    // For the record: how long one page takes to draw into a memory bitmap.
    std::vector<double> times;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < 201; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        const CandidateSurface surface{true, 0, false, font, list.get(), &page, &pictures};
        DrawCandidateSurface(canvas.dc(), surface);
        QueryPerformanceCounter(&end);
        times.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    std::printf("one panel page drawn in %.0f microseconds (median)\n", times[times.size() / 2]);
}

TEST_F(CandidatePaintTest, ThePressedButtonShowsItsPressedSquare) {
    CandidateListBuffer list(Repeated("\xB9\xA4", 3));
    for (const bool vertical : {true, false}) {
        const int width = vertical ? 184 : 566;
        const int height = vertical ? 192 : 26;
        const POINT strip = vertical ? POINT{128, 4} : POINT{504, 6};
        for (int button = 1; button <= 4; ++button) {
            MemoryCanvas canvas(width, height);
            Paint(canvas, vertical, list.get(), button);
            if (vertical && button == 3) {
                canvas.SaveScreenshot("panel-pressed-button");
            }
            EXPECT_TRUE(ShowsPicture(canvas, strip.x + 13 * (button - 1), strip.y, "skip0fy.bmp",
                                     13 * (button - 1), 13, 12, 12))
                << (vertical ? "panel" : "bar") << ", button " << button;
            const int other = button == 1 ? 2 : 1;
            EXPECT_TRUE(ShowsPicture(canvas, strip.x + 13 * (other - 1), strip.y, "skip0fy.bmp",
                                     13 * (other - 1), 0, 12, 12));
        }
    }
}

TEST_F(CandidatePaintTest, TheAssociationMarkShowsOnlyForAnAssociationList) {
    CandidateListBuffer list(Repeated("\xB9\xA4\xC8\xCB", 4));  // 工人
    for (const bool vertical : {true, false}) {
        const POINT at = vertical ? POINT{2, 3} : POINT{3, 4};
        MemoryCanvas marked(vertical ? 184 : 566, vertical ? 192 : 26);
        Paint(marked, vertical, list.get(), 0, true);
        marked.SaveScreenshot(vertical ? "panel-association" : "bar-association");
        EXPECT_TRUE(ShowsPicture(marked, at.x, at.y, "skip0lx.bmp", 0, 0, 16, 16));
        MemoryCanvas plain(vertical ? 184 : 566, vertical ? 192 : 26);
        Paint(plain, vertical, list.get(), 0, false);
        EXPECT_FALSE(ShowsPicture(plain, at.x, at.y, "skip0lx.bmp", 0, 0, 16, 16));
    }
}

TEST_F(CandidatePaintTest, TextRunningPastX177IsCutThere) {
    CandidateListBuffer list({std::string(60, 'W')});
    MemoryCanvas canvas(184, 192);
    Paint(canvas, true, list.get());
    canvas.SaveScreenshot("panel-long-candidate");
    MemoryCanvas empty(184, 192);
    Paint(empty, true, nullptr);
    const RECT lineRow{0, 22, 184, 40};
    EXPECT_GT(canvas.CountDark(RECT{150, 22, 177, 40}), 10) << "the text reaches the cut";
    for (int y = lineRow.top; y < lineRow.bottom; ++y) {
        for (int x = 177; x < 184; ++x) {
            ASSERT_EQ(canvas.Pixel(x, y), empty.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(CandidatePaintTest, TheBarHoldsWhatFitsBeforeTheButtons) {
    struct Case {
        std::vector<std::string> texts;
        DWORD pageSize;
    };
    const Case cases[] = {
        {Repeated("\xB9\xA4", 25), 10},           // narrow: a full page of ten
        {Repeated(std::string(12, 'M'), 25), 0},  // wide: fewer, at least one
        {{std::string(90, 'M'), "\xB9\xA4"}, 1},  // wider than the bar: still drawn alone
    };
    for (const Case& c : cases) {
        CandidateListBuffer list(c.texts);
        MemoryCanvas canvas(566, 26);
        const CandidatePageLayout page = Paint(canvas, false, list.get());
        if (c.pageSize != 0) {
            EXPECT_EQ(page.pageSize, c.pageSize);
        } else {
            EXPECT_GE(page.pageSize, 1u);
            EXPECT_LT(page.pageSize, 10u);
        }
        EXPECT_EQ(page.visibleCandidates, page.pageSize);
        EXPECT_GT(canvas.CountDark(RECT{30, 5, 60, 21}), 5) << "the first candidate is drawn";
        if (c.pageSize == 10) {
            canvas.SaveScreenshot("bar-candidates");
        }
    }
}

TEST_F(CandidatePaintTest, MissingPicturesGiveThePlainLook) {
    for (const char* name : {"skip0c.bmp", "skip0cg.bmp", "skip0fy.bmp", "skip0lx.bmp"}) {
        RemoveSkinPicture(name);
    }
    CandidateListBuffer list(Repeated("\xB9\xA4", 10));
    for (const bool vertical : {true, false}) {
        const int width = vertical ? 184 : 566;
        const int height = vertical ? 192 : 26;
        MemoryCanvas canvas(width, height);
        const CandidatePageLayout page = Paint(canvas, vertical, list.get(), 2, true);
        canvas.SaveScreenshot(vertical ? "panel-plain" : "bar-plain");
        EXPECT_EQ(canvas.CountOtherThan(RECT{0, 0, width, height}, kMagenta), width * height)
            << "nothing left unpainted";
        EXPECT_NE(canvas.Pixel(0, 0), canvas.Pixel(width / 2, height - 2)) << "a border";
        const POINT strip = vertical ? POINT{128, 4} : POINT{504, 6};
        for (int button = 0; button < 4; ++button) {
            EXPECT_GT(canvas.CountDark(RECT{strip.x + 13 * button + 2, strip.y + 2,
                                            strip.x + 13 * button + 10, strip.y + 10}),
                      3)
                << "button " << button + 1 << " has its arrow";
        }
        EXPECT_NE(canvas.Pixel(strip.x + 13 + 1, strip.y + 1),
                  canvas.Pixel(strip.x + 1, strip.y + 1))
            << "the pressed button looks pressed";
        EXPECT_EQ(page.visibleCandidates, 10u);
        const RECT text = vertical ? RECT{6, 22, 80, 40} : RECT{30, 4, 120, 22};
        EXPECT_GT(canvas.CountDark(text), 10) << "the text as usual";
    }
}

}  // namespace
