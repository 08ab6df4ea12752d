#pragma once
// Builds BMP files byte by byte for reader tests, including the headers that
// lie or that the program's own writer never produces (OS/2 headers, RLE).

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/Color.h"

namespace testing_graphics {

struct BmpSpec {
    int width = 3;
    int height = 2;
    int bitCount = 8;
    uint32_t compression = 0;
    bool core = false;          // OS/2 12-byte header with 3-byte colour entries
    int colours = 256;          // entries written to the colour table
    uint32_t clrUsed = 0;       // Windows header only
    std::optional<uint32_t> fileSizeField;  // default: the real size
    std::optional<uint32_t> offsetField;    // default: the real offset
    std::vector<uint8_t> pixels;            // top row first; default: x + 10 * y
    std::vector<plat::Rgb> palette;         // default: entry i = (i, 255 - i, i / 2)
};

inline plat::Rgb DefaultColour(int i) { return {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)}; }

inline std::vector<uint8_t> BuildBmp(const BmpSpec& s) {
    auto put16 = [](std::vector<uint8_t>& o, uint32_t v) {
        o.push_back(uint8_t(v));
        o.push_back(uint8_t(v >> 8));
    };
    auto put32 = [&](std::vector<uint8_t>& o, uint32_t v) {
        put16(o, v & 0xFFFF);
        put16(o, v >> 16);
    };
    const size_t stride = (size_t(s.width) + 3) & ~size_t(3);
    const size_t entry = s.core ? 3 : 4;
    const uint32_t offset = uint32_t(14 + (s.core ? 12 : 40) + size_t(s.colours) * entry);
    std::vector<uint8_t> data;
    for (int y = s.height - 1; y >= 0; --y)
        for (size_t x = 0; x < stride; ++x) {
            const size_t i = size_t(y) * size_t(s.width) + x;
            uint8_t v = 0;
            if (x < size_t(s.width)) v = s.pixels.empty() ? uint8_t(x + 10 * size_t(y)) : s.pixels[i];
            data.push_back(v);
        }
    std::vector<uint8_t> o{'B', 'M'};
    put32(o, s.fileSizeField.value_or(offset + uint32_t(data.size())));
    put32(o, 0);
    put32(o, s.offsetField.value_or(offset));
    if (s.core) {
        put32(o, 12);
        put16(o, uint32_t(s.width));
        put16(o, uint32_t(s.height));
        put16(o, 1);
        put16(o, uint32_t(s.bitCount));
    } else {
        put32(o, 40);
        put32(o, uint32_t(s.width));
        put32(o, uint32_t(s.height));
        put16(o, 1);
        put16(o, uint32_t(s.bitCount));
        put32(o, s.compression);
        put32(o, uint32_t(data.size()));
        put32(o, 2835);
        put32(o, 2835);
        put32(o, s.clrUsed);
        put32(o, 0);
    }
    for (int i = 0; i < s.colours; ++i) {
        const plat::Rgb c = size_t(i) < s.palette.size() ? s.palette[size_t(i)] : DefaultColour(i);
        o.push_back(c.b);
        o.push_back(c.g);
        o.push_back(c.r);
        if (!s.core) o.push_back(0);
    }
    o.insert(o.end(), data.begin(), data.end());
    return o;
}

}  // namespace testing_graphics
