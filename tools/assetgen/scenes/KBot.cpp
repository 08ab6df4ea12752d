// kBot: a friendly robot with a keyboard of twenty keys in four rows (two
// rising arms of keys above, two straight keyboards below), drum pads, chest
// bells and a loop switch.
#include <cmath>
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"
#include "tools/assetgen/SharedShapes.h"

namespace ag {

namespace {

constexpr int kW = 608, kH = 456;
const std::string& kImg = dir::kKBotImg;
const std::string& kMask = dir::kKBotMask;

const int kPads[4][2] = {{304, 28}, {301, 351}, {134, 346}, {156, 28}};   // kbt1..4
constexpr int kPadW = 36, kPadH = 24;
const int kDots[4][2] = {{316, 109}, {312, 266}, {251, 261}, {264, 113}};  // kbd1..4
const float kDotCentre[4][2] = {{336, 127}, {332, 284}, {271, 279}, {284, 131}};
const int kBells[5][2] = {{290, 50}, {316, 220}, {288, 240}, {28, 220}, {288, 217}};  // kbb1..5
const float kBellCentre[5][2] = {{301, 61}, {327, 231}, {299, 251}, {39, 231}, {299, 228}};
const int kKeys[4][5][2] = {{{54, 44}, {109, 55}, {152, 78}, {198, 98}, {241, 126}},
                            {{358, 137}, {400, 116}, {445, 96}, {491, 72}, {538, 60}},
                            {{42, 241}, {88, 241}, {134, 241}, {178, 242}, {227, 241}},
                            {{341, 242}, {381, 242}, {425, 242}, {471, 243}, {518, 242}}};
const int kHighlights[4][5][2] = {{{65, 17}, {117, 29}, {160, 54}, {204, 74}, {246, 101}},
                                  {{362, 111}, {406, 91}, {451, 71}, {497, 46}, {543, 34}},
                                  {{49, 401}, {93, 394}, {141, 378}, {185, 360}, {231, 338}},
                                  {{345, 334}, {385, 355}, {430, 374}, {476, 389}, {525, 401}}};
constexpr int kKeyW = 38, kKeyH = 32;
const Col kRowColour[4] = {Hex(0xFFD030), Hex(0x50D070), Hex(0x40A0FF), Hex(0xFF60B0)};
constexpr int kNoteSize = 24;

Shape KeyShape(int row, int col) {
    return RoundRect(static_cast<float>(kKeys[row][col][0]) + 1, static_cast<float>(kKeys[row][col][1]) + 1, kKeyW - 2, kKeyH - 2, 6);
}

void DrawKey(Canvas& c, int row, int col, bool lit) {
    const float x = static_cast<float>(kKeys[row][col][0]), y = static_cast<float>(kKeys[row][col][1]);
    const Shape s = KeyShape(row, col);
    const Col rc = kRowColour[row];
    if (lit) c.Glow(s, rc, 4, 1.0f);
    c.Fill(Translate(s, 0, 2), Hex(0x2A2A3A), 0.8f);
    c.Fill(s, Linear(x, y, lit ? Hex(0xFFFFFF) : Hex(0xE4E0D8), x, y + kKeyH, lit ? Scale(rc, 1.1f) : Hex(0xA8A4A0)));
    c.Fill(RoundRect(x + 5, y + 5, kKeyW - 10, 7, 3), lit ? Hex(0xFFFFFF) : Scale(rc, 0.75f));
}

Shape PadShape(int i) {
    return RoundRect(static_cast<float>(kPads[i][0]) + 1, static_cast<float>(kPads[i][1]) + 1, kPadW - 2, kPadH - 2, 10);
}

void DrawPad(Canvas& c, int i, bool lit) {
    const float x = static_cast<float>(kPads[i][0]), y = static_cast<float>(kPads[i][1]);
    if (lit) c.Glow(PadShape(i), Hex(0xFFB060), 4, 1.0f);
    c.Fill(PadShape(i), Radial(x + 18, y + 10, 24, lit ? Hex(0xFFE8C0) : Hex(0x8A5A3A), lit ? Hex(0xFF7A20) : Hex(0x4A2A1A)));
    c.Fill(Ellipse(x + 18, y + 12, 11, 6), lit ? Hex(0xFFF8E8) : Hex(0x6A4A3A), 0.8f);
}

Shape DotShape(int i) { return Ellipse(kDotCentre[i][0], kDotCentre[i][1], 17, 15); }

void DrawDot(Canvas& c, int i, bool lit) {
    const float cx = kDotCentre[i][0], cy = kDotCentre[i][1];
    const bool eye = i == 0 || i == 3;
    const Col col = eye ? Hex(0x36D0FF) : Hex(0xB070FF);
    if (lit) c.Glow(DotShape(i), col, 4, 1.0f);
    c.Fill(DotShape(i), Hex(0x1A2030));
    c.Fill(Grow(DotShape(i), -3), Radial(cx - 4, cy - 4, 16, lit ? Hex(0xFFFFFF) : Scale(col, 0.6f), lit ? col : Scale(col, 0.25f)));
    if (eye) c.Fill(Circle(cx + 3, cy - 3, 3), Hex(0xFFFFFF), lit ? 1.0f : 0.5f);
}

void DrawBell(Canvas& c, int i, bool lit) {
    const float cx = kBellCentre[i][0], cy = kBellCentre[i][1];
    const bool loop = i == 4;
    const Col col = loop ? Hex(0x60FF90) : Hex(0xFFD860);
    if (lit) c.Glow(Circle(cx, cy, 9), col, 4, 1.0f);
    c.Fill(Circle(cx, cy, 9.5f), Hex(0x202028));
    c.Fill(Circle(cx, cy, 8), Radial(cx - 3, cy - 3, 11, lit ? Hex(0xFFFFFF) : Scale(col, 0.6f), lit ? col : Scale(col, 0.3f)));
    if (loop) c.Fill(Subtract(Ring(cx, cy, 4.5f, 1.6f), Rect(cx, cy - 6, 6, 5)), lit ? Hex(0x103020) : Hex(0xC8FFD8));
}

void DrawNote(Canvas& c, float x, float y, Col col) {
    c.Glow(Circle(x + 12, y + 12, 6), col, 4, 0.9f);
    c.Fill(Ellipse(x + 9, y + 17, 5, 3.8f), Hex(0xFFFFFF));
    c.Fill(Capsule(x + 13.5f, y + 17, x + 13.5f, y + 4, 2), Hex(0xFFFFFF));
    c.Fill(Capsule(x + 13.5f, y + 4, x + 19, y + 8, 2), Hex(0xFFFFFF));
}

void DrawRoom(Canvas& c) {
    c.Shade([](float x, float y) {
        if (y < 300) {
            Col wall = Mix(Hex(0xC8D8F0), Hex(0x8AA0C8), y / 300.0f);
            if ((static_cast<int>(x) / 40 + static_cast<int>(y) / 40) % 2 == 0) wall = Scale(wall, 0.96f);
            return wall;
        }
        Col floor = Mix(Hex(0x6A6A8A), Hex(0x3A3A54), (y - 300) / 156.0f);
        if (static_cast<int>(x + (y - 300) * 0.5f) % 48 < 2) floor = Scale(floor, 1.15f);
        return floor;
    });
    // Keyboard beds under rows 3 and 4 and arms under rows 1 and 2.
    c.Fill(RoundRect(34, 232, 240, 52, 10), Hex(0x3A3A4A));
    c.Fill(RoundRect(333, 233, 230, 52, 10), Hex(0x3A3A4A));
    c.Fill(Capsule(70, 58, 262, 142, 44), Hex(0x50506A), 0.9f);
    c.Fill(Capsule(374, 152, 560, 74, 44), Hex(0x50506A), 0.9f);
    // The robot: head, neck, body, antenna, wheels.
    c.Fill(Capsule(301, 50, 301, 90, 4), Hex(0x808898));
    c.Fill(RoundRect(256, 92, 110, 78, 20), Linear(256, 92, Hex(0xFF9A50), 366, 170, Hex(0xB04A18)));
    c.Fill(Intersect(Ring(310, 140, 16, 4), Rect(290, 146, 40, 14)), Hex(0x3A2A2A));  // a smile
    c.Fill(Rect(296, 170, 28, 14), Hex(0x808898));
    c.Fill(RoundRect(244, 184, 134, 124, 22), Linear(244, 184, Hex(0xFF8A40), 378, 308, Hex(0xA04016)));
    c.Fill(RoundRect(280, 206, 66, 64, 10), Hex(0xE8E4DC), 0.9f);
    c.Fill(Circle(262, 318, 16), Hex(0x2A2A36));
    c.Fill(Circle(360, 318, 16), Hex(0x2A2A36));
    c.Fill(Circle(262, 318, 6), Hex(0x9090A0));
    c.Fill(Circle(360, 318, 6), Hex(0x9090A0));
    Label(c, "kBot", 410, 420, 18, Hex(0xFFF6EC), Hex(0x3A3A54));
}

}  // namespace

void BuildKBot(Album& album) {
    SceneKit kit(album, kW, kH);
    Canvas& back = kit.Back();
    DrawRoom(back);
    for (int i = 0; i < 4; ++i) DrawPad(back, i, false);
    for (int i = 0; i < 4; ++i) DrawDot(back, i, false);
    for (int i = 0; i < 5; ++i) DrawBell(back, i, false);
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 5; ++k) DrawKey(back, r, k, false);
    DrawCornerBadge(back, 3, 5, 435, false);
    DrawCornerBadge(back, 3, 584, 5, false);
    DrawCornerBadge(back, 3, 584, 435, false);
    kit.SaveBackground(kImg + "Kbbkgrnd.bmp");

