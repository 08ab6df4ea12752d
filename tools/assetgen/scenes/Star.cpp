// Star: a night sky. Big gold stars and constellation stars sound; two moons
// switch the sound mode and start their loops; eighteen constellation strips
// flash over the sky while stars sound.
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
const std::string& kImg = dir::kStarImg;
const std::string& kMask = dir::kStarMask;

struct Spot {
    int id;
    const char* key;
    int x, y;
};
const Spot kSpots[15] = {{100, "sta1", 275, 81},  {110, "sta2", 322, 197}, {120, "sta3", 281, 247}, {130, "sta4", 204, 199},
                         {140, "sta5", 281, 203}, {240, "stb1", 327, 160}, {200, "stb2", 356, 102}, {210, "stb3", 396, 279},
                         {250, "stb4", 322, 252}, {260, "stb5", 228, 256}, {220, "stb6", 125, 286}, {230, "stb7", 118, 107},
                         {270, "stb8", 253, 156}, {300, "stc1", 73, 180},  {310, "stc2", 442, 189}};

struct Strip {
    const char* pic;
    int x, y;
};
const Strip kStrips[18] = {{"Sts01.bmp", 252, 48},     {"Sts02_03.bmp", 277, 11},  {"Sts04.bmp", 340, 66},     {"Sts05_06.bmp", 393, 66},
                           {"Sts07_09.bmp", 499, 80},  {"Sts10_11.bmp", 377, 176}, {"Sts12_13.bmp", 390, 244}, {"Sts14_16.bmp", 494, 299},
                           {"Sts17_18.bmp", 400, 322}, {"Sts19.bmp", 326, 326},    {"Sts20_21.bmp", 276, 367}, {"Sts22.bmp", 247, 326},
                           {"Sts23_24.bmp", 170, 320}, {"Sts25_27.bmp", 30, 300},  {"Sts28_29.bmp", 182, 245}, {"Sts30_31.bmp", 183, 171},
                           {"Sts32_34.bmp", 34, 77},   {"Sts35_36.bmp", 182, 77}};
constexpr int kStripW = 64, kStripH = 40;

int SizeOf(const Spot& s) { return s.key[2] == 'a' ? 36 : s.key[2] == 'b' ? 30 : 40; }
float Cx(const Spot& s) { return static_cast<float>(s.x) + static_cast<float>(SizeOf(s)) / 2; }
float Cy(const Spot& s) { return static_cast<float>(s.y) + static_cast<float>(SizeOf(s)) / 2; }

Shape SpotShape(const Spot& s) {
    if (s.key[2] == 'c') return Circle(Cx(s), Cy(s), 17);
    const float r = s.key[2] == 'a' ? 15.5f : 12.5f;
    return Grow(Star(Cx(s), Cy(s), r * 0.45f, r - 1.5f, s.key[2] == 'a' ? 5 : 6, static_cast<float>(s.id) * 0.01f), 1.0f);
}

void DrawSpot(Canvas& c, const Spot& s, bool lit) {
    const float cx = Cx(s), cy = Cy(s);
    if (s.key[2] == 'c') {  // a moon; stc1 silver, stc2 rose
        const bool left = s.id == 300;
        const Col body = left ? Hex(0xE8ECF8) : Hex(0xFFC8D8);
        if (lit) c.Glow(Circle(cx, cy, 17), body, 5, 1.0f);
        c.Fill(Circle(cx, cy, 17), Radial(cx - 5, cy - 5, 24, lit ? Hex(0xFFFFFF) : Scale(body, 0.55f), lit ? Scale(body, 0.8f) : Scale(body, 0.22f)));
        for (int k = 0; k < 3; ++k)
            c.Fill(Circle(cx - 6 + 6 * static_cast<float>(k), cy - 4 + 5 * static_cast<float>(k % 2), 3), Scale(body, lit ? 0.75f : 0.3f), 0.8f);
        return;
    }
    const bool big = s.key[2] == 'a';
    const Col gold = big ? Hex(0xFFD45A) : Hex(0xB8D0FF);
    c.Glow(SpotShape(s), gold, lit ? 5.0f : 3.0f, lit ? 1.0f : 0.3f);
    c.Fill(SpotShape(s), Radial(cx, cy, big ? 16.0f : 13.0f, lit ? Hex(0xFFFFFF) : Scale(gold, 0.8f), lit ? gold : Scale(gold, 0.4f)));
    if (lit) c.Fill(Circle(cx, cy, 3), Hex(0xFFFFFF));
}

