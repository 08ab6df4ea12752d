// The hub's help screen: a blueprint of the hub with 18 marked regions; each
// region's picture lights its marker and shows an explanation beside it.
#include <algorithm>
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"

namespace ag {

namespace {

constexpr int kW = 610, kH = 465;
constexpr float kMarkR = 10;

struct Region {
    int x, y, id;
    const char* pic;
    const char* mask;
    const char* mark;
    const char* text;
};

const Region kRegions[18] = {
    {75, 353, 0, "Cehp!!.bmp", "Cehp!!mk.bmp", "!", "Roll the pointer over anything that glows: it sounds. A click plays a second sound."},
    {408, 363, 200, "Cehpgo.bmp", "Cehpgomk.bmp", "GO", "Click GO to leave help."},
    {155, 188, 0, "Cehphelp.bmp", "Cehphpmk.bmp", "?", "The Help button shows this screen. In a world, press the Help key or Ctrl+H."},
    {271, 71, 0, "Cehpk1.bmp", "Cehpk1mk.bmp", "1", "Point at a world in the ring to hear it."},
    {428, 48, 0, "Cehpk2.bmp", "Cehpk2mk.bmp", "2", "Click a world to choose it: its tune loops."},
    {399, 89, 0, "Cehpk3.bmp", "Cehpk3mk.bmp", "3", "Click the chosen world again to stop its tune."},
    {335, 175, 0, "Cehpk4.bmp", "Cehpk4mk.bmp", "4", "With a world lit, click GO in the middle to travel there."},
    {231, 129, 0, "Cehpk5.bmp", "Cehpk5mk.bmp", "5", "Five worlds: Star, Day, kBot, Troid and Gama."},
    {274, 7, 0, "Cehpk6.bmp", "Cehpk6mk.bmp", "6", "Every world has its own sounds, loops and tricks."},
    {20, 231, 0, "Cehpkeys.bmp", "Cehpkymk.bmp", "K", "Keys: roll onto a thing, hold Shift and press a letter. The letter now plays it."},
    {201, 339, 0, "Cehpmisc.bmp", "Cehpmcmk.bmp", "*", "Click on empty space for a surprise sound."},
    {341, 144, 0, "Cehpnav.bmp", "Cehpnamk.bmp", "N", "In a world, the badge at the bottom right opens the travel bar: home or another world."},
    {23, 152, 230, "Cehpopn1.bmp", "Cehpo1mk.bmp", "O", "Open loads a saved session of recordings."},
    {68, 0, 231, "Cehpopn2.bmp", "Cehpo2mk.bmp", "F", "The File menu also starts, opens and saves sessions."},
    {148, 211, 0, "Cehpquit.bmp", "Cehpqtmk.bmp", "Q", "Quit ends Plinkpad; it asks before losing recordings."},
    {5, 57, 210, "Cehprec1.bmp", "Cehpr1mk.bmp", "R", "The Record button (or Tab) opens the Record/Play palette."},
    {5, 266, 211, "Cehprec2.bmp", "Cehpr2mk.bmp", "R", "Record cuts in six tracks and play them back, one or all."},
    {420, 0, 0, "Cehpz3.bmp", "Cehpz3mk.bmp", "V", "Volume: the Volume menu or the palette's slider. Shift+1 mutes."},
};

float MarkX(const Region& r) { return static_cast<float>(r.x) + 11; }
float MarkY(const Region& r) { return static_cast<float>(r.y) + 11; }

void DrawMarker(Canvas& c, const Region& r, bool lit) {
    const float cx = MarkX(r), cy = MarkY(r);
    const bool go = r.id == 200;
    if (lit) c.Glow(Circle(cx, cy, kMarkR), go ? Hex(0xA8FF90) : Hex(0xFFE890), 4, 1.0f);
    const Col fill = go ? (lit ? Hex(0x40D040) : Hex(0x2A8A30)) : (lit ? Hex(0xFFD040) : Hex(0x3A78B0));
    c.Fill(Circle(cx, cy, kMarkR), Radial(cx - 3, cy - 3, 13, Scale(fill, 1.4f), fill));
    c.Fill(Ring(cx, cy, kMarkR - 0.5f, 1.2f), lit ? Hex(0xFFFFFF) : Hex(0xA8C8E8));
    const auto& f = FontOf(plat::Font::Face::SansBold, go ? 9 : 12);
    c.Text(f, r.mark, cx - static_cast<float>(f.MeasureWidth(r.mark)) / 2, cy - static_cast<float>(f.LineHeight()) / 2,
           lit ? Hex(0x102030) : Hex(0xFFFFFF));
}

// The explanation box of a region, beside its marker, inside the stage.
Box BoxOf(const Region& r, int& lines) {
    const float x = static_cast<float>(r.x) + 24;
    const float w = std::min(230.0f, static_cast<float>(kW - 2) - x);
    lines = static_cast<int>(Wrap(r.text, 12, static_cast<int>(w) - 12).size());
    const float h = static_cast<float>(lines) * 15 + 10;
    const float y = std::min(static_cast<float>(r.y) + 2, static_cast<float>(kH - 2) - h);
    return {x, y, x + w, y + h};
}

void DrawExplanation(Canvas& c, const Region& r) {
    int lines = 0;
    const Box b = BoxOf(r, lines);
    c.Fill(RoundRect(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, 6), Hex(0xFFF8DC));
    c.Fill(Subtract(RoundRect(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, 6), RoundRect(b.x0 + 1.5f, b.y0 + 1.5f, b.x1 - b.x0 - 3, b.y1 - b.y0 - 3, 5)),
           Hex(0xC89020));
    float y = b.y0 + 4;
    for (const std::string& line : Wrap(r.text, 12, static_cast<int>(b.x1 - b.x0) - 12)) {
        c.Text(FontOf(plat::Font::Face::Sans, 12), line, b.x0 + 6, y, Hex(0x1A1A2A));
        y += 15;
    }
}

}  // namespace

void BuildHelp(Album& album) {
    SceneKit kit(album, kW, kH);
    Canvas& back = kit.Back();
    back.Shade([](float x, float y) {
        Col c = Mix(Hex(0x14365A), Hex(0x0A1C34), y / static_cast<float>(kH));
        if (static_cast<int>(x) % 20 == 0 || static_cast<int>(y) % 20 == 0) c = Mix(c, Hex(0x3A6A9A), 0.35f);
        return c;
    });
    // Outlines of the hub: the ring, its portals, the console and the menu.
    const Col line = Hex(0x8AB8E0);
    back.Fill(Ring(372, 228, 186, 1.5f), line, 0.7f);
    const float portals[5][2] = {{383, 88}, {484, 164}, {464, 341}, {278, 337}, {247, 169}};
    for (const auto& p : portals) back.Fill(Ring(p[0], p[1], 44, 1.5f), line, 0.7f);
    back.Fill(Ring(376, 235, 13, 1.5f), line, 0.7f);
    back.Fill(Subtract(RoundRect(58, 70, 146, 282, 18), RoundRect(59.5f, 71.5f, 143, 279, 17)), line, 0.7f);
    back.Fill(Ring(109, 119, 20, 1.5f), line, 0.7f);
    for (int i = 0; i < 3; ++i)
        back.Fill(Subtract(RoundRect(100, 247.0f + 31.5f * static_cast<float>(i), 34, 24, 7), RoundRect(101.5f, 248.5f + 31.5f * static_cast<float>(i), 31, 21, 6)),
                  line, 0.7f);
    back.Fill(Subtract(RoundRect(0, 0, 190, 26, 6), RoundRect(1.5f, 1.5f, 187, 23, 5)), line, 0.7f);
    Label(back, "Help", 250, 420, 24, Hex(0xFFFFFF), Hex(0x0A1C34));
    back.Text(FontOf(plat::Font::Face::Sans, 13), "Point at a marker to read about it.", 180, 395, Hex(0xD8ECFF));
    for (const Region& r : kRegions) DrawMarker(back, r, false);
    kit.SaveBackground(dir::kHelpImg + "Cehpgrnd.bmp");

    for (const Region& r : kRegions) {
        int lines = 0;
        const Box b = BoxOf(r, lines);
        const int w = static_cast<int>(b.x1) - r.x + 1, h = std::max(22, static_cast<int>(b.y1) - r.y + 1);
        kit.Picture(dir::kHelpImg + r.pic, r.x, r.y, std::min(w, kW - r.x), std::min(h, kH - r.y), [&](Canvas& c) {
            DrawMarker(c, r, true);
            DrawExplanation(c, r);
        });
        kit.Mask(dir::kHelpMask + r.mask, r.x, r.y, 22, 22, Circle(MarkX(r), MarkY(r), kMarkR));
    }
}

SceneLayout HelpLayout() {
    SceneLayout l{"help", kW, kH, {}, dir::kHelpImg + "Cehpgrnd.bmp"};
    for (const Region& r : kRegions)
        l.hotspots.push_back({r.id, r.x, r.y, dir::kHelpMask + r.mask, 0, {0, 0, kW, kH}, {}, dir::kHelpImg + r.pic});
    return l;
}

}  // namespace ag
