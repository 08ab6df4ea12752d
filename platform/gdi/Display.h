#pragma once
// The virtual desktop's screen: its size, the depth it reports, and its one
// hardware palette of 256 colours. Every 8-bit pixel anywhere in the program
// is an index into this palette.

#include <array>
#include <cstdint>

#include "platform/gdi/Color.h"
#include "platform/gdi/Palette.h"

namespace plat {

class Display {
public:
    // reportedDepth is what a depth query answers (the program refuses anything
    // but 8); pixels are always stored as 8-bit indices.
    Display(int width, int height, int reportedDepth = 8);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return depth_; }

    // Foreground realisation: entry i of the palette becomes hardware entry i.
    // Entries beyond the palette's size keep their old colours.
    void Realize(const Palette& palette);
    const std::array<Rgb, 256>& HardwarePalette() const { return hw_; }
    Rgb ColourOf(uint8_t index) const { return hw_[index]; }
    // The hardware index nearest to a colour (lower index on a tie).
    uint8_t NearestIndex(Rgb c) const;
    // Bumped by every Realize that changes an entry; the backends use it to
    // know when the colour conversion must be redone.
    uint64_t PaletteGeneration() const { return generation_; }

private:
    int width_;
    int height_;
    int depth_;
    std::array<Rgb, 256> hw_{};
    uint64_t generation_ = 0;
};

}  // namespace plat
