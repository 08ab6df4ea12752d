#include <gtest/gtest.h>

#include "graphics/DIBButton.h"
#include "graphics/HighlightButton.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/SimpleButton.h"
#include "graphics/ThreeImageButton.h"
#include "tests/graphics/ButtonTestSupport.h"

namespace testing_graphics {
namespace {

TEST(ImageConversion, BitmapsKeepThePictureAndMasksBecomeBlackOrWhite) {
    ButtonWorld world;
    std::unique_ptr<plat::Bitmap> image = CDIBButton::MakeBitmap(MakeDib(3, 1, {kRedIx, kKeyIx, kYellowIx}), 1);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->BitsPerPixel(), 8);
    EXPECT_EQ(std::vector<uint8_t>(image->Pixels(), image->Pixels() + 3), (std::vector<uint8_t>{kRedIx, kKeyIx, kYellowIx}));
    // Yellow is nearer white, red and blue nearer black.
    std::unique_ptr<plat::Bitmap> mask = CDIBButton::MakeMask(MakeDib(3, 1, {kYellowIx, kRedIx, kBlueIx}), 1);
    ASSERT_TRUE(mask);
    EXPECT_TRUE(mask->IsMonochrome());
    EXPECT_EQ(std::vector<uint8_t>(mask->Pixels(), mask->Pixels() + 3), (std::vector<uint8_t>{1, 0, 0}));
    EXPECT_FALSE(CDIBButton::MakeBitmap(nullptr, 1));
    // Without deleteDib the caller keeps the DIB.
    std::unique_ptr<CDIB> kept(SolidDib(2, 2, kRedIx));
    EXPECT_TRUE(CDIBButton::MakeMask(kept.get(), 0));
    EXPECT_EQ(kept->GetWidth(), 2);
}

// Transparent drawing: key-colour pixels keep what is under them, at the
// button's place with or without the stage origin.
TEST(SimpleButtonDraw, LitImageCoversAllButTheKeyColourAtTheRightPlace) {
    ButtonWorld world({3, 1});
    struct Case {
        const char* name;
        bool lit;
        int addOrigin;
        int stageRelative;
        std::vector<uint8_t> row0, row1, row2;
    } cases[] = {
        {"unlit draws nothing", false, 1, 1, {3, 3, 3, 3, 3, 3, 3}, {3, 3, 3, 3, 3, 3, 3}, {3, 3, 3, 3, 3, 3, 3}},
        {"back buffer: no origin", true, 0, 1, {3, 3, 3, 3, 3, 3, 3}, {3, 2, 3, 6, 3, 3, 3}, {3, 3, 3, 3, 3, 3, 3}},
        {"window: stage origin added", true, 1, 1, {3, 3, 3, 3, 3, 3, 3}, {3, 3, 3, 3, 3, 3, 3}, {3, 3, 3, 3, 2, 3, 6}},
        {"not stage-relative ignores the origin", true, 1, 0, {3, 3, 3, 3, 3, 3, 3}, {3, 2, 3, 6, 3, 3, 3}, {3, 3, 3, 3, 3, 3, 3}},
    };
    for (const Case& c : cases) {
        Surface surface(world.host.display, 7, 3, kBlueIx);
        const plat::Point at{1, 1};
        CSimpleButton button(&at, 5);
        button.m_bStageRelative = c.stageRelative;
        ASSERT_EQ(button.SetImage(MakeDib(3, 1, {kRedIx, kKeyIx, kYellowIx}), 1), 1);
        button.m_bLit = c.lit;
        button.Draw(surface.dc, c.addOrigin);
        EXPECT_EQ(surface.Row(0), c.row0) << c.name;
        EXPECT_EQ(surface.Row(1), c.row1) << c.name;
        EXPECT_EQ(surface.Row(2), c.row2) << c.name;
    }
}

TEST(SimpleButtonDraw, ImageHangingOverTheSurfaceEdgeIsClipped) {
    ButtonWorld world({0, 0});
    for (plat::Point at : {plat::Point{-2, -1}, plat::Point{3, 2}, plat::Point{-50, 70}}) {
        Surface surface(world.host.display, 4, 3, kBlueIx);
        CSimpleButton button(&at, 1);
        ASSERT_EQ(button.SetImage(SolidDib(3, 2, kRedIx), 1), 1);
        button.m_bLit = 1;
        button.Draw(surface.dc, 0);
        int red = 0;
        for (int i = 0; i < 12; ++i) red += surface.bitmap.Pixels()[i] == kRedIx;
        const plat::Rect visible = plat::Rect::FromSize(at.x, at.y, 3, 2).Intersect({0, 0, 4, 3});
        EXPECT_EQ(red, visible.Width() * visible.Height()) << at.x << "," << at.y;
    }
}

TEST(SimpleButton, SetImageSetsTheRectangleAndAFailedConversionLeavesNoImage) {
    ButtonWorld world({10, 20});
    const plat::Point at{5, 6};
    CSimpleButton button(&at, 7);
    ASSERT_EQ(button.SetImage(SolidDib(4, 3, kRedIx), 1), 1);
    EXPECT_EQ(button.m_rect, (plat::Rect{15, 26, 19, 29}));
    EXPECT_EQ(button.SetImage(nullptr, 1), 0);
    EXPECT_FALSE(button.m_pImage);
    button.m_bLit = 1;
    Surface surface(world.host.display, 30, 30, kBlueIx);
    button.Draw(surface.dc, 1);  // no image: nothing drawn
    EXPECT_EQ(surface.bitmap.At(16, 27), kBlueIx);
    // The image bitmap given directly leaves the rectangle alone.
    button.SetImageBitmap(std::make_unique<plat::Bitmap>(9, 9, 8));
    EXPECT_EQ(button.m_rect, (plat::Rect{15, 26, 19, 29}));
}

TEST(MultiUpstateButtonDraw, LevelsShowExactlyOrUpTo) {
    ButtonWorld world({0, 0});
    // Four one-pixel pictures at x = 0..3 with levels 0, 1, 2, 3.
    const uint8_t colours[] = {kRedIx, kGreenIx, kYellowIx, kWhiteIx};
    struct Case {
        const char* name;
        bool lit;
        int level, exact;
        std::vector<uint8_t> row;
    } cases[] = {
        {"unlit shows nothing", false, 3, 0, {3, 3, 3, 3}},
        {"plain draw: level 0 only", true, 0, 0, {2, 3, 3, 3}},
        {"up to level 2", true, 2, 0, {2, 4, 6, 3}},
        {"exactly level 2 (and level 0)", true, 2, 1, {2, 3, 6, 3}},
        {"exactly a missing level", true, 9, 1, {2, 3, 3, 3}},
        {"up to a level above all", true, 9, 0, {2, 4, 6, 5}},
    };
    for (const Case& c : cases) {
        CMultiUpstateButton button(nullptr, 30);
        for (int i = 0; i < 4; ++i) ASSERT_EQ(button.AddUpstate(SolidDib(1, 1, colours[i]), i, 0, i), 1);
        button.m_bLit = c.lit;
        Surface surface(world.host.display, 4, 1, kBlueIx);
        if (c.level == 0 && !c.exact)
            button.Draw(surface.dc, 0);
        else
            button.DrawLevels(surface.dc, c.level, c.exact, 0);
        EXPECT_EQ(surface.Row(0), c.row) << c.name;
    }
}

TEST(MultiUpstateButton, RectangleGrowsToHoldEveryPicture) {
    ButtonWorld world({10, 20});
    CMultiUpstateButton button(nullptr, 30);
    button.AddUpstate(SolidDib(4, 2, kRedIx), 5, 5, 0);
    button.AddUpstate(SolidDib(2, 6, kRedIx), 1, 8, 1);
    EXPECT_EQ(button.m_rect, (plat::Rect{11, 25, 19, 34}));
    EXPECT_EQ(button.AddUpstate(nullptr, 0, 0, 0), 0);
    EXPECT_EQ(button.m_upstates.size(), 2u);
}

TEST(ThreeImageButtonDraw, LitThirdPictureElseTheModePicture) {
    ButtonWorld world({0, 0});
    struct Case {
        const char* name;
        bool lit, withThird;
        int mode;
        uint8_t shown;
    } cases[] = {
        {"mode 1 unlit", false, true, 1, kBlueIx},
        {"mode 2 unlit shows picture 1", false, true, 2, kRedIx},
        {"mode 3 unlit shows picture 2", false, true, 3, kGreenIx},
        {"lit with a third picture", true, true, 1, kYellowIx},
        {"lit with a third picture in mode 3", true, true, 3, kYellowIx},
        {"lit without a third picture, mode 2", true, false, 2, kRedIx},
        {"lit without a third picture, mode 3", true, false, 3, kGreenIx},
        {"lit without a third picture, mode 1", true, false, 1, kBlueIx},
    };
    for (const Case& c : cases) {
        CThreeImageButton button(nullptr, 80, 1);
        button.SetImage(1, SolidDib(1, 1, kRedIx));
        button.SetImage(2, SolidDib(1, 1, kGreenIx));
        if (c.withThird) button.SetImage(3, SolidDib(1, 1, kYellowIx));
        button.m_bLit = c.lit;
        button.m_nMode = c.mode;
        Surface surface(world.host.display, 1, 1, kBlueIx);
        button.Draw(surface.dc, 0);
        EXPECT_EQ(surface.bitmap.At(0, 0), c.shown) << c.name;
    }
}

TEST(ThreeImageButton, ModesCycleAndSwappedPicturesComeBack) {
    ButtonWorld world({0, 0});
    CThreeImageButton button(nullptr, 80, 1);
    const int forward[] = {2, 3, 1, 2};
    for (int expected : forward) {
        button.CycleMode(1);
        EXPECT_EQ(button.m_nMode, expected);
    }
    const int backward[] = {1, 3, 2, 1};
    for (int expected : backward) {
        button.CycleMode(0);
        EXPECT_EQ(button.m_nMode, expected);
    }

    button.SetImage(1, SolidDib(1, 1, kRedIx));
    button.SetImage(2, SolidDib(1, 1, kGreenIx));
    plat::Bitmap* first = button.m_pImage1;
    plat::Bitmap* second = button.m_pImage2;
    button.RestoreImages();  // not swapped: nothing happens
    EXPECT_EQ(button.m_pImage1, first);
    button.SwapImages(1, 2);
    button.m_nMode = 2;  // mode 2 now shows the alternate picture
    Surface surface(world.host.display, 1, 1, kBlueIx);
    button.Draw(surface.dc, 0);
    EXPECT_EQ(surface.bitmap.At(0, 0), kGreenIx);
    button.RestoreImages();
    EXPECT_EQ(button.m_pImage1, first);
    EXPECT_EQ(button.m_pImage2, second);
    EXPECT_EQ(button.m_bSwapped, 0);
    button.SwapImages(1, 7);  // no such slot
    EXPECT_EQ(button.m_bSwapped, 0);
}

TEST(ThreeImageButton, RectangleComesFromPictures2And3AndSharedPicturesAreNotTaken) {
    ButtonWorld world({10, 20});
    const plat::Point at{1, 2};
    CThreeImageButton owning(&at, 80, 1);
    owning.SetImage(1, SolidDib(5, 5, kRedIx));
    EXPECT_TRUE(owning.m_rect.IsEmpty());
    owning.SetImage(3, SolidDib(2, 3, kRedIx));
    EXPECT_EQ(owning.m_rect, (plat::Rect{11, 22, 13, 25}));
    EXPECT_EQ(owning.SetImage(4, SolidDib(1, 1, kRedIx)), 0);

    // A button that shares someone else's pictures never deletes them.
    plat::Bitmap shared(2, 2, 8);
    {
        CThreeImageButton sharing(&at, 81, 0);
        sharing.m_pImage1 = &shared;
        EXPECT_EQ(sharing.SetImage(1, SolidDib(1, 1, kRedIx)), 0);
        EXPECT_EQ(sharing.m_pImage1, &shared);
    }
    EXPECT_EQ(shared.Width(), 2);
}

TEST(HighlightButton, HighlightRectangleAndOwnership) {
    ButtonWorld world({10, 20});
    plat::Bitmap shared(3, 4, 8);
    {
        CHighlightButton button(nullptr, 300);
        ASSERT_EQ(button.SetHighlight(SolidDib(5, 6, kRedIx), 40, 50), 1);
        EXPECT_EQ(button.m_rectHighlight, (plat::Rect{50, 70, 55, 76}));
        EXPECT_EQ(button.m_bOwnsHighlight, 1);
        button.SetHighlightBitmap(&shared, 1, 2);  // the owned one is deleted here
        EXPECT_EQ(button.m_rectHighlight, (plat::Rect{11, 22, 14, 26}));
        EXPECT_EQ(button.m_bOwnsHighlight, 0);
    }
    EXPECT_EQ(shared.Height(), 4);  // still alive: not owned by the button
}

}  // namespace
}  // namespace testing_graphics
