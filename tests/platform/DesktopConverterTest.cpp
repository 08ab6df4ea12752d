#include <gtest/gtest.h>

#include "platform/window/DesktopConverter.h"

namespace plat {
namespace {

TEST(DesktopConverter, MapsIndicesThroughThePaletteAndBlendsTheCursorClippedAtTheEdges) {
    Bitmap desk(4, 3, 8);
    desk.Fill(1);
    desk.Set(3, 2, 2);
    std::array<Rgb, 256> pal{};
    pal[1] = {0x10, 0x20, 0x30};
    pal[2] = {0xFF, 0x00, 0x80};
    Cursor c;
    c.width = 2;
    c.height = 2;
    c.hotspot = {1, 1};
    c.rgba = {0xFFFFFFFF, 0x00123456, 0x80000000, 0xFF00FF00};
    DesktopConverter conv;
    std::vector<uint32_t> out;
    conv.Convert(desk, pal, nullptr, {}, out);
    ASSERT_EQ(out.size(), 12u);
    EXPECT_EQ(out[0], 0x102030u);
    EXPECT_EQ(out[11], 0xFF0080u);
    // Hot point at (0, 0): only the cursor's bottom-right pixel lands on the desktop.
    conv.Convert(desk, pal, &c, {0, 0}, out);
    EXPECT_EQ(out[0], 0x00FF00u);
    EXPECT_EQ(out[1], 0x102030u);
    // Hot point at (1, 1): opaque, transparent, half-black, opaque.
    conv.Convert(desk, pal, &c, {1, 1}, out);
    EXPECT_EQ(out[0], 0xFFFFFFu);
    EXPECT_EQ(out[1], 0x102030u);                 // alpha 0 keeps the desktop
    EXPECT_EQ(out[4], (0x08u << 16) | (0x10u << 8) | 0x18u);  // half of each component
    EXPECT_EQ(out[5], 0x00FF00u);
    // A malformed cursor (too few pixels) draws nothing.
    c.rgba.resize(1);
    conv.Convert(desk, pal, &c, {1, 1}, out);
    EXPECT_EQ(out[0], 0x102030u);
}

}  // namespace
}  // namespace plat
