// The composition window painted into a memory bitmap: the code on its picture, and the plain
// look without the picture.
#include <gtest/gtest.h>

#include "ime/process_state.h"
#include "ui/composition/comp_paint_win.h"
#include "ui/common/skin_pictures_win.h"
#include "win/shell/screenshot_support.h"

namespace {

TEST(CompositionPaintTest, TheCodeStandsOnThePictureOrOnThePlainLook) {
    ResetProcessState();
    InstallSkinPictures();
    HFONT font = CreateInterfaceFont();
    for (const bool withPicture : {true, false}) {
        if (!withPicture) {
            RemoveSkinPicture("skip0s.bmp");
        }
        HBITMAP background = LoadSkinPicture("skip0s.bmp");
        EXPECT_EQ(background != nullptr, withPicture);
        MemoryCanvas empty(58, 26);
        DrawCompositionSurface(empty.dc(), background, nullptr, font);
        MemoryCanvas coded(58, 26);
        DrawCompositionSurface(coded.dc(), background, "khlg", font);
        coded.SaveScreenshot(withPicture ? "composition" : "composition-plain");
        EXPECT_EQ(empty.CountOtherThan(RECT{0, 0, 58, 26}, RGB(255, 0, 255)), 58 * 26);
        EXPECT_GT(coded.CountDark(RECT{5, 4, 45, 22}), empty.CountDark(RECT{5, 4, 45, 22}) + 20)
            << "the code is drawn at (5,4)";
        EXPECT_EQ(coded.CountDark(RECT{0, 0, 5, 4}), empty.CountDark(RECT{0, 0, 5, 4}));
        if (background != nullptr) {
            DeleteObject(background);
        }
    }
    DeleteObject(font);
}

}  // namespace
