#pragma once
// Drawing of the program's own widgets (frames, captions, message boxes, the
// file chooser, edit boxes) straight into an 8-bit surface, clipped to a
// rectangle. Colours are hardware palette indices; UiColours picks the
// entries nearest to the few colours the widgets use, so they read well
// whatever palette a world has realised. Window thread only.

#include <cstdint>
#include <string_view>

#include "platform/Geometry.h"
#include "platform/gdi/Bitmap.h"

namespace plat {

class Display;
class Font;

struct UiColours {
    uint8_t black = 0;
    uint8_t white = 255;
    uint8_t grey = 128;     // frames
    uint8_t dark = 64;      // frame shadows, disabled text
    uint8_t caption = 0;    // caption bar
    uint8_t highlight = 0;  // selected list entry
    // The hardware entries nearest to each colour.
    static UiColours Nearest(const Display& display);
};

class Painter {
public:
    // Draws on `target`, never outside `clip` (target coordinates).
    Painter(Bitmap& target, const Rect& clip);

    void Fill(const Rect& r, uint8_t index);
    // A rectangle's outline `thickness` pixels wide, inside `r`.
    void Frame(const Rect& r, uint8_t index, int thickness = 1);
    // Text with its line box's top-left corner at (x, top); coverage above
    // one half becomes `index` (8-bit surfaces have no blending). Returns the
    // text's width.
    int Text(const Font& font, int x, int top, std::string_view utf8, uint8_t index);
    // Text centred horizontally and vertically in `box`.
    void TextCentred(const Font& font, const Rect& box, std::string_view utf8, uint8_t index);

private:
    Bitmap& target_;
    Rect clip_;
};

}  // namespace plat
