#include "platform/headless/PngWriter.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace plat {

bool WritePng(const std::string& path, const uint32_t* xrgb, int width, int height) {
    if (width <= 0 || height <= 0 || xrgb == nullptr) return false;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0, n = static_cast<size_t>(width) * static_cast<size_t>(height); i < n; ++i) {
        rgb[i * 3] = static_cast<uint8_t>(xrgb[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(xrgb[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(xrgb[i]);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr);
    png_image_free(&image);
    return ok != 0;
}

}  // namespace plat
