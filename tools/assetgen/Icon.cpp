#include "tools/assetgen/Icon.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "platform/headless/PngWriter.h"
#include "tools/assetgen/Builders.h"
#include "tools/assetgen/canvas/Shapes.h"

namespace ag {

namespace {

// Drawn on a 256-unit square scaled by k; the worlds sit where the hub has
// them: Star at the top, then Day, kBot, Troid and Gama clockwise.
void DrawHub(Canvas& c, float k) {
    const float mid = 128 * k;
    const float line = std::max(1.0f, 3 * k);  // thin strokes stay visible at 48 pixels
    c.Fill(Circle(mid, mid, 124 * k), Radial(mid, mid - 30 * k, 160 * k, Hex(0x2C5C8C), Hex(0x0E2640)));
    c.Fill(Ring(mid, mid, 120 * k, std::max(1.0f, 6 * k)), Hex(0xD8ECFA));
    c.Fill(Ring(mid, mid, 93 * k, line), Hex(0x3F8FC8), 0.8f);

    const float orbit = 74 * k, portal = 36 * k;
    for (int i = 0; i < 5; ++i) {
        const float a = (-90.0f + 72.0f * static_cast<float>(i)) * std::numbers::pi_v<float> / 180.0f;
        const float px = mid + orbit * std::cos(a), py = mid + orbit * std::sin(a);
        c.Fill(Capsule(mid, mid, px, py, line), Hex(0x5EB4E8), 0.55f);
        DrawWorldEmblem(c, i + 1, px, py, portal - 4 * k, 1.0f, 0);
        c.Fill(Ring(px, py, portal - 3 * k, std::max(1.0f, 6 * k)),
               Linear(px - portal, py - portal, Hex(0xFFFFFF), px + portal, py + portal, Hex(0xA2ACB2)));
    }

    c.Fill(Circle(mid, mid, 30 * k), Hex(0x0C2034), 0.8f);
    c.Glow(Circle(mid, mid, 22 * k), Hex(0xA8FF90), 6 * k, 0.8f);
    c.Fill(Circle(mid, mid, 22 * k), Radial(mid - 7 * k, mid - 8 * k, 30 * k, Hex(0xC8FFB0), Hex(0x20A030)));
}

uint8_t Channel(float premultiplied, float alpha) {
    return static_cast<uint8_t>(std::lround(std::clamp(premultiplied / alpha, 0.0f, 255.0f)));
}

}  // namespace

std::vector<uint32_t> DrawIcon(int size) {
    // Drawn over black, a pixel's colour is premultiplied by its coverage.
    Canvas c(size, size);
    DrawHub(c, static_cast<float>(size) / 256.0f);
    std::vector<uint32_t> argb;
    argb.reserve(static_cast<size_t>(size) * static_cast<size_t>(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float a = c.AlphaAt(x, y);
            const auto alpha = static_cast<uint32_t>(std::lround(a * 255.0f));
            if (alpha == 0) {
                argb.push_back(0);
                continue;
            }
            const Col col = c.At(x, y);
            argb.push_back(alpha << 24 | uint32_t(Channel(col.r, a)) << 16 | uint32_t(Channel(col.g, a)) << 8 |
                           uint32_t(Channel(col.b, a)));
        }
    return argb;
}

std::vector<std::filesystem::path> WriteIcons(const std::filesystem::path& dir) {
    std::vector<std::filesystem::path> written;
    for (const int size : kIconSizes) {
        const std::string edge = std::to_string(size);
        const std::filesystem::path folder = dir / (edge + "x" + edge) / "apps";
        std::filesystem::create_directories(folder);
        const std::filesystem::path file = folder / "plinkpad.png";
        const std::vector<uint32_t> pixels = DrawIcon(size);
        if (!plat::WritePngWithAlpha(file.string(), pixels.data(), size, size))
            throw std::runtime_error("cannot write " + file.string());
        written.push_back(file);
    }
    return written;
}

}  // namespace ag
