#include <gtest/gtest.h>

#include <functional>

#include "graphics/DIBButton.h"
#include "graphics/DualMaskButton.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/SimpleButton.h"
#include "graphics/ThreeImageButton.h"
#include "tests/graphics/ButtonTestSupport.h"

namespace testing_graphics {
namespace {

// A 3 x 2 mask, black (inside) at its top-left and bottom-right pixels:
//   B W W
//   W W B
CDIB* Mask() { return MakeDib(3, 2, {kBlackIx, kWhiteIx, kWhiteIx, kWhiteIx, kWhiteIx, kBlackIx}); }

struct Probe {
    plat::Point view;
    int expected;
};

// The button sits at stage (5, 6) with a 3 x 2 image; the stage origin is
// (10, 20), so the button covers view pixels x 15..17, y 26..27.
const Probe kMaskProbes[] = {
    {{15, 26}, 1},  // black
    {{17, 27}, 1},  // black
    {{16, 26}, 0},  // inside the rectangle, white: a miss
    {{15, 27}, 0},
    {{14, 26}, 0},  // left of the mask
    {{18, 27}, 0},  // right of the mask
    {{15, 25}, 0},  // above
    {{17, 28}, 0},  // below
    {{5, 6}, 0},    // the stage position without the origin
};

struct Kind {
    const char* name;
    std::function<std::unique_ptr<CDIBButton>(const plat::Point*, bool withMask)> make;
    bool hitsRectangleWithoutMask;
};

const Kind kKinds[] = {
    {"simple",
     [](const plat::Point* at, bool withMask) {
         auto b = std::make_unique<CSimpleButton>(at, 1);
         b->SetImage(SolidDib(3, 2, kRedIx), 1);
         if (withMask) b->SetMask(Mask(), 1);
         return std::unique_ptr<CDIBButton>(std::move(b));
     },
     true},
    {"dual mask",
     [](const plat::Point* at, bool withMask) {
         auto b = std::make_unique<CDualMaskButton>(at, 1);
         b->SetImage(SolidDib(3, 2, kRedIx), 1);
         if (withMask) b->SetMask(Mask(), 1);
         return std::unique_ptr<CDIBButton>(std::move(b));
     },
     true},
    {"multi up-state",
     [](const plat::Point* at, bool withMask) {
         auto b = std::make_unique<CMultiUpstateButton>(at, 1);
         b->AddUpstate(SolidDib(3, 2, kRedIx), at->x, at->y, 0);
         if (withMask) b->SetMask(Mask());
         return std::unique_ptr<CDIBButton>(std::move(b));
     },
     false},
    {"three image",
     [](const plat::Point* at, bool withMask) {
         auto b = std::make_unique<CThreeImageButton>(at, 1, 1);
         b->SetImage(2, SolidDib(3, 2, kRedIx));
         if (withMask) b->SetMask(Mask());
         return std::unique_ptr<CDIBButton>(std::move(b));
     },
     true},
};

TEST(ButtonHitTest, OnlyBlackMaskPixelsBelongToTheButton) {
    ButtonWorld world({10, 20});
    const plat::Point at{5, 6};
    for (const Kind& kind : kKinds) {
        std::unique_ptr<CDIBButton> button = kind.make(&at, true);
        for (const Probe& p : kMaskProbes)
            EXPECT_EQ(button->HitTest(p.view.x, p.view.y), p.expected) << kind.name << " at " << p.view.x << "," << p.view.y;
    }
}

TEST(ButtonHitTest, WithoutMaskTheRectangleCountsExceptForMultiUpstate) {
    ButtonWorld world({10, 20});
    const plat::Point at{5, 6};
    for (const Kind& kind : kKinds) {
        std::unique_ptr<CDIBButton> button = kind.make(&at, false);
        const int inside = kind.hitsRectangleWithoutMask ? 1 : 0;
        EXPECT_EQ(button->HitTest(16, 26), inside) << kind.name;
        EXPECT_EQ(button->HitTest(17, 27), inside) << kind.name;
        EXPECT_EQ(button->HitTest(18, 27), 0) << kind.name;  // right and bottom are exclusive
        EXPECT_EQ(button->HitTest(15, 28), 0) << kind.name;
    }
    CDIBButton root(&at, 1);
    EXPECT_EQ(root.HitTest(15, 26), 0);
    // A button whose image failed has an empty rectangle and is never hit.
    CSimpleButton failed(&at, 2);
    failed.SetImage(nullptr, 1);
    EXPECT_EQ(failed.HitTest(0, 0), 0);
}

TEST(ButtonHitTest, ButtonsOutsideTheStageIgnoreTheOrigin) {
    ButtonWorld world({10, 20});
    const plat::Point at{5, 6};
    CSimpleButton button(&at, 1);
    button.m_bStageRelative = 0;
    button.SetMask(Mask(), 1);
    EXPECT_EQ(button.HitTest(5, 6), 1);
    EXPECT_EQ(button.HitTest(15, 26), 0);
}

// The alternate mask is made like an image (screen depth); its black pixels
// are inside all the same.
TEST(ButtonHitTest, ScreenDepthAlternateMaskCountsBlackAsInside) {
    ButtonWorld world({0, 0});
    CDualMaskButton button(nullptr, 1);
    button.SetMask(Mask(), 1);
    ASSERT_EQ(button.SetAltMask(MakeDib(3, 1, {kWhiteIx, kBlackIx, kRedIx}), 1), 1);
    EXPECT_EQ(button.m_pAltMask->BitsPerPixel(), 8);
    std::swap(button.m_pMask, button.m_pAltMask);  // as Press does
    EXPECT_EQ(button.HitTest(0, 0), 0);
    EXPECT_EQ(button.HitTest(1, 0), 1);
    EXPECT_EQ(button.HitTest(2, 0), 0);  // dark red is not black
}

}  // namespace
}  // namespace testing_graphics
