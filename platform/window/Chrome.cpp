#include "platform/window/Chrome.h"

#include "platform/gdi/Display.h"
#include "platform/text/Font.h"
#include "platform/window/Window.h"

namespace plat {

Chrome::Chrome(const Display& display, const Font& captionFont) : display_(display), captionFont_(captionFont) {}

const UiColours& Chrome::Colours() {
    if (generation_ != display_.PaletteGeneration()) {
        colours_ = UiColours::Nearest(display_);
        generation_ = display_.PaletteGeneration();
    }
    return colours_;
}

void Chrome::DrawFrame(Bitmap& desktop, const Window& w) {
    const Rect r = w.OuterRect();
    const FrameInsets in = InsetsFor(w.Style());
    const UiColours& c = Colours();
    Painter p(desktop, r);
    switch (w.Style()) {
        case WindowStyle::ToolCaption: {
            p.Fill(r, c.grey);
            p.Frame(r, c.dark);
            // The caption bar fills the top inset but for a grey margin.
            const Rect bar{r.left + 3, r.top + 3, r.right - 3, r.top + in.top - 3};
            p.Fill(bar, c.caption);
            Painter inBar(desktop, bar.Intersect(r));
            inBar.Text(captionFont_, bar.left + 2, bar.top + (bar.Height() - captionFont_.LineHeight()) / 2, w.Title(),
                       c.white);
            break;
        }
        case WindowStyle::Dialog:
            p.Frame(r, c.white);
            p.Frame({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, c.grey, in.left - 1);
            break;
        case WindowStyle::Popup:
        case WindowStyle::Child:
            break;
    }
}

}  // namespace plat
