// The worlds' preview pictures: the background where it lies, and every
// hot-spot's lit picture over it with its key colour left out.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/assets/DiscPictures.h"
#include "tools/assetgen/Layout.h"
#include "tools/assetgen/Preview.h"

namespace {

constexpr plat::Rgb kKey{0, 255, 255};

plat::Rgb At(const ag::PreviewImage& image, int x, int y) {
    const uint32_t p = image.xrgb[size_t(y) * size_t(image.width) + size_t(x)];
    return {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)};
}

// The stage rectangle each hot-spot's picture covers.
std::vector<ag::IRect> PictureRects(const ag::SceneLayout& scene) {
    std::vector<ag::IRect> out;
    for (const ag::HotspotLayout& h : scene.hotspots) {
        const auto dib = disc::LoadPicture(h.picture);
        out.push_back(dib ? ag::IRect{h.x, h.y, h.x + dib->GetWidth(), h.y + dib->GetHeight()} : ag::IRect{});
    }
    return out;
}

TEST(WorldPreview, ShowsTheBackgroundAtRestAndEveryLitPictureWithoutItsKey) {
    for (const ag::SceneLayout& scene : ag::AllLayouts()) {
        if (scene.name != "troid" && scene.name != "star" && scene.name != "kbot" && scene.name != "gama" &&
            scene.name != "day")
            continue;
        SCOPED_TRACE(scene.name);
        const ag::PreviewImage rest = ag::ComposePreview(disc::Root(), scene, false);
        const ag::PreviewImage lit = ag::ComposePreview(disc::Root(), scene, true);
        ASSERT_EQ(rest.width, lit.width);
        ASSERT_EQ(rest.height, lit.height);
        ASSERT_GE(rest.width, scene.stageWidth);
        ASSERT_GE(rest.height, scene.stageHeight);

        const auto back = disc::LoadPicture(scene.background);
        ASSERT_TRUE(back);
        int wrong = 0;
        for (int y = 0; y < back->GetHeight(); ++y)
            for (int x = 0; x < back->GetWidth(); ++x)
                wrong += !(At(rest, scene.backgroundX + x, scene.backgroundY + y) == back->GetPixelColor(x, y));
        EXPECT_EQ(wrong, 0) << "background pixels out of place at rest";

        const std::vector<ag::IRect> rects = PictureRects(scene);
        for (size_t i = 0; i < scene.hotspots.size(); ++i) {
            const ag::HotspotLayout& h = scene.hotspots[i];
            const auto pic = disc::LoadPicture(h.picture);
            ASSERT_TRUE(pic) << h.picture;
            int shown = 0, missing = 0, keyed = 0;
            for (int y = 0; y < pic->GetHeight(); ++y)
                for (int x = 0; x < pic->GetWidth(); ++x) {
                    const plat::Rgb c = pic->GetPixelColor(x, y);
                    const int sx = h.x + x, sy = h.y + y;
                    if (sx >= lit.width || sy >= lit.height) continue;
                    if (c == kKey) {
                        keyed += At(lit, sx, sy) == kKey;
                        continue;
                    }
                    bool covered = false;
                    for (size_t k = i + 1; k < rects.size(); ++k) covered = covered || rects[k].Contains(sx, sy);
                    if (covered) continue;
                    (At(lit, sx, sy) == c ? shown : missing) += 1;
                }
            EXPECT_GT(shown, 0) << h.picture;
            EXPECT_EQ(missing, 0) << h.picture;
            EXPECT_EQ(keyed, 0) << h.picture << ": key colour drawn";
        }
    }
}

TEST(WorldPreview, AMissingPictureIsAnErrorNotABlankPreview) {
    ag::SceneLayout scene{"nowhere", 100, 100, {}, "plinkpad/assets/troid/Image/no-such.bmp"};
    EXPECT_THROW(ag::ComposePreview(disc::Root(), scene, false), std::runtime_error);
    for (const ag::SceneLayout& s : ag::AllLayouts())
        if (s.name == "star") {
            ag::SceneLayout broken = s;
            broken.hotspots.front().picture = "plinkpad/assets/star/St_bmp/no-such.bmp";
            EXPECT_NO_THROW(ag::ComposePreview(disc::Root(), broken, false));
            EXPECT_THROW(ag::ComposePreview(disc::Root(), broken, true), std::runtime_error);
        }
}

}  // namespace
