// Masks: pure black and white, never empty, inside their scene's stage, and no
// hot-spot is hidden completely by those the program asks before it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "tests/assets/DiscPictures.h"
#include "tools/assetgen/Layout.h"

namespace {

bool IsBlack(const plat::Rgb& c) { return c == plat::kBlack; }

TEST(PictureMasks, AreBlackAndWhiteWithSomeBlack) {
    {
        for (const std::string& path : disc::PicturesUnder("plinkpad/assets/")) {
            if (!disc::IsMaskName(path)) continue;
            const auto dib = disc::LoadPicture(path);
            ASSERT_TRUE(dib) << path;
            int black = 0;
            for (int y = 0; y < dib->GetHeight(); ++y)
                for (int x = 0; x < dib->GetWidth(); ++x) {
                    const plat::Rgb c = dib->GetPixelColor(x, y);
                    ASSERT_TRUE(IsBlack(c) || c == plat::kWhite) << path << " at " << x << "," << y;
                    black += IsBlack(c);
                }
            EXPECT_GT(black, 0) << path;
        }
    }
}

// The stage points where a hot-spot's mask answers.
std::set<std::pair<int, int>> Points(const ag::HotspotLayout& h) {
    std::set<std::pair<int, int>> out;
    const auto dib = disc::LoadPicture(h.mask);
    if (!dib) return out;
    for (int y = 0; y < dib->GetHeight(); ++y)
        for (int x = 0; x < dib->GetWidth(); ++x)
            if (IsBlack(dib->GetPixelColor(x, y))) out.insert({h.x + x, h.y + y});
    return out;
}

TEST(PictureLayout, MasksLieInsideTheStage) {
    for (const ag::SceneLayout& scene : ag::AllLayouts()) {
        for (const ag::HotspotLayout& h : scene.hotspots) {
            const auto pts = Points(h);
            ASSERT_FALSE(pts.empty()) << scene.name << " " << h.id << " " << h.mask;
            for (const auto& [x, y] : pts) {
                ASSERT_TRUE(x >= 0 && y >= 0 && x < scene.stageWidth && y < scene.stageHeight)
                    << scene.name << " hot-spot " << h.id << " reaches " << x << "," << y;
            }
        }
    }
}

TEST(PictureLayout, NoHotspotIsHiddenByEarlierOnes) {
    for (const ag::SceneLayout& scene : ag::AllLayouts()) {
        std::map<int, std::set<std::pair<int, int>>> takenByGroup;
        for (const ag::HotspotLayout& h : scene.hotspots) {
            auto& taken = takenByGroup[h.group];
            int free = 0;
            const auto pts = Points(h);
            for (const auto& p : pts) {
                if (!h.answers.Contains(p.first, p.second)) continue;
                bool shadowed = false;
                for (const ag::IRect& s : h.shadows) shadowed = shadowed || s.Contains(p.first, p.second);
                if (!shadowed && !taken.count(p)) ++free;
            }
            EXPECT_GT(free, 20) << scene.name << ": hot-spot " << h.id << " (" << h.mask << ") can hardly be reached";
            taken.insert(pts.begin(), pts.end());
        }
    }
}

}  // namespace

namespace {

// A lit picture must look clearly different from the background it covers,
// and its opaque part must cover the hot-spot's mask where it answers.
TEST(PictureLayout, LitPicturesStandOutFromTheBackground) {
    for (const ag::SceneLayout& scene : ag::AllLayouts()) {
        if (scene.background.empty()) continue;
        const auto back = disc::LoadPicture(scene.background);
        ASSERT_TRUE(back) << scene.background;
        for (const ag::HotspotLayout& h : scene.hotspots) {
            if (h.picture.empty()) continue;
            const auto pic = disc::LoadPicture(h.picture);
            ASSERT_TRUE(pic) << h.picture;
            long diff = 0, opaque = 0;
            for (int y = 0; y < pic->GetHeight(); ++y)
                for (int x = 0; x < pic->GetWidth(); ++x) {
                    const plat::Rgb c = pic->GetPixelColor(x, y);
                    if (c == plat::kKeyColour) continue;
                    const plat::Rgb b = back->GetPixelColor(h.x + x - scene.backgroundX, h.y + y - scene.backgroundY);
                    diff += std::abs(c.r - b.r) + std::abs(c.g - b.g) + std::abs(c.b - b.b);
                    ++opaque;
                }
            ASSERT_GT(opaque, 0) << h.picture;
            EXPECT_GT(diff / opaque, 40) << scene.name << ": " << h.picture << " hardly differs from the background";
        }
    }
}

}  // namespace
