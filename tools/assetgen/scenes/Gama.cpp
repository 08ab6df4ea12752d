// Gama: a hall of bronze gongs, bells and metallophone bars. Every instrument
// has three looks: bronze (at rest, in the background), silver (look a),
// patina green (look b) and a golden glow while it sounds (look c). Four
// buttons in the middle step a whole quarter of the hall.
#include <cmath>
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"
#include "tools/assetgen/SharedShapes.h"

namespace ag {

namespace {

constexpr int kW = 640, kH = 480;
const std::string& kImg = dir::kGamaImg;
const std::string& kMask = dir::kGamaMask;

enum class Kind { Gong, Bar, Bell, Drum };

struct Inst {
    int id;
    int region;  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    int x, y;    // picture corner
    int w, h;    // picture size
    Kind kind;
    float a, b, c, d;  // gong/bell/drum: cx, cy, rx, ry; bar: x, y, w, h
    std::string pics[3];
    std::string mask;
};

Inst Make(int id, int region, int x, int y, int w, int h, Kind k, float a, float b, float c, float d, const std::string& key) {
    if (k == Kind::Bar) {  // room for the glow around a bar
        a = static_cast<float>(x) + 3;
        b = static_cast<float>(y) + 3;
        w = static_cast<int>(c) + 6;
        h = static_cast<int>(d) + 6;
    }
    return {id, region, x, y, w, h, k, a, b, c, d, {"ga" + key + "a.bmp", "ga" + key + "b.bmp", "ga" + key + "c.bmp"}, "ga" + key + "mk.bmp"};
}

std::vector<Inst> Instruments() {
    std::vector<Inst> v;
    v.push_back(Make(100, 0, 67, 21, 112, 112, Kind::Gong, 122, 76, 52, 52, "11"));
    v.push_back(Make(110, 0, 71, 176, 64, 26, Kind::Bar, 72, 178, 62, 20, "12"));
    v.push_back(Make(120, 0, 139, 187, 72, 26, Kind::Bar, 140, 189, 70, 20, "13"));
    v.push_back(Make(130, 0, 185, 153, 98, 28, Kind::Bar, 186, 155, 95, 22, "14"));
    v.push_back(Make(140, 0, 214, 75, 62, 62, Kind::Gong, 244, 105, 28, 28, "15"));
    v.push_back(Make(150, 0, 213, 15, 56, 56, Kind::Bell, 241, 43, 24, 24, "16"));
    v.push_back(Make(200, 1, 452, 20, 112, 112, Kind::Gong, 507, 75, 52, 52, "21"));
    v.push_back(Make(210, 1, 331, 16, 52, 38, Kind::Bell, 356, 35, 22, 16, "22"));
    v.push_back(Make(220, 1, 335, 53, 102, 26, Kind::Bar, 336, 55, 100, 20, "23"));
    v.push_back(Make(230, 1, 352, 100, 92, 26, Kind::Bar, 353, 102, 90, 20, "24"));
    v.push_back(Make(240, 1, 359, 158, 82, 26, Kind::Bar, 360, 160, 80, 20, "25"));
    v.push_back(Make(250, 1, 458, 186, 52, 26, Kind::Bar, 459, 188, 48, 20, "26"));
    // A long bell that hangs past the middle row; below the row only the
    // lower quarter's hot-spots answer, so its lip there stays silent.
    v.push_back(Make(260, 1, 510, 153, 62, 96, Kind::Bell, 540, 200, 27, 44, "27"));
    v.push_back(Make(270, 1, 460, 132, 52, 52, Kind::Gong, 485, 157, 23, 23, "28"));
    Inst g31a = Make(300, 2, 31, 245, 70, 76, Kind::Gong, 70, 290, 28, 28, "31");
    g31a.pics[2] = "ga31c_a.bmp";
    g31a.mask = "ga31amk.bmp";
    v.push_back(g31a);
    Inst g31b = Make(600, 2, 92, 305, 54, 42, Kind::Drum, 118, 326, 24, 18, "31");
    g31b.pics[0] = g31b.pics[1] = "";
    g31b.pics[2] = "ga31c_b.bmp";
    g31b.mask = "ga31bmk.bmp";
    v.push_back(g31b);
    v.push_back(Make(310, 2, 43, 244, 102, 20, Kind::Bar, 44, 245, 100, 15, "32"));
    v.push_back(Make(320, 2, 174, 245, 52, 52, Kind::Gong, 199, 270, 23, 23, "33"));
    v.push_back(Make(330, 2, 226, 337, 72, 24, Kind::Bar, 227, 339, 70, 18, "34"));
    v.push_back(Make(340, 2, 145, 358, 72, 24, Kind::Bar, 146, 360, 70, 18, "35"));
    v.push_back(Make(345, 2, 19, 417, 46, 46, Kind::Bell, 41, 439, 20, 20, "36"));
    v.push_back(Make(355, 2, 78, 412, 46, 46, Kind::Bell, 100, 434, 20, 20, "37"));
    v.push_back(Make(365, 2, 140, 430, 46, 46, Kind::Bell, 162, 452, 20, 20, "38"));
    v.push_back(Make(375, 2, 229, 415, 46, 46, Kind::Bell, 251, 437, 20, 20, "39"));
    Inst g41a = Make(400, 3, 391, 312, 82, 82, Kind::Gong, 431, 352, 36, 36, "41");
    g41a.pics[0] = "ga41a_a.bmp";
    g41a.pics[1] = "ga41b_a.bmp";
    g41a.pics[2] = "ga41c_a.bmp";
    g41a.mask = "ga41amk.bmp";
    v.push_back(g41a);
    Inst g41b = Make(404, 3, 492, 253, 62, 62, Kind::Bell, 522, 283, 28, 28, "41");
    g41b.pics[0] = "ga41a_b.bmp";
    g41b.pics[1] = "ga41b_b.bmp";
    g41b.pics[2] = "ga41c_b.bmp";
    g41b.mask = "ga41bmk.bmp";
    v.push_back(g41b);
    v.push_back(Make(410, 3, 365, 242, 102, 24, Kind::Bar, 366, 244, 100, 18, "42"));
    v.push_back(Make(420, 3, 339, 346, 52, 22, Kind::Bar, 340, 348, 50, 16, "43"));
    v.push_back(Make(430, 3, 490, 361, 72, 72, Kind::Gong, 525, 396, 32, 32, "44"));
    v.push_back(Make(435, 3, 316, 415, 46, 46, Kind::Bell, 338, 437, 20, 20, "45"));
    v.push_back(Make(445, 3, 401, 420, 46, 46, Kind::Bell, 423, 442, 20, 20, "46"));
    v.push_back(Make(455, 3, 470, 421, 46, 46, Kind::Bell, 492, 443, 20, 20, "47"));
    v.push_back(Make(465, 3, 556, 412, 46, 46, Kind::Bell, 578, 434, 20, 20, "48"));
    return v;
}

Shape InstShape(const Inst& i) {
    switch (i.kind) {
        case Kind::Gong: return Circle(i.a, i.b, i.c);
        case Kind::Bar: return RoundRect(i.a, i.b, i.c, i.d, i.d / 2);
        case Kind::Drum: return Ellipse(i.a, i.b, i.c, i.d);
        case Kind::Bell:
        default: return Union(Ellipse(i.a, i.b + i.d * 0.15f, i.c, i.d * 0.85f), Circle(i.a, i.b - i.d * 0.8f, i.c * 0.25f));
    }
}

// look: 0 bronze (rest), 1 silver (a), 2 patina (b), 3 golden glow (c)
void DrawInst(Canvas& c, const Inst& i, int look) {
    const Col hi[4] = {Hex(0xE8B070), Hex(0xF4F4FA), Hex(0x9AE0C0), Hex(0xFFF4B0)};
    const Col lo[4] = {Hex(0x6A3A12), Hex(0x6A7080), Hex(0x1E6A52), Hex(0xE08A10)};
    const Shape s = InstShape(i);
    const bool loop = i.id % 2 == 1;
    if (look == 3) c.Glow(s, Hex(0xFFD870), 4, 1.0f);
    c.Fill(Grow(s, 1.2f), Hex(0x1A0C04));
    const Box b = s.box;
    c.Fill(s, Radial(b.x0 + (b.x1 - b.x0) * 0.35f, b.y0 + (b.y1 - b.y0) * 0.3f, std::max(b.x1 - b.x0, b.y1 - b.y0), hi[look], lo[look]));
    if (i.kind == Kind::Gong) {
        for (int k = 1; k <= 3; ++k)
            c.Fill(Ring(i.a, i.b, i.c * static_cast<float>(k) / 4.0f, 1.3f), Scale(lo[look], 0.9f), 0.6f);
        c.Fill(Circle(i.a, i.b, i.c * 0.2f), hi[look]);
        if (look == 3)
            for (int k = 0; k < 2; ++k) c.Fill(Ring(i.a, i.b, i.c * (0.55f + 0.3f * static_cast<float>(k)), 1.6f), Hex(0xFFFFFF), 0.7f);
    } else if (i.kind == Kind::Bar) {
        c.Fill(Circle(i.a + i.d * 0.6f, i.b + i.d / 2, 2), Hex(0x1A0C04));
        c.Fill(Circle(i.a + i.c - i.d * 0.6f, i.b + i.d / 2, 2), Hex(0x1A0C04));
        c.Fill(RoundRect(i.a + 4, i.b + 2, i.c - 8, 3, 1.5f), Hex(0xFFFFFF), look == 3 ? 0.9f : 0.35f);
    } else if (i.kind == Kind::Bell) {
        c.Fill(Ellipse(i.a, i.b + i.d * 0.85f, i.c * 0.9f, i.d * 0.18f), Scale(lo[look], 0.7f));
        if (loop) c.Fill(Subtract(Ring(i.a, i.b + 2, i.c * 0.35f, 2), Rect(i.a, i.b + 2 - i.c * 0.5f, i.c * 0.5f, i.c * 0.45f)), Hex(0x2A1408), 0.8f);
    } else {
        c.Fill(Ellipse(i.a, i.b - i.d * 0.3f, i.c * 0.85f, i.d * 0.45f), hi[look], 0.7f);
    }
}

const int kCentreY[4] = {143, 286, 237, 192};  // gab1..gab4
const char* const kCentreMark[4] = {"1", "2", "3", "4"};
Shape CentreShape(int k) { return RoundRect(293, static_cast<float>(kCentreY[k]) + 3, 54, 38, 10); }
void DrawCentre(Canvas& c, int k, int look) {  // 0 rest, 1 hover (b), 2 pressed (c)
    const float y = static_cast<float>(kCentreY[k]);
    const Shape s = CentreShape(k);
    if (look) c.Glow(s, Hex(0xFFD870), 3, 1.0f);
    Bevel(c, s, look == 2 ? Hex(0xFFC040) : look == 1 ? Hex(0xD89A48) : Hex(0x8A5A24));
    // Four little squares; the quarter this button steps is filled.
    for (int q = 0; q < 4; ++q) {
        const float qx = 305 + static_cast<float>(q % 2) * 10, qy = y + 12 + static_cast<float>(q / 2) * 10;
        const int quarter = k == 0 ? 0 : k == 1 ? 1 : k == 2 ? 2 : 3;
        c.Fill(Rect(qx, qy, 8, 8), q == quarter ? Hex(0xFFFFFF) : Hex(0x3A220C), q == quarter ? 1.0f : 0.6f);
    }
    c.Text(FontOf(plat::Font::Face::SansBold, 14), kCentreMark[k], 330, y + 13, look ? Hex(0xFFFFFF) : Hex(0xFFE2A0));
}

void DrawHall(Canvas& c) {
    c.Shade([](float x, float y) {
        if (y > 400) return Mix(Hex(0x6A3A1A), Hex(0x3A1E0C), (y - 400) / 80.0f);
        Col wall = Mix(Hex(0x8A2A1A), Hex(0x4A140C), y / 400.0f);
        wall = Scale(wall, 0.9f + 0.2f * Noise(x, y, 30, 71));
        return wall;
    });
    // Arches and pillars.
    for (int k = 0; k < 5; ++k) {
        const float cx = 64 + 128 * static_cast<float>(k);
        c.Fill(Subtract(Union(Rect(cx - 50, 60, 100, 340), Circle(cx, 60, 50)), Union(Rect(cx - 42, 62, 84, 338), Circle(cx, 62, 42))),
               Hex(0xC88A40), 0.35f);
    }
    c.Fill(Rect(0, 398, kW, 4), Hex(0xD8A050), 0.6f);
    // Wooden frames the instruments hang in.
    c.Fill(Rect(60, 10, 130, 6), Hex(0x3A1E0C));
    c.Fill(Rect(445, 10, 130, 6), Hex(0x3A1E0C));
    c.Fill(Rect(280, 130, 80, 210), Hex(0x2A1406), 0.7f);
    Label(c, "GAMA", 8, 142, 16, Hex(0xFFE2A0), Hex(0x2A1406));
}

}  // namespace

void BuildGama(Album& album) {
    SceneKit kit(album, kW, kH);
    Canvas& back = kit.Back();
    DrawHall(back);
    const std::vector<Inst> insts = Instruments();
    for (const Inst& i : insts) DrawInst(back, i, 0);
    for (int k = 0; k < 4; ++k) DrawCentre(back, k, 0);
    DrawCornerBadge(back, 5, 5, 459, false);
    DrawCornerBadge(back, 5, 616, 459, false);
    kit.SaveBackground(kImg + "Gabkgrnd.bmp");

    for (const Inst& i : insts) {
        for (int look = 0; look < 3; ++look)
            if (!i.pics[look].empty())
                kit.Picture(kImg + i.pics[look], i.x, i.y, i.w, i.h, [&](Canvas& c) { DrawInst(c, i, look + 1); });
        kit.Mask(kMask + i.mask, i.x, i.y, i.w, i.h, InstShape(i));
    }
    for (int k = 0; k < 4; ++k) {
        const std::string n = "gab" + std::to_string(k + 1);
        kit.Picture(kImg + n + "b.bmp", 290, kCentreY[k], 60, 44, [&](Canvas& c) { DrawCentre(c, k, 1); });
        kit.Picture(kImg + n + "c.bmp", 290, kCentreY[k], 60, 44, [&](Canvas& c) { DrawCentre(c, k, 2); });
    }
    kit.Mask(kMask + "Gabx_mk.bmp", 290, kCentreY[0], 60, 44, CentreShape(0));
    kit.Picture(kImg + "ga_sun.bmp", 26, 407, 40, 40, [](Canvas& c) { DrawSun(c, 46, 427, 19); });
    BuildNavBar(album, 5, back);
}

SceneLayout GamaLayout() {
    SceneLayout l{"gama", kW, kH, {}, kImg + "Gabkgrnd.bmp"};
    const IRect quarters[4] = {{0, 0, 320, 240}, {320, 0, 640, 240}, {0, 240, 320, 480}, {320, 240, 640, 480}};
    const IRect centre{295, 145, 350, 335};
    for (const Inst& i : Instruments())
        l.hotspots.push_back({i.id, i.x, i.y, kMask + i.mask, i.region, quarters[i.region], {centre}, kImg + i.pics[2]});
    for (int k = 0; k < 4; ++k)
        l.hotspots.push_back({700 + 2 * k, 290, kCentreY[k], kMask + "Gabx_mk.bmp", 4, centre, {}, kImg + "gab" + std::to_string(k + 1) + "b.bmp"});
    l.hotspots.push_back({800, 5, 459, dir::kNavMasks + "zzmk.bmp", 2, quarters[2], {centre}, kImg + "Gazz_up.bmp"});
    return l;
}

}  // namespace ag
