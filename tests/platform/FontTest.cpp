#include <gtest/gtest.h>

#include <algorithm>

#include "platform/text/Font.h"

namespace plat {
namespace {

TEST(Font, RendersReadableTextWithinTheMeasuredBox) {
    Font font(Font::Face::Sans, 14);
    ASSERT_TRUE(font.Valid()) << "DejaVu fonts missing under " << Font::FontDirectory();
    const GlyphCoverage wide = font.Render("Record/Play Palette");
    const GlyphCoverage narrow = font.Render("il");
    EXPECT_EQ(wide.width, font.MeasureWidth("Record/Play Palette"));
    EXPECT_GT(wide.width, 4 * narrow.width);
    EXPECT_GT(std::count_if(wide.alpha.begin(), wide.alpha.end(), [](uint8_t a) { return a > 128; }), 100);
}

TEST(Font, MalformedUtf8NeitherCrashesNorReadsPastTheEnd) {
    Font font(Font::Face::Sans, 12);
    ASSERT_TRUE(font.Valid());
    for (std::string_view s : {std::string_view("\xC3"), std::string_view("\xF0\x9F\x98"), std::string_view("a\xFF" "b")}) {
        const GlyphCoverage c = font.Render(s);
        EXPECT_EQ(c.alpha.size(), static_cast<size_t>(c.width) * static_cast<size_t>(c.height));
    }
}

}  // namespace
}  // namespace plat
