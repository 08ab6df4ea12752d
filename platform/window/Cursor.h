#pragma once
// A pointer picture drawn by the program over the desktop: straight RGBA
// pixels (alpha 0 transparent) and the hot point. Cursors are composed over
// the converted desktop, so they keep their colours whatever palette is
// realised.

#include <cstdint>
#include <vector>

#include "platform/Geometry.h"

namespace plat {

struct Cursor {
    int width = 0;
    int height = 0;
    Point hotspot{};
    std::vector<uint32_t> rgba;  // 0xAARRGGBB, row-major, top-down
};

}  // namespace plat
