#pragma once
// A device bitmap: a block of pixels in the display's format.
//  - 8 bits per pixel: each byte is a hardware palette index.
//  - 1 bit per pixel (masks): each byte is 0 (black) or 1 (white).
// Rows are stored top-down with one byte per pixel whatever the depth, so
// callers address pixels as Pixels()[y * Width() + x].

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

class Bitmap {
public:
    Bitmap(int width, int height, int bitsPerPixel)
        : width_(width < 0 ? 0 : width),
          height_(height < 0 ? 0 : height),
          bpp_(bitsPerPixel == 1 ? 1 : 8),
          pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bpp_; }
    bool IsMonochrome() const { return bpp_ == 1; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    uint8_t* Pixels() { return pixels_.data(); }
    const uint8_t* Pixels() const { return pixels_.data(); }
    uint8_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const uint8_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    uint8_t At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, uint8_t v) { Row(y)[x] = v; }
    void Fill(uint8_t v) { pixels_.assign(pixels_.size(), v); }

private:
    int width_;
    int height_;
    int bpp_;
    std::vector<uint8_t> pixels_;
};

}  // namespace plat
