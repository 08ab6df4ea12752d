#include "platform/headless/PngWriter.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace plat {

namespace {

bool Write(const std::string& path, const uint32_t* pixels, int width, int height, bool alpha) {
    if (width <= 0 || height <= 0 || pixels == nullptr) return false;
    const size_t channels = alpha ? 4 : 3;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<uint8_t> bytes(count * channels);
    for (size_t i = 0; i < count; ++i) {
        uint8_t* out = &bytes[i * channels];
        out[0] = static_cast<uint8_t>(pixels[i] >> 16);
        out[1] = static_cast<uint8_t>(pixels[i] >> 8);
        out[2] = static_cast<uint8_t>(pixels[i]);
        if (alpha) out[3] = static_cast<uint8_t>(pixels[i] >> 24);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, bytes.data(),
                                           static_cast<png_int_32>(static_cast<size_t>(width) * channels), nullptr);
    png_image_free(&image);
    return ok != 0;
}

}  // namespace

bool WritePng(const std::string& path, const uint32_t* xrgb, int width, int height) {
    return Write(path, xrgb, width, height, false);
}

bool WritePngWithAlpha(const std::string& path, const uint32_t* argb, int width, int height) {
    return Write(path, argb, width, height, true);
}

}  // namespace plat
