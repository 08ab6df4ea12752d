#include "graphics/BmpWriter.h"

#include <cassert>
#include <cstddef>

namespace gfx {

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
}  // namespace

std::vector<uint8_t> EncodeBmp8(const IndexedImage& image) {
    assert(image.width > 0 && image.height > 0);
    assert(image.pixels.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    const uint32_t stride = (static_cast<uint32_t>(image.width) + 3u) & ~3u;
    const uint32_t dataSize = stride * static_cast<uint32_t>(image.height);
    const uint32_t offset = 14 + 40 + 256 * 4;
    std::vector<uint8_t> out;
    out.reserve(offset + dataSize);
    // File header.
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + dataSize);
    Put32(out, 0);
    Put32(out, offset);
    // Information header.
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height));
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // uncompressed
    Put32(out, dataSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 256);
    Put32(out, 0);
    for (std::size_t i = 0; i < 256; ++i) {
        const plat::Rgb c = i < image.palette.size() ? image.palette[i] : plat::Rgb{};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        out.insert(out.end(), row, row + image.width);
        out.insert(out.end(), stride - static_cast<uint32_t>(image.width), 0);
    }
    return out;
}

}  // namespace gfx
