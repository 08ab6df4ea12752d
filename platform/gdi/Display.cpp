#include "platform/gdi/Display.h"

namespace plat {

Display::Display(int width, int height, int reportedDepth) : width_(width), height_(height), depth_(reportedDepth) {
    // Until a program palette is realised the screen shows a grey ramp with
    // black at 0 and white at 255.
    for (int i = 0; i < 256; ++i) hw_[static_cast<size_t>(i)] = Rgb{uint8_t(i), uint8_t(i), uint8_t(i)};
}

void Display::Realize(const Palette& palette) {
    bool changed = false;
    for (int i = 0; i < palette.Size(); ++i) {
        Rgb& e = hw_[static_cast<size_t>(i)];
        if (!(e == palette.Entry(i))) {
            e = palette.Entry(i);
            changed = true;
        }
    }
    if (changed) ++generation_;
}

uint8_t Display::NearestIndex(Rgb c) const {
    return static_cast<uint8_t>(Palette(std::vector<Rgb>(hw_.begin(), hw_.end())).NearestIndex(c));
}

}  // namespace plat
