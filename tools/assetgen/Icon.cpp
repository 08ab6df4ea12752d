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

// The dais of 256 units scaled by k, centred on (x, y); the worlds sit where
// the hub has them: Star at the top, then Day, kBot, Troid and Gama clockwise.
// `line`: the thinnest stroke, which must stay visible at 48 pixels.
void DrawHub(Canvas& c, float x, float y, float k, float line) {
    c.Fill(Circle(x, y, 124 * k), Radial(x, y - 30 * k, 160 * k, Hex(0x2C5C8C), Hex(0x0E2640)));
    c.Fill(Ring(x, y, 120 * k, std::max(line, 6 * k)), Hex(0xD8ECFA));
    c.Fill(Ring(x, y, 93 * k, std::max(line, 3 * k)), Hex(0x3F8FC8), 0.8f);

    const float orbit = 74 * k, portal = 36 * k;
    for (int i = 0; i < 5; ++i) {
        const float a = (-90.0f + 72.0f * static_cast<float>(i)) * std::numbers::pi_v<float> / 180.0f;
        const float px = x + orbit * std::cos(a), py = y + orbit * std::sin(a);
        c.Fill(Capsule(x, y, px, py, std::max(line, 3 * k)), Hex(0x5EB4E8), 0.55f);
        DrawWorldEmblem(c, i + 1, px, py, portal - 4 * k, 1.0f, 0);
        c.Fill(Ring(px, py, portal - 3 * k, std::max(line, 6 * k)),
               Linear(px - portal, py - portal, Hex(0xFFFFFF), px + portal, py + portal, Hex(0xA2ACB2)));
    }

    c.Fill(Circle(x, y, 30 * k), Hex(0x0C2034), 0.8f);
    c.Glow(Circle(x, y, 22 * k), Hex(0xA8FF90), 6 * k, 0.8f);
    c.Fill(Circle(x, y, 22 * k), Radial(x - 7 * k, y - 8 * k, 30 * k, Hex(0xC8FFB0), Hex(0x20A030)));
}

void PaintProgram(Canvas& c, float k) { DrawHub(c, 128 * k, 128 * k, k, 1.0f); }

// A saved session: a sheet with its corner folded, six track bars of cuts in
// the worlds' colours above a small dais. On the same 256-unit square.
void PaintSession(Canvas& c, float k) {
    const float left = 40 * k, top = 12 * k, right = 216 * k, bottom = 244 * k, fold = 52 * k;
    const Shape sheet = Subtract(RoundRect(left, top, right - left, bottom - top, 12 * k),
                                 Polygon({{right - fold, top - 1}, {right + 1, top - 1}, {right + 1, top + fold}}));
    c.Fill(Grow(sheet, std::max(1.0f, 4 * k)), Hex(0x5A6E80));
    c.Fill(sheet, Linear(left, top, Hex(0xFAFCFF), right, bottom, Hex(0xCCD8E4)));
    c.Fill(Polygon({{right - fold, top}, {right - fold, top + fold}, {right, top + fold}}), Hex(0x9AAEC0));

    // Cuts of different lengths, one a track, as the palette's six tracks.
    constexpr uint32_t kTrackColours[] = {0xE8B030, 0x48A8E8, 0xE85870, 0x50C060, 0xA070E0, 0xE88838};
    constexpr float kCutLengths[] = {0.9f, 0.55f, 0.75f, 0.4f, 0.65f, 0.85f};
    const float barLeft = left + 22 * k, barRight = right - fold - 8 * k, bar = std::max(1.5f, 7 * k);
    for (int i = 0; i < 6; ++i) {
        const float y = top + 22 * k + static_cast<float>(i) * 15 * k;
        // The upper bars end before the fold.
        const float room = (i < 3 ? barRight : right - 22 * k) - barLeft;
        c.Fill(Capsule(barLeft, y, barLeft + room * kCutLengths[i], y, bar), Hex(kTrackColours[i]));
    }
    DrawHub(c, 128 * k, 176 * k, 0.44f * k, 0.5f);
}

uint8_t Channel(float premultiplied, float alpha) {
    return static_cast<uint8_t>(std::lround(std::clamp(premultiplied / alpha, 0.0f, 255.0f)));
}

using IconPainter = void (*)(Canvas&, float);

// The icon at `size` x `size`: 0xAARRGGBB, straight alpha, top row first.
std::vector<uint32_t> DrawIcon(IconPainter paint, int size) {
    // Drawn over black, a pixel's colour is premultiplied by its coverage.
    Canvas c(size, size);
    paint(c, static_cast<float>(size) / 256.0f);
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

void WriteIcon(IconPainter paint, int size, const std::filesystem::path& file) {
    const std::vector<uint32_t> pixels = DrawIcon(paint, size);
    if (!plat::WritePngWithAlpha(file.string(), pixels.data(), size, size))
        throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

std::vector<std::filesystem::path> WriteIcons(const std::filesystem::path& dir) {
    struct Kind {
        const char* context;  // the theme's folder for it
        const char* name;
        IconPainter paint;
    };
    static constexpr Kind kKinds[] = {
        {"apps", "plinkpad", PaintProgram},
        {"mimetypes", "application-x-plinkpad-session", PaintSession},
    };
    std::vector<std::filesystem::path> written;
    for (const int size : kIconSizes) {
        const std::string edge = std::to_string(size);
        for (const Kind& kind : kKinds) {
            const std::filesystem::path folder = dir / (edge + "x" + edge) / kind.context;
            std::filesystem::create_directories(folder);
            const std::filesystem::path file = folder / (std::string(kind.name) + ".png");
            WriteIcon(kind.paint, size, file);
            written.push_back(file);
        }
    }
    return written;
}

std::vector<std::filesystem::path> WritePageIcons(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    std::vector<std::filesystem::path> written;
    for (const int size : kPageIconSizes) {
        const std::filesystem::path file = dir / ("icon-" + std::to_string(size) + ".png");
        WriteIcon(PaintProgram, size, file);
        written.push_back(file);
    }
    return written;
}

}  // namespace ag
