#pragma once
// The frames and captions the window system draws around top-level windows,
// in the program's own look, and the widget colours of the realised palette.
// Window thread only.

#include <cstdint>

#include "platform/gdi/Bitmap.h"
#include "platform/window/Painter.h"

namespace plat {

class Display;
class Font;
class Window;

class Chrome {
public:
    // `captionFont` draws the titles; both must outlive the chrome.
    Chrome(const Display& display, const Font& captionFont);

    // The widget colours for the hardware palette as it is now.
    const UiColours& Colours();
    // Draws `w`'s frame (nothing for Popup and Child windows) onto the
    // desktop picture at its outer rectangle.
    void DrawFrame(Bitmap& desktop, const Window& w);

private:
    const Display& display_;
    const Font& captionFont_;
    UiColours colours_;
    uint64_t generation_ = ~uint64_t{0};
};

}  // namespace plat
