#include <gtest/gtest.h>

#include "graphics/DualMaskButton.h"
#include "graphics/HighlightButton.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/SimpleButton.h"
#include "graphics/ThreeImageButton.h"
#include "platform/headless/HeadlessHost.h"
#include "platform/window/Window.h"
#include "tests/graphics/ButtonTestSupport.h"

namespace testing_graphics {
namespace {

// A stage view whose paint shows a plain blue background, as a scene's Paint
// shows the background where no button is lit.
class StageView : public plat::Window {
public:
    explicit StageView(plat::WindowSystem& system) : plat::Window(system) {}
    void OnPaint(plat::DeviceContext& dc) override {
        ++paints;
        dc.FillRect(ClientRect(), kBlueIx);
    }
    uint8_t At(int x, int y) const { return Surface().At(x, y); }
    int paints = 0;
};

// A headless window system with a 40 x 30 stage view, the test palette as the
// application palette and the stage origin at (10, 5).
struct ViewWorld {
    ViewWorld() : view(headless.windows) {
        SetAppPalette(std::make_unique<plat::Palette>(TestColours()));
        TheStageOrigin() = {10, 5};
        plat::WindowParams params;
        params.rect = {0, 0, 40, 30};
        EXPECT_TRUE(view.Create(params));
        view.UpdateNow();
        view.paints = 0;
    }
    ~ViewWorld() {
        view.Destroy();
        SetAppPalette(nullptr);
        TheStageOrigin() = {};
    }
    plat::HeadlessHost headless;
    StageView view;
};

TEST(ButtonPress, PressDrawsOnTheViewAndReleaseRepaintsUnlessHeld) {
    for (bool held : {false, true}) {
        ViewWorld world;
        const plat::Point at{2, 3};
        CSimpleButton button(&at, 10);
        button.SetImage(MakeDib(2, 1, {kRedIx, kKeyIx}), 1);
        button.m_bHeld = held;
        button.Press(world.view);
        EXPECT_EQ(button.m_bLit, 1);
        EXPECT_EQ(world.view.At(12, 8), kRedIx);   // stage (2, 3) + origin
        EXPECT_EQ(world.view.At(13, 8), kBlueIx);  // key colour: background kept
        button.Release(world.view);
        EXPECT_EQ(button.m_bLit, held ? 1 : 0) << held;
        EXPECT_EQ(world.view.paints, held ? 0 : 1) << held;
        EXPECT_EQ(world.view.At(12, 8), held ? kRedIx : kBlueIx) << held;
    }
}

TEST(ButtonPress, ReleasingAnUnlitButtonPaintsNothing) {
    ViewWorld world;
    CSimpleButton button(nullptr, 10);
    button.SetImage(SolidDib(2, 2, kRedIx), 1);
    button.Release(world.view);
    EXPECT_EQ(world.view.paints, 0);
}

TEST(ButtonPress, DualMaskSwitchesMasksWhileLitAndIgnoresTheHold) {
    ViewWorld world;
    CDualMaskButton button(nullptr, 20);
    button.SetImage(SolidDib(2, 1, kRedIx), 1);
    button.SetMask(MakeDib(2, 1, {kBlackIx, kWhiteIx}), 1);     // at rest: left pixel
    button.SetAltMask(MakeDib(2, 1, {kWhiteIx, kBlackIx}), 1);  // lit: right pixel
    button.m_bHeld = 1;
    const plat::Point left{10, 5}, right{11, 5};
    EXPECT_EQ(button.HitTest(left.x, left.y), 1);
    EXPECT_EQ(button.HitTest(right.x, right.y), 0);
    button.Press(world.view);
    button.Press(world.view);  // pressed again while lit (a bound key): still the lit mask
    EXPECT_EQ(button.HitTest(left.x, left.y), 0);
    EXPECT_EQ(button.HitTest(right.x, right.y), 1);
    button.Release(world.view);
    EXPECT_EQ(button.m_bLit, 0);
    EXPECT_EQ(world.view.paints, 1);
    EXPECT_EQ(button.HitTest(left.x, left.y), 1);
    EXPECT_EQ(button.HitTest(right.x, right.y), 0);
    button.Release(world.view);  // not lit: masks stay put
    EXPECT_EQ(button.HitTest(left.x, left.y), 1);
}

TEST(ButtonPress, MultiUpstatePressLevelShowsTheLevelsOnTheView) {
    struct Case {
        const char* name;
        int level, exact;
        std::vector<uint8_t> shown;  // view pixels (10..12, 5)
    } cases[] = {
        {"press: level 0", -1, 0, {kRedIx, kBlueIx, kBlueIx}},
        {"up to level 2", 2, 0, {kRedIx, kGreenIx, kYellowIx}},
        {"exactly level 2", 2, 1, {kRedIx, kBlueIx, kYellowIx}},
    };
    for (const Case& c : cases) {
        ViewWorld world;
        CMultiUpstateButton button(nullptr, 30);
        button.AddUpstate(SolidDib(1, 1, kRedIx), 0, 0, 0);
        button.AddUpstate(SolidDib(1, 1, kGreenIx), 1, 0, 1);
        button.AddUpstate(SolidDib(1, 1, kYellowIx), 2, 0, 2);
        if (c.level < 0)
            button.Press(world.view);
        else
            button.PressLevel(world.view, c.level, c.exact);
        EXPECT_EQ(button.m_bLit, 1);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(world.view.At(10 + i, 5), c.shown[size_t(i)]) << c.name << " " << i;
        button.Release(world.view);
        EXPECT_EQ(world.view.At(10, 5), kBlueIx) << c.name;
    }
}

TEST(ButtonPress, ThreeImagePressShowsTheModeOrTheChosenPicture) {
    ViewWorld world;
    CThreeImageButton button(nullptr, 80, 1);
    button.SetImage(1, SolidDib(1, 1, kRedIx));
    button.SetImage(2, SolidDib(1, 1, kGreenIx));
    button.m_nMode = 3;
    button.Press(world.view);
    EXPECT_EQ(world.view.At(10, 5), kGreenIx);
    button.Release(world.view);
    EXPECT_EQ(button.m_bLit, 0);
    button.PressWithImage(world.view, 1);
    EXPECT_EQ(button.m_bLit, 1);
    EXPECT_EQ(world.view.At(10, 5), kRedIx);
}

TEST(ButtonPress, ShowHighlightDrawsAtItsOwnPlaceAndMarksTheButtonForRepaint) {
    ViewWorld world;
    const plat::Point at{1, 1};
    CHighlightButton button(&at, 300);
    button.SetImage(SolidDib(2, 2, kRedIx), 1);
    button.SetHighlight(SolidDib(1, 1, kYellowIx), 20, 10);
    button.ShowHighlight(world.view);
    EXPECT_EQ(world.view.At(30, 15), kYellowIx);
    EXPECT_EQ(world.view.paints, 0);
    ASSERT_EQ(world.view.UpdateRegion().size(), 1u);
    EXPECT_EQ(world.view.UpdateRegion()[0], button.m_rect);
}

}  // namespace
}  // namespace testing_graphics
