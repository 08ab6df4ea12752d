// The picture generator's own pieces: folder reuse across generators, palette
// slots, key colour handling and anti-aliased coverage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/DIB.h"
#include "tools/assetgen/Album.h"
#include "tools/assetgen/canvas/Shapes.h"

namespace {

namespace fs = std::filesystem;

fs::path FreshDir(const char* name) {
    const fs::path p = fs::temp_directory_path() / name;
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

CDIB Read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    CDIB dib;
    EXPECT_TRUE(dib.Read(bytes)) << p;
    return dib;
}

TEST(AssetgenDiscPath, ReusesAFolderSpelledOtherwise) {
    const fs::path root = FreshDir("plinkpad-discpath");
    fs::create_directories(root / "PlinkPad" / "Assets" / "troid" / "Audio");
    const fs::path p = ag::MakeDiscPath(root, "plinkpad/assets/TROID/Image/x.bmp");
    EXPECT_EQ(p, root / "PlinkPad" / "Assets" / "troid" / "Image" / "x.bmp");
    EXPECT_TRUE(fs::is_directory(p.parent_path()));
    // Exactly one folder per name, whatever the case asked for.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(root)) ++entries;
    EXPECT_EQ(entries, 1);
    fs::remove_all(root);
}

TEST(AssetgenAlbum, KeyColourOnlyWhereTransparentAndMasksPure) {
    const fs::path root = FreshDir("plinkpad-album");
    ag::Album album("test");
    // A background that happens to hold the key colour must not become transparent.
    ag::Canvas back(4, 2, 0, 0, ag::Col{0, 255, 255});
    album.AddBackground("a/back.bmp", back);
    // A button: a drawn left half, an undrawn right half.
    ag::Canvas button(4, 2, 0, 0, ag::Col{200, 10, 10});
    button.Fill(ag::Rect(0, 0, 2, 2), ag::Col{10, 200, 10});
    album.AddButton("a/button.bmp", button);
    album.AddMask("a/mask.bmp", ag::Rect(0, 0, 2, 2), 0, 0, 4, 2);
    ASSERT_EQ(album.Write(root), 3u);

    const CDIB b = Read(root / "a" / "back.bmp");
    const CDIB u = Read(root / "a" / "button.bmp");
    const CDIB m = Read(root / "a" / "mask.bmp");
    for (int x = 0; x < 4; ++x) {
        EXPECT_NE(*b.GetPixelAddress(x, 0), ag::kKeyIndex);
        EXPECT_EQ(*u.GetPixelAddress(x, 0) == ag::kKeyIndex, x >= 2) << x;
        EXPECT_EQ(m.GetPixelColor(x, 1), x < 2 ? plat::kBlack : plat::kWhite) << x;
    }
    // The three files share one colour table.
    EXPECT_EQ(std::memcmp(b.GetColorTable(), u.GetColorTable(), 1024), 0);
    EXPECT_EQ(std::memcmp(b.GetColorTable(), m.GetColorTable(), 1024), 0);
    fs::remove_all(root);
}

TEST(AssetgenAlbum, PaletteHasFixedSlotsAndKeepsFewColoursExactly) {
    ag::Album album("few");
    ag::Canvas c(3, 1);
    c.Fill(ag::Rect(0, 0, 1, 1), ag::Col{12, 34, 56});
    c.Fill(ag::Rect(1, 0, 1, 1), ag::Col{200, 100, 50});
    c.Fill(ag::Rect(2, 0, 1, 1), ag::Col{0, 255, 255});  // drawn, not transparent
    album.AddBackground("few.bmp", c);
    const std::vector<plat::Rgb> pal = album.BuildPalette();
    ASSERT_EQ(pal.size(), 256u);
    EXPECT_EQ(pal[ag::kBlackIndex], plat::kBlack);
    EXPECT_EQ(pal[ag::kWhiteIndex], plat::kWhite);
    EXPECT_EQ(pal[ag::kKeyIndex], plat::kKeyColour);
    auto holds = [&](plat::Rgb want) { return std::find(pal.begin(), pal.end(), want) != pal.end(); };
    EXPECT_TRUE(holds({12, 34, 56}));
    EXPECT_TRUE(holds({200, 100, 50}));
    EXPECT_EQ(std::count(pal.begin(), pal.end(), plat::kKeyColour), 1) << "only the key slot may hold the key colour";
}

struct CoverageCase {
    float x, y;
    float min, max;
};

TEST(AssetgenCanvas, CircleEdgesAreAntialiased) {
    ag::Canvas c(20, 20);
    c.Fill(ag::Circle(10, 10, 6), ag::Col{255, 255, 255});
    const CoverageCase cases[] = {
        {10, 10, 0.99f, 1.0f},  // centre
        {15, 12, 0.2f, 0.8f},   // on the edge
        {2, 2, 0.0f, 0.0f},     // outside
    };
    for (const CoverageCase& k : cases) {
        const float a = c.AlphaAt(static_cast<int>(k.x), static_cast<int>(k.y));
        EXPECT_GE(a, k.min) << k.x << "," << k.y;
        EXPECT_LE(a, k.max) << k.x << "," << k.y;
    }
}

TEST(AssetgenCanvas, WindowsOfOneSceneAgree) {
    // A picture is a window of the scene: drawing the same shape into a crop
    // gives the same pixels as the whole.
    ag::Canvas whole(40, 30), crop(10, 10, 20, 12);
    for (ag::Canvas* c : {&whole, &crop}) c->Fill(ag::Star(24, 16, 3, 8, 5), ag::Col{255, 128, 0});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_FLOAT_EQ(crop.AlphaAt(x, y), whole.AlphaAt(x + 20, y + 12));
}

}  // namespace