// A strip: a chain of small stars joined by lines, from its own seed.
std::vector<Pt> StripPoints(int i) {
    const Strip& s = kStrips[i];
    std::vector<Pt> pts;
    const int n = 3 + i % 3;
    for (int k = 0; k < n; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(n - 1);
        pts.push_back({static_cast<float>(s.x) + 6 + t * (kStripW - 12), static_cast<float>(s.y) + 6 + Hash01(i, k, 31) * (kStripH - 12)});
    }
    return pts;
}

void DrawStrip(Canvas& c, int i, bool lit) {
    const std::vector<Pt> pts = StripPoints(i);
    const Col line = lit ? Hex(0xFFF0B0) : Hex(0x34407A);
    for (size_t k = 0; k + 1 < pts.size(); ++k) {
        if (lit) c.Glow(Capsule(pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, 1), Hex(0xFFD860), 2.5f, 0.8f);
        c.Fill(Capsule(pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, lit ? 2.0f : 1.0f), line);
    }
    for (const Pt& p : pts) c.Fill(Star(p.x, p.y, 1.2f, lit ? 5.0f : 3.0f, 4), lit ? Hex(0xFFFFFF) : Hex(0x6070B0));
}

void DrawSky(Canvas& c) {
    c.Shade([](float x, float y) {
        Col base = Mix(Hex(0x16205A), Hex(0x04061A), y / static_cast<float>(kH));
        const float n = Noise(x, y, 80, 41);
        base = Mix(base, Hex(0x4A2A6A), std::clamp((n - 0.55f) * 1.4f, 0.0f, 0.45f));
        const float m = Noise(x * 0.6f + y * 0.4f, y, 50, 42);
        base = Mix(base, Hex(0x2A4A8A), std::clamp((m - 0.6f) * 1.2f, 0.0f, 0.35f));
        const float s = Hash01(static_cast<int>(x), static_cast<int>(y), 43);
        if (s > 0.996f) base = Mix(base, Hex(0xFFFFFF), 0.4f + 0.6f * Hash01(static_cast<int>(y), static_cast<int>(x), 44));
        return base;
    });
    // Hills and a little observatory on the horizon.
    c.Fill(Polygon({{0, 456}, {0, 400}, {120, 380}, {250, 396}, {380, 372}, {520, 392}, {608, 380}, {608, 456}}), Hex(0x06081A));
    c.Fill(Rect(440, 360, 26, 22), Hex(0x0A0C24));
    c.Fill(Intersect(Circle(453, 360, 13), Rect(440, 347, 26, 13)), Hex(0x0A0C24));
    c.Fill(Rect(450, 366, 5, 6), Hex(0xFFD45A));
    Label(c, "STAR", 520, 12, 16, Hex(0xB8C8FF), Hex(0x04061A));
}

}  // namespace

void BuildStar(Album& album) {
    SceneKit kit(album, kW, kH);
    Canvas& back = kit.Back();
    DrawSky(back);
    for (int i = 0; i < 18; ++i) DrawStrip(back, i, false);
    for (const Spot& s : kSpots) DrawSpot(back, s, false);
    DrawCornerBadge(back, 1, 12, 429, false);
    DrawCornerBadge(back, 1, 578, 429, false);
    kit.SaveBackground(kImg + "Stbkgrnd.bmp");

    for (const Spot& s : kSpots) {
        const int n = SizeOf(s);
        kit.Picture(kImg + s.key + ".bmp", s.x, s.y, n, n, [&](Canvas& c) { DrawSpot(c, s, true); });
        kit.Mask(kMask + s.key + "mk.bmp", s.x, s.y, n, n, SpotShape(s));
    }
    for (int i = 0; i < 18; ++i)
        kit.Picture(kImg + kStrips[i].pic, kStrips[i].x, kStrips[i].y, kStripW, kStripH, [&](Canvas& c) { DrawStrip(c, i, true); });
    kit.Picture(kImg + "stsun.bmp", 32, 387, 40, 40, [](Canvas& c) { DrawSun(c, 52, 407, 19); });
    BuildNavBar(album, 1, back);
}

SceneLayout StarLayout() {
    SceneLayout l{"star", kW, kH, {}, kImg + "Stbkgrnd.bmp"};
    const IRect all{0, 0, 605, 454};
    for (const Spot& s : kSpots)
        l.hotspots.push_back({s.id, s.x, s.y, kMask + s.key + "mk.bmp", 0, all, {}, kImg + s.key + ".bmp"});
    l.hotspots.push_back({10, 12, 429, dir::kNavMasks + "zzmk.bmp", 0, all, {}, kImg + "Stzz.bmp"});
    return l;
}

}  // namespace ag
