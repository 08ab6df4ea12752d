// Troid: an asteroid field in deep space. Twelve glowing rocks are the main
// voices; crystal clusters, little satellites, a station dial (the loop switch)
// and four beacons that throw a comet onto the sky's edge.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"
#include "tools/assetgen/SharedShapes.h"

namespace ag {

namespace {

constexpr int kW = 608, kH = 456;
const std::string& kImg = dir::kTroidImg;
const std::string& kMask = dir::kTroidMask;

const int kRocks[12][2] = {{346, 50}, {372, 90}, {382, 151}, {394, 257}, {382, 293}, {364, 320},
                           {96, 313}, {53, 287},  {69, 257},  {150, 153}, {103, 80}, {134, 52}};
constexpr int kRockW = 44, kRockH = 40;
const int kCrystals[4][2] = {{305, 109}, {298, 233}, {220, 233}, {226, 116}};
constexpr int kCrystalW = 40, kCrystalH = 36;
const int kSatellites[3][2] = {{288, 52}, {31, 220}, {288, 240}};
constexpr int kSatW = 20, kSatH = 20;
const int kBeacons[4][2] = {{304, 40}, {301, 346}, {147, 345}, {170, 41}};
const int kComets[4][2] = {{308, 1}, {310, 417}, {142, 415}, {152, 0}};
constexpr int kBeaconW = 28, kBeaconH = 26;
constexpr int kCometW = 34, kCometH = 38;

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

Shape RockShape(int i) {
    const float cx = static_cast<float>(kRocks[i][0]) + 22, cy = static_cast<float>(kRocks[i][1]) + 20;
    std::vector<Pt> pts;
    const int n = 14;
    for (int k = 0; k < n; ++k) {
        const float a = static_cast<float>(k) * 2 * std::numbers::pi_v<float> / n;
        const float r = 0.82f + 0.22f * Hash01(i, k, 77);
        pts.push_back({cx + std::cos(a) * 15 * r, cy + std::sin(a) * 13 * r});
    }
    return Polygon(std::move(pts));
}

Col RockGlow(int i) {
    const Col glows[6] = {Hex(0x52F2C8), Hex(0x6AC8FF), Hex(0xB890FF), Hex(0xFF80C0), Hex(0xFFB060), Hex(0xA0FF70)};
    return glows[i % 6];
}

void DrawRock(Canvas& c, int i, bool lit) {
    const Shape s = RockShape(i);
    const float cx = static_cast<float>(kRocks[i][0]) + 22, cy = static_cast<float>(kRocks[i][1]) + 20;
    if (lit) c.Glow(s, RockGlow(i), 3.5f, 1.0f);
    const Col hi = lit ? Hex(0xE8C8A8) : Hex(0x9A7A62), lo = lit ? Hex(0x6A4A36) : Hex(0x3A2A20);
    c.Fill(s, [=](float x, float y) {
        const float t = std::clamp((std::hypot(x - (cx - 6), y - (cy - 6))) / 24.0f, 0.0f, 1.0f);
        const float n = Noise(x, y, 4, static_cast<uint32_t>(i + 5));
        return Scale(Mix(hi, lo, t), 0.8f + 0.4f * n);
    });
    for (int k = 0; k < 3; ++k) {
        const float px = cx - 8 + 7 * static_cast<float>(k) + 3 * Hash01(i, k, 9), py = cy - 4 + 6 * Hash01(k, i, 3);
        c.Fill(Circle(px, py, 2.2f), lit ? RockGlow(i) : Hex(0x2A1E16), lit ? 1.0f : 0.7f);
    }
}

Shape CrystalShape(int i) {
    const float x = static_cast<float>(kCrystals[i][0]), y = static_cast<float>(kCrystals[i][1]);
    Shape s = Polygon({{x + 8, y + 34}, {x + 12, y + 10}, {x + 17, y + 2}, {x + 21, y + 12}, {x + 26, y + 6},
                       {x + 31, y + 16}, {x + 33, y + 34}});
    return s;
}

void DrawCrystal(Canvas& c, int i, bool lit) {
    const float x = static_cast<float>(kCrystals[i][0]), y = static_cast<float>(kCrystals[i][1]);
    const Shape s = CrystalShape(i);
    if (lit) c.Glow(s, Hex(0x80FFF0), 4, 1.0f);
    c.Fill(s, Linear(x, y, lit ? Hex(0xC8FFF8) : Hex(0x3A8A88), x + 30, y + 34, lit ? Hex(0x20B8B0) : Hex(0x14403E)));
    c.Fill(Capsule(x + 17, y + 5, x + 14, y + 30, 1.2f), Hex(0xFFFFFF), lit ? 0.9f : 0.25f);
    c.Fill(Capsule(x + 26, y + 9, x + 27, y + 30, 1.2f), Hex(0xFFFFFF), lit ? 0.9f : 0.25f);
}

void DrawSatellite(Canvas& c, int i, bool lit) {
    const float cx = static_cast<float>(kSatellites[i][0]) + 10, cy = static_cast<float>(kSatellites[i][1]) + 10;
    if (lit) c.Glow(Circle(cx, cy, 5), Hex(0xFFF0A0), 4, 1.0f);
    c.Fill(Rect(cx - 9, cy - 2, 6, 4), lit ? Hex(0x80B8FF) : Hex(0x284870));
    c.Fill(Rect(cx + 3, cy - 2, 6, 4), lit ? Hex(0x80B8FF) : Hex(0x284870));
    c.Fill(Circle(cx, cy, 4), lit ? Hex(0xFFF4C0) : Hex(0x8A8A96));
}

Shape BeaconShape(int i) {
    return Circle(static_cast<float>(kBeacons[i][0]) + 14, static_cast<float>(kBeacons[i][1]) + 13, 10);
}

void DrawBeacon(Canvas& c, int i, bool lit) {
    const float cx = static_cast<float>(kBeacons[i][0]) + 14, cy = static_cast<float>(kBeacons[i][1]) + 13;
    if (lit) c.Glow(BeaconShape(i), Hex(0xFFD070), 4, 1.0f);
    c.Fill(BeaconShape(i), Radial(cx - 3, cy - 3, 13, lit ? Hex(0xFFF4D0) : Hex(0x7A6AA0), lit ? Hex(0xFF9020) : Hex(0x2A2040)));
    c.Fill(Ring(cx, cy, 13, 1.2f), lit ? Hex(0xFFE0A0) : Hex(0x5A5080), 0.8f);
}

void DrawComet(Canvas& c, int i) {
    const float x = static_cast<float>(kComets[i][0]), y = static_cast<float>(kComets[i][1]);
    const bool down = kComets[i][1] > 200;  // comets at the bottom edge trail upward
    const float hx = x + 17, hy = down ? y + 26 : y + 12;
    const float tx = x + 17, ty = down ? y + 2 : y + 36;
    c.Glow(Capsule(hx, hy, tx, ty, 3), Hex(0xFFD090), 5, 0.8f);
    c.Fill(Capsule(hx, hy, tx, ty, 4), Linear(hx, hy, Hex(0xFFFFFF), tx, ty, Hex(0xFF9030)));
    c.Fill(Circle(hx, hy, 6), Hex(0xFFFFF0));
}

const float kDialX = 39 + 20, kDialY = 132 + 20;
void DrawDial(Canvas& c, bool lit) {
    if (lit) c.Glow(Circle(kDialX, kDialY, 17), Hex(0x52F2C8), 4, 1.0f);
    c.Fill(Circle(kDialX, kDialY, 17), Radial(kDialX - 4, kDialY - 4, 22, lit ? Hex(0xD8FFF4) : Hex(0x6A7A88), lit ? Hex(0x30A890) : Hex(0x202A34)));
    c.Fill(Subtract(Ring(kDialX, kDialY, 10, 3), Rect(kDialX, kDialY - 14, 14, 10)), lit ? Hex(0x0A3A30) : Hex(0x9AB0C0));
    c.Fill(Polygon({{kDialX + 1, kDialY - 16}, {kDialX + 8, kDialY - 10}, {kDialX + 1, kDialY - 5}}), lit ? Hex(0x0A3A30) : Hex(0x9AB0C0));
}

void DrawSky(Canvas& c) {
    c.Shade([](float x, float y) {
        Col base = Mix(Hex(0x0A0E22), Hex(0x02030A), y / static_cast<float>(kH));
        const float n = Noise(x, y, 70, 11) * 0.7f + Noise(x, y, 23, 12) * 0.3f;
        base = Mix(base, Hex(0x3A1A5A), std::clamp((n - 0.5f) * 1.6f, 0.0f, 0.6f));
        const float m = Noise(x + 400, y, 90, 13);
        base = Mix(base, Hex(0x0E4A5A), std::clamp((m - 0.55f) * 1.8f, 0.0f, 0.5f));
        const int ix = static_cast<int>(x), iy = static_cast<int>(y);
        const float s = Hash01(ix, iy, 5);
        if (s > 0.9965f) base = Mix(base, Hex(0xFFFFFF), 0.5f + 0.5f * Hash01(iy, ix, 6));
        return base;
    });
    // A ringed planet rising in the corner.
    c.Glow(Circle(560, 230, 70), Hex(0x3A6AB0), 10, 0.5f);
    c.Fill(Circle(560, 230, 70), Radial(530, 200, 110, Hex(0x5A8AC8), Hex(0x101A38)));
    c.Fill(Subtract(Ellipse(560, 236, 112, 16), Ellipse(560, 236, 96, 10)), Hex(0xB0C8E8), 0.6f);
    // Drifting dust between the rocks.
    for (int k = 0; k < 40; ++k) {
        const float x = 20 + 560 * Hash01(k, 1, 21), y = 20 + 410 * Hash01(k, 2, 21);
        c.Fill(Ellipse(x, y, 2 + 2 * Hash01(k, 3, 21), 1.5f + Hash01(k, 4, 21)), Hex(0x4A3A30), 0.8f);
    }
    Label(c, "TROID", 250, 428, 16, Hex(0x8ADCC8), Hex(0x02030A));
}

}  // namespace

void BuildTroid(Album& album) {
    SceneKit kit(album, kW, kH);
    Canvas& back = kit.Back();
    DrawSky(back);
    for (int i = 0; i < 12; ++i) DrawRock(back, i, false);
    for (int i = 0; i < 4; ++i) DrawCrystal(back, i, false);
    for (int i = 0; i < 3; ++i) DrawSatellite(back, i, false);
    for (int i = 0; i < 4; ++i) DrawBeacon(back, i, false);
    DrawDial(back, false);
    DrawCornerBadge(back, 4, 5, 435, false);
    DrawCornerBadge(back, 4, 585, 5, false);
    DrawCornerBadge(back, 4, 585, 435, false);
    kit.SaveBackground(kImg + "trbkgrnd.bmp");

    for (int i = 0; i < 12; ++i) {
        const std::string n = "trs" + Two(i + 1);
        const int x = kRocks[i][0], y = kRocks[i][1];
        kit.Picture(kImg + n + "up.bmp", x, y, kRockW, kRockH, [&](Canvas& c) { DrawRock(c, i, true); });
        if (i == 9) {
            kit.Mask(kMask + n + "mk.bmp", x, y, kRockW, kRockH, RockShape(i));
        } else {
            kit.Mask(kMask + n + "amk.bmp", x, y, kRockW, kRockH, RockShape(i));
            kit.Mask(kMask + n + "bmk.bmp", x, y, kRockW, kRockH, Grow(RockShape(i), 3));  // stays hit while lit
        }
    }
    for (int i = 0; i < 4; ++i) {
        const std::string n = "trd" + std::to_string(i + 1);
        kit.Picture(kImg + n + "up.bmp", kCrystals[i][0], kCrystals[i][1], kCrystalW, kCrystalH, [&](Canvas& c) { DrawCrystal(c, i, true); });
        kit.Mask(kMask + n + "mk.bmp", kCrystals[i][0], kCrystals[i][1], kCrystalW, kCrystalH, CrystalShape(i));
    }
    for (int i = 0; i < 3; ++i) {
        const std::string n = "trb" + std::to_string(i + 1);
        const int x = kSatellites[i][0], y = kSatellites[i][1];
        kit.Picture(kImg + n + "up.bmp", x, y, kSatW, kSatH, [&](Canvas& c) { DrawSatellite(c, i, true); });
        kit.Mask(kMask + n + "mk.bmp", x, y, kSatW, kSatH, Circle(static_cast<float>(x) + 10, static_cast<float>(y) + 10, 9));
    }
    kit.Picture(kImg + "trc1up.bmp", 39, 132, 40, 40, [](Canvas& c) { DrawDial(c, true); });
    kit.Mask(kMask + "trc1mk.bmp", 39, 132, 40, 40, Circle(kDialX, kDialY, 17));
    for (int i = 0; i < 4; ++i) {
        const std::string n = "trt" + std::to_string(i + 1);
        kit.Picture(kImg + n + "up.bmp", kBeacons[i][0], kBeacons[i][1], kBeaconW, kBeaconH, [&](Canvas& c) { DrawBeacon(c, i, true); });
        kit.Mask(kMask + n + "mk.bmp", kBeacons[i][0], kBeacons[i][1], kBeaconW, kBeaconH, BeaconShape(i));
        kit.Picture(kImg + n + "sup.bmp", kComets[i][0], kComets[i][1], kCometW, kCometH, [&](Canvas& c) { DrawComet(c, i); });
    }
    // Corners: the palette corner with its sun, the sustain switch with its two
    // state labels; both answer on the badge (the picture itself is the bar's).
    kit.Mask(kMask + "trzzmk.bmp", 5, 435, kToggleW, kToggleH, ToggleShape(5, 435));
    kit.Picture(kImg + "trsun.bmp", 26, 392, 40, 40, [](Canvas& c) { DrawSun(c, 46, 412, 19); });
    const char* states[2] = {"hold: off", "hold: on"};
    for (int k = 0; k < 2; ++k)
        kit.Picture(kImg + "tralt" + std::to_string(k + 1) + ".bmp", 525, 5, 58, 20, [&](Canvas& c) {
            c.Fill(RoundRect(525, 5, 58, 20, 6), k ? Hex(0x20A080) : Hex(0x3A3048));
            c.Text(FontOf(plat::Font::Face::SansBold, 10), states[k], 531, 8, Hex(0xFFFFFF));
        });
    BuildNavBar(album, 4, back);
}

SceneLayout TroidLayout() {
    SceneLayout l{"troid", kW, kH, {}, kImg + "trbkgrnd.bmp"};
    const IRect all{0, 0, kW, kH};
    for (int i = 0; i < 12; ++i) {
        const std::string n = "trs" + Two(i + 1);
        l.hotspots.push_back({90 + 10 * i, kRocks[i][0], kRocks[i][1], kMask + n + (i == 9 ? "mk.bmp" : "amk.bmp"), 0, all, {}, kImg + n + "up.bmp"});
    }
    for (int i = 0; i < 4; ++i)
        l.hotspots.push_back({50 + 10 * i, kCrystals[i][0], kCrystals[i][1], kMask + "trd" + std::to_string(i + 1) + "mk.bmp", 0, all, {},
                              kImg + "trd" + std::to_string(i + 1) + "up.bmp"});
    for (int i = 0; i < 3; ++i)
        l.hotspots.push_back({10 + 10 * i, kSatellites[i][0], kSatellites[i][1], kMask + "trb" + std::to_string(i + 1) + "mk.bmp", 0, all, {},
                              kImg + "trb" + std::to_string(i + 1) + "up.bmp"});
    l.hotspots.push_back({40, 39, 132, kMask + "trc1mk.bmp", 0, all, {}, kImg + "trc1up.bmp"});
    for (int i = 0; i < 4; ++i)
        l.hotspots.push_back({210 + 10 * i, kBeacons[i][0], kBeacons[i][1], kMask + "trt" + std::to_string(i + 1) + "mk.bmp", 0, all, {},
                              kImg + "trt" + std::to_string(i + 1) + "up.bmp"});
    l.hotspots.push_back({250, 5, 435, kMask + "trzzmk.bmp", 0, all, {}, kImg + "trzxup.bmp"});
    l.hotspots.push_back({270, 585, 5, kMask + "trzzmk.bmp", 0, all, {}, kImg + "trzxup.bmp"});
    return l;
}

}  // namespace ag
