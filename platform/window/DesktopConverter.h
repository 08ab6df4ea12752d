#pragma once
// Turns the composed 8-bit desktop into the 0x00RRGGBB frame a backend shows:
// every index through the hardware palette, then the program's pointer drawn
// on top (alpha-blended, so cursors keep their colours whatever palette is
// realised). Window thread only.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Color.h"
#include "platform/window/Cursor.h"

namespace plat {

class DesktopConverter {
public:
    // Resizes `out` to the desktop's size and fills it. `cursor` may be null
    // (no pointer); its hot point is placed at `pointer`.
    void Convert(const Bitmap& desktop, const std::array<Rgb, 256>& palette, const Cursor* cursor, Point pointer,
                 std::vector<uint32_t>& out);

    // Blends `cursor` into an XRGB frame with its hot point at `pointer`,
    // clipped to the frame.
    static void DrawCursor(std::vector<uint32_t>& frame, int width, int height, const Cursor& cursor, Point pointer);

private:
    std::array<uint32_t, 256> lut_{};
};

}  // namespace plat
