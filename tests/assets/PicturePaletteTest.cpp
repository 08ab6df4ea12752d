// Palettes and transparency: each world's pictures share one palette holding
// the key colour, black, white and greys; button pictures have transparent
// (key-coloured) parts, backgrounds never; the generator repeats itself.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/assets/DiscPictures.h"
#include "tools/assetgen/Layout.h"

namespace {

std::array<plat::Rgb, 256> Table(const CDIB& dib) {
    std::array<plat::Rgb, 256> t{};
    const RgbQuad* q = dib.GetColorTable();
    for (size_t i = 0; i < 256; ++i) t[i] = {q[i].red, q[i].green, q[i].blue};
    return t;
}

bool Holds(const std::array<plat::Rgb, 256>& t, plat::Rgb c) {
    for (const plat::Rgb& e : t)
        if (e == c) return true;
    return false;
}

TEST(PicturePalettes, EachWorldSharesOnePaletteWithTheWidgetColours) {
    for (const ag::PaletteGroup& g : ag::PaletteGroups()) {
        std::vector<std::string> files;
        for (const std::string& f : g.folders)
            for (const std::string& p : disc::PicturesUnder(f)) files.push_back(p);
        ASSERT_FALSE(files.empty()) << g.name;
        const auto first = disc::LoadPicture(files.front());
        ASSERT_TRUE(first) << files.front();
        const auto table = Table(*first);
        EXPECT_TRUE(Holds(table, plat::kKeyColour)) << g.name;
        EXPECT_TRUE(Holds(table, plat::kBlack)) << g.name;
        EXPECT_TRUE(Holds(table, plat::kWhite)) << g.name;
        int greys = 0;
        for (const plat::Rgb& e : table) greys += e.r == e.g && e.g == e.b && e.r > 0 && e.r < 255;
        EXPECT_GE(greys, 4) << g.name;
        for (const std::string& f : files) {
            const auto dib = disc::LoadPicture(f);
            ASSERT_TRUE(dib) << f;
            EXPECT_EQ(Table(*dib), table) << f << " does not use the palette of " << g.name;
        }
    }
}

bool IsBackground(const std::string& path) {
    static const std::vector<std::string> kNames = {
        "heronix.bmp", "cebkgrnd.bmp", "cecover.bmp", "cehpgrnd.bmp", "about_st.bmp", "trbkgrnd.bmp", "stbkgrnd.bmp", "kbbkgrnd.bmp",
        "gabkgrnd.bmp", "dagrid_1.bmp", "dagrid_2.bmp", "dagrid_3.bmp", "dapanel.bmp", "cepaback.bmp", "stpaback.bmp", "dabkgdbw.bmp",
        "kbpaback.bmp", "gabkgdbw.bmp", "cebkgd2.bmp", "stbkgd2.bmp", "dabkgd2.bmp", "kbbkgd2.bmp", "trbkgd2.bmp", "gabkgd2.bmp", "rechp.bmp"};
    std::string l = path;
    for (char& c : l) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& n : kNames)
        if (l.size() >= n.size() && l.compare(l.size() - n.size(), n.size(), n) == 0) return true;
    return false;
}

TEST(PicturePalettes, ButtonsHaveTransparentPartsAndBackgroundsNone) {
    int buttons = 0, backgrounds = 0;
    for (const std::string& path : disc::PicturesUnder("plinkpad/assets/")) {
        if (disc::IsMaskName(path)) continue;
        const auto dib = disc::LoadPicture(path);
        ASSERT_TRUE(dib) << path;
        int key = 0;
        for (int y = 0; y < dib->GetHeight(); ++y)
            for (int x = 0; x < dib->GetWidth(); ++x) key += dib->GetPixelColor(x, y) == plat::kKeyColour;
        if (IsBackground(path)) {
            ++backgrounds;
            EXPECT_EQ(key, 0) << path;
        } else {
            ++buttons;
            EXPECT_GT(key, 0) << path;
            EXPECT_LT(key, dib->GetWidth() * dib->GetHeight()) << path << " is all key colour";
        }
    }
    EXPECT_GT(buttons, 400);
    EXPECT_GE(backgrounds, 28);
}

std::vector<uint8_t> Bytes(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(PictureGenerator, WritesTheSameBytesAgain) {
    const std::filesystem::path again = std::filesystem::temp_directory_path() / "plinkpad-assetgen-again";
    std::filesystem::remove_all(again);
    const std::string cmd = std::string(PLINKPAD_BUILD_DIR) + "/assetgen " + again.string() + " > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    int compared = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(again)) {
        if (!e.is_regular_file()) continue;
        const std::string rel = std::filesystem::relative(e.path(), again).generic_string();
        const auto onDisc = disc::Find(rel);
        ASSERT_TRUE(onDisc) << rel;
        EXPECT_EQ(Bytes(e.path()), Bytes(*onDisc)) << rel;
        ++compared;
    }
    EXPECT_GT(compared, 600);
    std::filesystem::remove_all(again);
}

}  // namespace
