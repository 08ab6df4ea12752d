#include "platform/window/Painter.h"

#include <cstring>

#include "platform/gdi/Display.h"
#include "platform/text/Font.h"

namespace plat {

UiColours UiColours::Nearest(const Display& display) {
    UiColours c;
    c.black = display.NearestIndex({0, 0, 0});
    c.white = display.NearestIndex({255, 255, 255});
    c.grey = display.NearestIndex({160, 160, 160});
    c.dark = display.NearestIndex({80, 80, 80});
    c.caption = display.NearestIndex({0, 0, 128});
    c.highlight = display.NearestIndex({0, 0, 160});
    return c;
}

Painter::Painter(Bitmap& target, const Rect& clip)
    : target_(target), clip_(clip.Intersect({0, 0, target.Width(), target.Height()})) {}

void Painter::Fill(const Rect& r, uint8_t index) {
    const Rect c = r.Intersect(clip_);
    if (c.IsEmpty()) return;
    for (int y = c.top; y < c.bottom; ++y) std::memset(target_.Row(y) + c.left, index, static_cast<size_t>(c.Width()));
}

void Painter::Frame(const Rect& r, uint8_t index, int thickness) {
    Fill({r.left, r.top, r.right, r.top + thickness}, index);
    Fill({r.left, r.bottom - thickness, r.right, r.bottom}, index);
    Fill({r.left, r.top, r.left + thickness, r.bottom}, index);
    Fill({r.right - thickness, r.top, r.right, r.bottom}, index);
}

int Painter::Text(const Font& font, int x, int top, std::string_view utf8, uint8_t index) {
    if (utf8.empty() || !font.Valid()) return 0;
    const GlyphCoverage g = font.Render(utf8);
    const int originY = top + font.Ascent() - g.baseline;
    for (int gy = 0; gy < g.height; ++gy) {
        const int y = originY + gy;
        if (y < clip_.top || y >= clip_.bottom) continue;
        uint8_t* row = target_.Row(y);
        const uint8_t* cov = g.alpha.data() + static_cast<size_t>(gy) * static_cast<size_t>(g.width);
        for (int gx = 0; gx < g.width; ++gx) {
            const int px = x + gx;
            if (px >= clip_.left && px < clip_.right && cov[gx] > 127) row[px] = index;
        }
    }
    return g.width;
}

void Painter::TextCentred(const Font& font, const Rect& box, std::string_view utf8, uint8_t index) {
    const int w = font.MeasureWidth(utf8);
    Text(font, box.left + (box.Width() - w) / 2, box.top + (box.Height() - font.LineHeight()) / 2, utf8, index);
}

}  // namespace plat
