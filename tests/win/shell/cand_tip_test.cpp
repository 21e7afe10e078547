// The long-candidate tip painted into a memory bitmap: white inside a one-pixel black frame, the
// text at (2,2).
#include <gtest/gtest.h>

#include "ui/composition/long_tip_win.h"
#include "win/shell/screenshot_support.h"

namespace {

TEST(LongCandidateTipTest, TheTextStandsOnWhiteInABlackFrame) {
    // 中华人民共和国成立了 (20 bytes)
    const char text[] =
        "\xD6\xD0\xBB\xAA\xC8\xCB\xC3\xF1\xB9\xB2\xBA\xCD\xB9\xFA\xB3\xC9\xC1"
        "\xA2\xC1\xCB";
    const int width = 8 * 20 + 4 * 2;
    const int height = 12 + 4 * 2;
    HFONT font = CreateInterfaceFont();
    MemoryCanvas canvas(width, height);
    DrawLongCandidateTip(canvas.dc(), width, height, text, font);
    canvas.SaveScreenshot("long-candidate-tip");
    DeleteObject(font);
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 255, 255)) << "outside the frame";
    for (const POINT p : {POINT{1, 1}, POINT{width - 1, 5}, POINT{5, height - 1}, POINT{1, 9}}) {
        EXPECT_EQ(canvas.Pixel(p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
    }
    EXPECT_GT(canvas.CountDark(RECT{2, 2, width - 2, height - 2}), 40) << "the text is drawn";
    EXPECT_EQ(canvas.CountOtherThan(RECT{0, 0, width, height}, RGB(255, 0, 255)), width * height);
}

}  // namespace
