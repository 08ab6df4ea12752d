#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Display.h"
#include "platform/gdi/Palette.h"

namespace plat {
namespace {

// A bitmap whose pixel (x, y) holds a value derived from its position, so a
// misplaced copy shows.
Bitmap Pattern(int w, int h, int salt) {
    Bitmap b(w, h, 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Set(x, y, uint8_t(x * 7 + y * 13 + salt));
    return b;
}

struct BlitCase {
    const char* name;
    int x, y, w, h, sx, sy;
};

// Every placement, including ones hanging over any edge of either bitmap,
// must copy exactly the pixels that lie in both and touch nothing else.
TEST(DeviceContextBitBlt, CopiesExactlyThePixelsInsideBothBitmaps) {
    Display display(640, 480);
    const BlitCase cases[] = {
        {"inside", 2, 3, 4, 4, 1, 1},
        {"negative destination", -3, -2, 6, 6, 0, 0},
        {"negative source", 1, 1, 6, 6, -4, -3},
        {"past right and bottom", 7, 6, 10, 10, 0, 0},
        {"source past its end", 0, 0, 10, 10, 5, 5},
        {"larger than both", -20, -20, 100, 100, -20, -20},
        {"entirely outside", 50, 50, 4, 4, 0, 0},
        {"zero size", 0, 0, 0, 5, 0, 0},
        {"negative size", 0, 0, -5, 5, 0, 0},
        {"huge coordinates", 2000000000, 0, 2000000000, 5, 0, 0},
    };
    for (const BlitCase& c : cases) {
        Bitmap srcBits = Pattern(8, 7, 1);
        Bitmap dstBits = Pattern(9, 8, 100);
        const Bitmap before = dstBits;
        DeviceContext src(display), dst(display);
        src.SelectBitmap(&srcBits);
        dst.SelectBitmap(&dstBits);
        dst.BitBlt(c.x, c.y, c.w, c.h, src, c.sx, c.sy, Rop::Copy);
        for (int y = 0; y < dstBits.Height(); ++y)
            for (int x = 0; x < dstBits.Width(); ++x) {
                const long lx = long(x) - c.x, ly = long(y) - c.y;
                const long sx = c.sx + lx, sy = c.sy + ly;
                const bool copied = lx >= 0 && ly >= 0 && lx < c.w && ly < c.h && srcBits.Contains(int(sx), int(sy));
                const uint8_t expected = copied ? srcBits.At(int(sx), int(sy)) : before.At(x, y);
                ASSERT_EQ(dstBits.At(x, y), expected) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(DeviceContextBitBlt, RasterOperationsAndDepthConversions) {
    Display display(640, 480);
    // Hardware entries: 0 black, 1 the key colour, 2 red, 255 white (the ramp).
    display.Realize(Palette({kBlack, kKeyColour, {255, 0, 0}}));
    struct Case {
        const char* name;
        int srcBpp, dstBpp;
        Rop rop;
        uint8_t src, dst, expected;
        Rgb bk;
    } cases[] = {
        {"copy", 8, 8, Rop::Copy, 0x5A, 0x33, 0x5A, kWhite},
        {"xor", 8, 8, Rop::Xor, 0x5A, 0x33, 0x69, kWhite},
        {"and", 8, 8, Rop::And, 0x5A, 0x33, 0x12, kWhite},
        {"colour equal to background becomes white", 8, 1, Rop::Copy, 1, 0, 1, kKeyColour},
        {"other colour becomes black", 8, 1, Rop::Copy, 2, 1, 0, kKeyColour},
        {"white pixel against white background", 8, 1, Rop::Copy, 255, 0, 1, kWhite},
        {"background near the key colour still matches", 8, 1, Rop::Copy, 1, 0, 1, Rgb{0, 250, 250}},
        {"mono white spreads over all bits", 1, 8, Rop::Copy, 1, 0x12, 0xFF, kWhite},
        {"mono black clears", 1, 8, Rop::Copy, 0, 0x12, 0x00, kWhite},
        {"mono white keeps under and", 1, 8, Rop::And, 1, 0x5A, 0x5A, kWhite},
        {"mono black clears under and", 1, 8, Rop::And, 0, 0x5A, 0x00, kWhite},
        {"mono to mono xor", 1, 1, Rop::Xor, 1, 1, 0, kWhite},
    };
    for (const Case& c : cases) {
        Bitmap s(1, 1, c.srcBpp), d(1, 1, c.dstBpp);
        s.Set(0, 0, c.src);
        d.Set(0, 0, c.dst);
        DeviceContext src(display), dst(display);
        src.SelectBitmap(&s);
        dst.SelectBitmap(&d);
        src.SetBkColor(c.bk);
        dst.BitBlt(0, 0, 1, 1, src, 0, 0, c.rop);
        EXPECT_EQ(d.At(0, 0), c.expected) << c.name;
    }
}

// The transparent drawing of every button: a mask made from the key colour,
// then XOR, AND, XOR keeps the destination wherever the image has the key.
TEST(DeviceContextBitBlt, XorAndXorKeepsTheDestinationUnderTheKeyColour) {
    Display display(640, 480);
    Palette pal({kBlack, kKeyColour, {255, 0, 0}, {0, 0, 255}, kWhite});
    display.Realize(pal);
    Bitmap image(4, 2, 8);
    const uint8_t imagePixels[] = {1, 2, 1, 3, 4, 1, 0, 1};
    std::copy(std::begin(imagePixels), std::end(imagePixels), image.Pixels());
    Bitmap work = Pattern(4, 2, 40);
    const Bitmap background = work;

    Bitmap mask(4, 2, 1);
    DeviceContext imageDC(display), maskDC(display), workDC(display);
    imageDC.SelectBitmap(&image);
    maskDC.SelectBitmap(&mask);
    workDC.SelectBitmap(&work);
    imageDC.SetBkColor(kKeyColour);
    maskDC.BitBlt(0, 0, 4, 2, imageDC, 0, 0, Rop::Copy);
    imageDC.SetBkColor(kWhite);
    workDC.BitBlt(0, 0, 4, 2, imageDC, 0, 0, Rop::Xor);
    workDC.BitBlt(0, 0, 4, 2, maskDC, 0, 0, Rop::And);
    workDC.BitBlt(0, 0, 4, 2, imageDC, 0, 0, Rop::Xor);

    for (int i = 0; i < 8; ++i) {
        const int x = i % 4, y = i / 4;
        const uint8_t expected = imagePixels[i] == 1 ? background.At(x, y) : imagePixels[i];
        EXPECT_EQ(work.At(x, y), expected) << x << "," << y;
    }
}

TEST(DeviceContextBitBlt, OverlappingBlitWithinOneBitmapReadsTheOriginal) {
    Display display(640, 480);
    Bitmap b = Pattern(10, 3, 0);
    const Bitmap before = b;
    DeviceContext dc(display);
    dc.SelectBitmap(&b);
    dc.BitBlt(2, 0, 8, 3, dc, 0, 0, Rop::Copy);
    for (int y = 0; y < 3; ++y)
        for (int x = 2; x < 10; ++x) EXPECT_EQ(b.At(x, y), before.At(x - 2, y));
}

TEST(DeviceContextWindow, OriginShiftsAndClipLimitsEveryOperation) {
    Display display(640, 480);
    Bitmap surface(10, 10, 8);
    Bitmap one(10, 10, 8);
    one.Fill(1);
    // Two overlapping clip rectangles: an XOR must still apply once per pixel.
    DeviceContext win(display, &surface, Point{2, 3}, {Rect{0, 0, 6, 6}, Rect{4, 4, 8, 8}});
    DeviceContext src(display);
    src.SelectBitmap(&one);
    win.BitBlt(-2, -3, 10, 10, src, 0, 0, Rop::Xor);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inClip = (x < 6 && y < 6) || (x >= 4 && x < 8 && y >= 4 && y < 8);
            ASSERT_EQ(surface.At(x, y), inClip ? 1 : 0) << x << "," << y;
        }

    surface.Fill(0);
    win.FillRect(Rect{0, 0, 100, 100}, 9);  // logical (0,0) is surface (2,3)
    EXPECT_EQ(surface.At(1, 3), 0);
    EXPECT_EQ(surface.At(2, 3), 9);
    EXPECT_EQ(surface.At(7, 7), 9);
    EXPECT_EQ(surface.At(8, 8), 0);  // outside both clip rectangles
    EXPECT_EQ(win.GetPixel(0, 0), display.ColourOf(9));
    EXPECT_EQ(win.GetPixel(7, 0), std::nullopt);  // surface (9,3): outside the clip
}

TEST(DeviceContextGetPixel, OutsideTheBitmapIsInvalidAndMonochromeReadsBlackOrWhite) {
    Display display(640, 480);
    Bitmap mask(3, 2, 1);
    mask.Set(1, 0, 1);
    DeviceContext dc(display);
    EXPECT_EQ(dc.GetPixel(0, 0), std::nullopt);  // nothing selected
    dc.SelectBitmap(&mask);
    EXPECT_EQ(dc.GetPixel(0, 0), kBlack);
    EXPECT_EQ(dc.GetPixel(1, 0), kWhite);
    for (Point p : {Point{-1, 0}, Point{0, -1}, Point{3, 0}, Point{0, 2}}) EXPECT_EQ(dc.GetPixel(p.x, p.y), std::nullopt);
}

TEST(DeviceContextDrawDib, MapsColoursAndReadsRowsBottomUpWithStride) {
    Display display(640, 480);
    std::vector<Rgb> colours(256, kBlack);
    colours[1] = {250, 10, 10};   // nearest to red
    colours[2] = {10, 10, 240};   // nearest to blue
    colours[3] = {200, 200, 200}; // light: white on a monochrome target
    // 3 x 2 pixels, stride 4; the bottom row comes first.
    const uint8_t bits[] = {1, 2, 3, 0xEE, 3, 0, 1, 0xEE};
    DibView dib{3, 2, 4, bits, colours.data()};
    const Palette pal({kBlack, {255, 0, 0}, {0, 0, 255}, kWhite});

    Bitmap eight(3, 2, 8);
    DeviceContext dc(display);
    dc.SelectBitmap(&eight);
    dc.SelectPalette(&pal);
    dc.DrawDib(0, 0, dib);
    const uint8_t expected8[] = {3, 0, 1, 1, 2, 3};  // top row first
    for (int i = 0; i < 6; ++i) EXPECT_EQ(eight.Pixels()[i], expected8[i]) << i;

    // Without a selected palette the hardware palette (a grey ramp here) is used.
    dc.SelectPalette(nullptr);
    dc.DrawDib(0, 0, dib);
    EXPECT_EQ(eight.At(0, 0), display.NearestIndex(colours[3]));

    Bitmap mono(3, 2, 1);
    DeviceContext mdc(display);
    mdc.SelectBitmap(&mono);
    mdc.DrawDib(0, 0, dib);
    const uint8_t expected1[] = {1, 0, 0, 0, 0, 1};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(mono.Pixels()[i], expected1[i]) << i;

    // Hanging over the top-left corner: only the bottom-right pixels land.
    mono.Fill(0);
    mdc.DrawDib(-2, -1, dib);
    EXPECT_EQ(mono.At(0, 0), 1);  // dib (2, 1): colour 3
    mono.Fill(0);
    mdc.DrawDib(2, 1, dib);
    EXPECT_EQ(mono.At(2, 1), 1);  // dib (0, 0): colour 3
    EXPECT_EQ(mono.At(0, 0), 0);
}

TEST(DeviceContextInvertFrame, TwiceRestoresThePictureIncludingThinRectangles) {
    Display display(640, 480);
    const Rect rects[] = {{1, 1, 6, 5}, {2, 2, 3, 6}, {0, 3, 7, 4}, {4, 4, 5, 5}, {-2, -2, 5, 4}};
    for (const Rect& r : rects) {
        Bitmap b = Pattern(7, 6, 5);
        const Bitmap before = b;
        DeviceContext dc(display);
        dc.SelectBitmap(&b);
        dc.InvertFrame(r);
        int changed = 0;
        for (int i = 0; i < 42; ++i) changed += b.Pixels()[i] != before.Pixels()[i];
        EXPECT_GT(changed, 0);
        // Inside pixels are untouched.
        if (r.Width() > 2 && r.Height() > 2 && r.left >= 0) {
            EXPECT_EQ(b.At(r.left + 1, r.top + 1), before.At(r.left + 1, r.top + 1));
        }
        dc.InvertFrame(r);
        EXPECT_EQ(std::vector<uint8_t>(b.Pixels(), b.Pixels() + 42), std::vector<uint8_t>(before.Pixels(), before.Pixels() + 42));
    }
}

}  // namespace
}  // namespace plat
