#pragma once
// Writes 8-bit uncompressed Windows BMP files (40-byte header, a colour table
// of 256 entries, rows bottom-up padded to 4 bytes): the format every picture
// of the asset disc uses.

#include <cstdint>
#include <vector>

#include "platform/gdi/Color.h"

namespace gfx {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;   // width x height palette indices, top row first
    std::vector<plat::Rgb> palette;  // at most 256; the rest of the table is black
};

// The file's bytes. Width and height must be positive and pixels complete.
std::vector<uint8_t> EncodeBmp8(const IndexedImage& image);

}  // namespace gfx
