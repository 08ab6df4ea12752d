#pragma once
// Writes frames as 8-bit PNG files (libpng). Any thread.

#include <cstdint>
#include <string>

namespace plat {

// 0x00RRGGBB pixels as an RGB PNG. False (and nothing usable written) when
// the file cannot be written.
bool WritePng(const std::string& path, const uint32_t* xrgb, int width, int height);
// 0xAARRGGBB pixels (straight, not premultiplied alpha) as an RGBA PNG.
bool WritePngWithAlpha(const std::string& path, const uint32_t* argb, int width, int height);

}  // namespace plat
