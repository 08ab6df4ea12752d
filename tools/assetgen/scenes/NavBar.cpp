// The navigation bar of each world: a panel with a home socket ringed by five
// world sockets, a glowing ring that marks a lit world socket, a lit home
// button and the corner badge that toggles the bar.
#include <algorithm>
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"
#include "tools/assetgen/SharedShapes.h"
#include "tools/assetgen/Theme.h"

namespace ag {

namespace {

struct NavConfig {
    const char* hubPic;
    int hubX, hubY;
    const char* worldPic;
    int worlds[5][2];
    const char* barPic;
    int barX, barY;
    const char* togglePic;
    int toggleX, toggleY;
};

const NavConfig kNav[6] = {
    {},
    {"Stn1mk.bmp", 538, 410, "Stn_up.bmp", {{539, 392}, {555, 405}, {550, 424}, {527, 424}, {522, 405}}, "Stnav.bmp", 517, 387, "Stzz.bmp", 578, 429},
    {"Dan1.bmp", 532, 407, "Danx.bmp", {{533, 389}, {549, 402}, {544, 421}, {521, 421}, {516, 402}}, "Da_nav.bmp", 511, 384, "Dazz.bmp", 575, 401},
    {"Kbn1up.bmp", 546, 414, "Kbnzup.bmp", {{546, 397}, {563, 410}, {558, 429}, {535, 429}, {530, 410}}, "Kbnav.bmp", 525, 392, "Kbzzup.bmp", 584, 435},
    {"Trn1up.bmp", 546, 415, "Trnxup.bmp", {{547, 397}, {563, 410}, {558, 429}, {535, 429}, {530, 410}}, "Trnav.bmp", 525, 392, "trzxup.bmp", 585, 435},
    {"Gan1.bmp", 578, 430, "Ganx.bmp", {{579, 412}, {595, 425}, {590, 444}, {567, 444}, {562, 425}}, "Ga_nav.bmp", 557, 407, "Gazz_up.bmp", 616, 459},
};

const char* const kImageDir[6] = {"", "star/St_bmp/", "day/da_bmp/", "kbot/kb_bmp/", "troid/Image/", "GAMA/ga_bmp/"};
const Col kWorldColour[6] = {Hex(0x6CFF7A), Hex(0x4050C0), Hex(0xF0D030), Hex(0xE86A2A), Hex(0x8A6A50), Hex(0xC08A30)};
const char* const kLetter[6] = {"", "S", "D", "K", "T", "G"};

void DrawHome(Canvas& c, float cx, float cy, Col col) {
    c.Fill(Polygon({{cx - 4.5f, cy}, {cx, cy - 4.5f}, {cx + 4.5f, cy}}), col);
    c.Fill(Rect(cx - 3, cy - 0.5f, 6, 4.5f), col);
}

}  // namespace

void DrawSun(Canvas& c, float cx, float cy, float r) {
    c.Glow(Circle(cx, cy, r * 0.6f), Hex(0xFFE890), r * 0.4f, 0.9f);
    c.Fill(Star(cx, cy, r * 0.62f, r, 12), Hex(0xFFC828));
    c.Fill(Circle(cx, cy, r * 0.55f), Radial(cx - r * 0.2f, cy - r * 0.2f, r * 0.7f, Hex(0xFFF8C0), Hex(0xFFB020)));
    const auto& f = FontOf(plat::Font::Face::SansBold, std::max(8, static_cast<int>(r * 0.42f)));
    c.Text(f, "REC", cx - static_cast<float>(f.MeasureWidth("REC")) / 2, cy - static_cast<float>(f.LineHeight()) / 2, Hex(0xA02010));
}

void DrawCornerBadge(Canvas& c, int world, float x, float y, bool lit) {
    const Theme t = ThemeOf(world);
    const Shape s = ToggleShape(x, y);
    c.Fill(s, lit ? t.panel : Scale(t.panel, 0.7f));
    c.Fill(Ring(x + 7.5f, y + 9, 5, 1.6f), lit ? t.accent : Scale(t.accent, 0.55f));
    c.Fill(Star(x + 7.5f, y + 9, 1.2f, 3.6f, 4), lit ? Hex(0xFFFFFF) : Scale(t.accent, 0.55f));
    c.Fill(Subtract(s, Grow(s, -1.2f)), lit ? t.accent : t.panelDark);
}

void BuildNavBar(Album& album, int world, const Canvas& back) {
    const NavConfig& n = kNav[world];
    const Theme t = ThemeOf(world);
    const std::string img = dir::kAssets + kImageDir[world];

    // The panel spans every socket with a margin.
    int x1 = n.hubX + kNavButtonSize, y1 = n.hubY + kNavButtonSize;
    for (const auto& w : n.worlds) {
        x1 = std::max(x1, w[0] + kNavButtonSize);
        y1 = std::max(y1, w[1] + kNavButtonSize);
    }
    x1 = std::min(x1 + 5, back.Width());
    y1 = std::min(y1 + 5, back.Height());
    const int pw = x1 - n.barX, ph = y1 - n.barY;
    {
        Canvas c(pw, ph, n.barX, n.barY);
        c.CopyFrom(back);
        const Shape panel = RoundRect(static_cast<float>(n.barX) + 0.5f, static_cast<float>(n.barY) + 0.5f,
                                      static_cast<float>(pw) - 1, static_cast<float>(ph) - 1, 12);
        c.Fill(panel, Linear(static_cast<float>(n.barX), static_cast<float>(n.barY), Scale(t.panel, 1.25f),
                             static_cast<float>(x1), static_cast<float>(y1), t.panelDark));
        c.Fill(Subtract(panel, Grow(panel, -1.5f)), t.accent);
        const auto& f = FontOf(plat::Font::Face::SansBold, 9);
        for (int i = 0; i < 5; ++i) {
            const float cx = static_cast<float>(n.worlds[i][0]) + 7, cy = static_cast<float>(n.worlds[i][1]) + 7;
            c.Fill(Circle(cx, cy, 6.5f), kWorldColour[i + 1]);
            c.Text(f, kLetter[i + 1], cx - static_cast<float>(f.MeasureWidth(kLetter[i + 1])) / 2, cy - 6, Hex(0xFFFFFF));
        }
        const float hx = static_cast<float>(n.hubX) + 7, hy = static_cast<float>(n.hubY) + 7;
        c.Fill(Circle(hx, hy, 6.5f), Hex(0x2E6FA8));
        DrawHome(c, hx, hy, Hex(0xE8F4FF));
        album.AddButton(img + n.barPic, c, 0.5f);
    }
    // A lit world socket: a bright ring (the panel's letter shows through).
    {
        Canvas c(kNavButtonSize, kNavButtonSize, 0, 0, t.panel);
        c.Fill(Ring(7, 7, 5.6f, 2.2f), Hex(0xFFFFFF));
        c.Fill(Ring(7, 7, 5.6f, 1.0f), t.accent);
        album.AddButton(img + n.worldPic, c, 0.5f);
    }
    // The lit home button.
    {
        Canvas c(kNavButtonSize, kNavButtonSize, 0, 0, t.panel);
        c.Fill(NavButtonShape(0, 0), Radial(6, 5, 8, Hex(0xB8F0FF), Hex(0x2E8FD8)));
        DrawHome(c, 7, 7, Hex(0xFFFFFF));
        album.AddButton(img + n.hubPic, c, 0.5f);
    }
    // The corner badge, lit (also the palette corner's picture in some worlds).
    {
        Canvas c(kToggleW, kToggleH, 0, 0, t.panel);
        DrawCornerBadge(c, world, 0, 0, true);
        album.AddButton(img + n.togglePic, c, 0.5f);
    }
}

std::vector<SceneLayout> NavBarLayouts() {
    std::vector<SceneLayout> out;
    const int stage[6][2] = {{610, 465}, {605, 454}, {590, 445}, {608, 456}, {608, 456}, {640, 480}};
    for (int w = 1; w <= 5; ++w) {
        const NavConfig& n = kNav[w];
        SceneLayout l{"navbar " + ThemeOf(w).name, stage[w][0], stage[w][1], {}, {}};
        const IRect all{0, 0, stage[w][0], stage[w][1]};
        l.hotspots.push_back({1, n.hubX, n.hubY, dir::kNavMasks + "n1mk.bmp", 0, all, {}, {}});
        for (int i = 0; i < 5; ++i) l.hotspots.push_back({i + 2, n.worlds[i][0], n.worlds[i][1], dir::kNavMasks + "nxmk.bmp", 0, all, {}, {}});
        l.hotspots.push_back({0, n.toggleX, n.toggleY, dir::kNavMasks + "zzmk.bmp", 1, all, {}, {}});
        out.push_back(l);
    }
    return out;
}

}  // namespace ag
