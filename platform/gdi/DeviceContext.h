#pragma once
// A drawing context: a target bitmap (a memory bitmap, or a window's surface),
// an origin and clip for window contexts, the selected palette, and the
// background colour used by colour/monochrome conversions.
//
// Conversions made by BitBlt between depths (as the host's block transfer did):
//  - 8-bit source to 1-bit destination: a pixel whose colour (through the
//    hardware palette) equals the source context's background colour becomes
//    1 (white), every other pixel 0 (black). The background colour is taken
//    as the display shows it (its nearest hardware colour), so a key colour
//    that a picture was drawn with through the palette still matches.
//  - 1-bit source to 8-bit destination: 0 becomes 0x00 and 1 becomes 0xFF, so
//    an AND with a converted mask keeps (1) or clears (0) all bits of a pixel.
// Coordinates are logical: the origin is added to reach the target bitmap.
// Every operation is clipped to the bitmaps and the clip list; nothing is
// touched outside them. Window thread only. Contexts never own their target
// bitmap, selected palette or source context.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/Palette.h"

namespace plat {

class Display;

enum class Rop {
    Copy,  // dst = src
    Xor,   // dst = dst ^ src
    And,   // dst = dst & src
};

// Read-only view of an 8-bit device-independent bitmap as stored in memory:
// rows bottom-up, each `stride` bytes, and a colour table of 256 entries.
struct DibView {
    int width = 0;
    int height = 0;
    int stride = 0;
    const uint8_t* bits = nullptr;   // bottom row first
    const Rgb* colours = nullptr;    // 256 entries
};

class DeviceContext {
public:
    // A memory context with no bitmap selected (draws nothing until one is).
    explicit DeviceContext(Display& display);
    // A context drawing on `target` at `origin` (added to every coordinate),
    // clipped to `clip` (rectangles in target coordinates; empty = no clip).
    DeviceContext(Display& display, Bitmap* target, Point origin, std::vector<Rect> clip);

    Display& GetDisplay() const { return *display_; }

    // Memory contexts: select a bitmap to draw on; returns the previous one.
    Bitmap* SelectBitmap(Bitmap* bitmap);
    Bitmap* SelectedBitmap() const { return target_; }

    const Palette* SelectPalette(const Palette* palette);
    const Palette* SelectedPalette() const { return palette_; }
    // Loads the selected palette into the display's hardware palette.
    void RealizePalette();

    void SetBkColor(Rgb c) { bk_ = c; }
    Rgb BkColor() const { return bk_; }

    // Block transfer of w x h pixels from (sx, sy) of `src` to (x, y) here.
    // Parts outside either bitmap or outside the clip are skipped.
    void BitBlt(int x, int y, int w, int h, const DeviceContext& src, int sx, int sy, Rop rop);

    // The colour of a pixel; nullopt outside the bitmap (the host's invalid
    // colour, which is not black). Monochrome pixels read black or white.
    std::optional<Rgb> GetPixel(int x, int y) const;

    // Draws a DIB unscaled at (x, y). Each pixel's colour is mapped to the
    // nearest entry of the selected palette (the hardware palette when none is
    // selected); on a monochrome target to the nearer of black and white.
    void DrawDib(int x, int y, const DibView& dib);

    // The inverting pen: inverts (index ^ 0xFF) the one-pixel outline of `r`.
    // Drawing the same rectangle twice restores the picture.
    void InvertFrame(const Rect& r);

    // Fills a rectangle with one palette index (the program's own widgets);
    // on a monochrome target index 0 is black and any other index white.
    void FillRect(const Rect& r, uint8_t index);

private:
    Display* display_;
    Bitmap* target_ = nullptr;
    Point origin_{};
    std::vector<Rect> clip_;
    const Palette* palette_ = nullptr;
    Rgb bk_ = kWhite;
};

}  // namespace plat