    for (int i = 0; i < 4; ++i) {
        const std::string n = "kbt" + std::to_string(i + 1);
        kit.Picture(kImg + n + "up.bmp", kPads[i][0], kPads[i][1], kPadW, kPadH, [&](Canvas& c) { DrawPad(c, i, true); });
        kit.Mask(kMask + n + "mk.bmp", kPads[i][0], kPads[i][1], kPadW, kPadH, PadShape(i));
    }
    for (int i = 0; i < 4; ++i) {
        const std::string n = "kbd" + std::to_string(i + 1);
        kit.Picture(kImg + n + "up.bmp", kDots[i][0], kDots[i][1], 40, 36, [&](Canvas& c) { DrawDot(c, i, true); });
        kit.Mask(kMask + n + "mk.bmp", kDots[i][0], kDots[i][1], 40, 36, DotShape(i));
    }
    for (int i = 0; i < 5; ++i) {
        const std::string n = "kbb" + std::to_string(i + 1);
        kit.Picture(kImg + n + "up.bmp", kBells[i][0], kBells[i][1], 22, 22, [&](Canvas& c) { DrawBell(c, i, true); });
        kit.Mask(kMask + n + "mk.bmp", kBells[i][0], kBells[i][1], 22, 22, Circle(kBellCentre[i][0], kBellCentre[i][1], 9.5f));
    }
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 5; ++k) {
            const std::string n = "kb" + std::to_string(r + 1) + std::to_string(k + 1);
            kit.Picture(kImg + n + "up.bmp", kKeys[r][k][0], kKeys[r][k][1], kKeyW, kKeyH + 2, [&](Canvas& c) { DrawKey(c, r, k, true); });
            kit.Mask(kMask + n + "mk.bmp", kKeys[r][k][0], kKeys[r][k][1], kKeyW, kKeyH, KeyShape(r, k));
        }
    // Highlights: one note picture per row pair, shown above (rows 1, 2) or
    // below (rows 3, 4) the key; drawn on the room's colours.
    const char* notes[3] = {"Kb1_2up.bmp", "Kb3sup.bmp", "Kb4sup.bmp"};
    const Col noteCol[3] = {Hex(0xFFD030), Hex(0x40A0FF), Hex(0xFF60B0)};
    const Col backing[3] = {Hex(0xB0C4E4), Hex(0x505070), Hex(0x505070)};
    for (int k = 0; k < 3; ++k) {
        Canvas c(kNoteSize, kNoteSize, 0, 0, backing[k]);
        DrawNote(c, 0, 0, noteCol[k]);
        album.AddButton(kImg + notes[k], c, 0.45f);
    }
    kit.Mask(kMask + "kbzzmk.bmp", 5, 435, kToggleW, kToggleH, ToggleShape(5, 435));
    kit.Picture(kImg + "kbsun.bmp", 25, 392, 40, 40, [](Canvas& c) { DrawSun(c, 45, 412, 19); });
    const char* modes[2] = {"hold off", "hold on"};
    for (int k = 0; k < 2; ++k)
        kit.Picture(kImg + "Kbalt" + std::to_string(k + 1) + ".bmp", 525, 5, 58, 20, [&](Canvas& c) {
            c.Fill(RoundRect(525, 5, 58, 20, 6), k ? Hex(0x2A9AD8) : Hex(0x6A4A3A));
            c.Text(FontOf(plat::Font::Face::SansBold, 11), modes[k], 531, 8, Hex(0xFFFFFF));
        });
    BuildNavBar(album, 3, back);
}

