#include "platform/window/DesktopConverter.h"

#include <algorithm>

namespace plat {

void DesktopConverter::Convert(const Bitmap& desktop, const std::array<Rgb, 256>& palette, const Cursor* cursor,
                               Point pointer, std::vector<uint32_t>& out) {
    for (size_t i = 0; i < 256; ++i)
        lut_[i] = (uint32_t(palette[i].r) << 16) | (uint32_t(palette[i].g) << 8) | uint32_t(palette[i].b);
    const size_t n = static_cast<size_t>(desktop.Width()) * static_cast<size_t>(desktop.Height());
    out.resize(n);
    const uint8_t* src = desktop.Pixels();
    uint32_t* dst = out.data();
    for (size_t i = 0; i < n; ++i) dst[i] = lut_[src[i]];
    if (cursor != nullptr) DrawCursor(out, desktop.Width(), desktop.Height(), *cursor, pointer);
}

void DesktopConverter::DrawCursor(std::vector<uint32_t>& frame, int width, int height, const Cursor& cursor,
                                  Point pointer) {
    if (cursor.rgba.size() < static_cast<size_t>(cursor.width) * static_cast<size_t>(std::max(cursor.height, 0)))
        return;  // a malformed cursor draws nothing rather than reading past its pixels
    const int x0 = pointer.x - cursor.hotspot.x;
    const int y0 = pointer.y - cursor.hotspot.y;
    for (int cy = std::max(0, -y0); cy < cursor.height && y0 + cy < height; ++cy) {
        uint32_t* row = frame.data() + static_cast<size_t>(y0 + cy) * static_cast<size_t>(width);
        const uint32_t* src = cursor.rgba.data() + static_cast<size_t>(cy) * static_cast<size_t>(cursor.width);
        for (int cx = std::max(0, -x0); cx < cursor.width && x0 + cx < width; ++cx) {
            const uint32_t s = src[cx];
            const uint32_t a = s >> 24;
            if (a == 0) continue;
            uint32_t& d = row[x0 + cx];
            if (a == 255) {
                d = s & 0xFFFFFFu;
                continue;
            }
            uint32_t blended = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
                blended |= ((sc * a + dc * (255 - a) + 127) / 255) << shift;
            }
            d = blended;
        }
    }
}

}  // namespace plat
