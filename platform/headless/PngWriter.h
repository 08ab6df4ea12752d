#pragma once
// Writes 0x00RRGGBB frames as 8-bit RGB PNG files (libpng). Any thread.

#include <cstdint>
#include <string>

namespace plat {

// False (and nothing usable written) when the file cannot be written.
bool WritePng(const std::string& path, const uint32_t* xrgb, int width, int height);

}  // namespace plat