SceneLayout KBotLayout() {
    SceneLayout l{"kbot", kW, kH, {}, kImg + "Kbbkgrnd.bmp"};
    const IRect all{0, 0, kW, kH};
    const int padIds[4] = {200, 210, 220, 230};
    for (int i = 0; i < 4; ++i) l.hotspots.push_back({padIds[i], kPads[i][0], kPads[i][1], kMask + "kbt" + std::to_string(i + 1) + "mk.bmp", 0, all, {},
                                                       kImg + "kbt" + std::to_string(i + 1) + "up.bmp"});
    for (int i = 0; i < 4; ++i) l.hotspots.push_back({100 + 10 * i, kDots[i][0], kDots[i][1], kMask + "kbd" + std::to_string(i + 1) + "mk.bmp", 0, all, {},
                                                       kImg + "kbd" + std::to_string(i + 1) + "up.bmp"});
    for (int i = 0; i < 5; ++i) l.hotspots.push_back({10 + 10 * i, kBells[i][0], kBells[i][1], kMask + "kbb" + std::to_string(i + 1) + "mk.bmp", 0, all, {},
                                                       kImg + "kbb" + std::to_string(i + 1) + "up.bmp"});
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 5; ++k)
            l.hotspots.push_back({300 + 10 * r + 2 * k, kKeys[r][k][0], kKeys[r][k][1],
                                  kMask + "kb" + std::to_string(r + 1) + std::to_string(k + 1) + "mk.bmp", 0, all, {},
                                  kImg + "kb" + std::to_string(r + 1) + std::to_string(k + 1) + "up.bmp"});
    l.hotspots.push_back({400, 5, 435, kMask + "kbzzmk.bmp", 0, all, {}, kImg + "Kbzzup.bmp"});
    l.hotspots.push_back({410, 584, 5, kMask + "kbzzmk.bmp", 0, all, {}, kImg + "Kbzzup.bmp"});
    return l;
}

}  // namespace ag
