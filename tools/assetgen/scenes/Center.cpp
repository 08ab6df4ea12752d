// The hub: a bright control room with a ring of five world portals around a
// green "go" button, a record button and three controls on a side console.
#include <cmath>
#include <numbers>
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"
#include "tools/assetgen/Theme.h"

namespace ag {

namespace {

constexpr int kW = 610, kH = 465;
constexpr float kRingX = 372, kRingY = 228;

struct Portal {
    int id, x, y, world;
    const char* label;
    int lx, ly;
};
const Portal kPortals[5] = {{80, 333, 38, 1, "Star", 363, 169},   {90, 434, 114, 2, "Day", 405, 212},
                            {100, 414, 291, 3, "kBot", 388, 255}, {110, 228, 287, 4, "Troid", 327, 252},
                            {120, 197, 119, 5, "Gama", 310, 212}};
constexpr float kPortalR = 46;
float PortalCx(const Portal& p) { return static_cast<float>(p.x) + 50; }
float PortalCy(const Portal& p) { return static_cast<float>(p.y) + 50; }

struct Control {
    int id, x, y;
    const char* word;
    int wx, wy;
};
const Control kControls[3] = {{30, 99, 246, "Open", 141, 255}, {34, 100, 277, "Help", 143, 282}, {38, 100, 309, "Quit", 146, 313}};
constexpr int kCtlW = 36, kCtlH = 26;

constexpr float kGoX = 362 + 14, kGoY = 221 + 14, kGoR = 13;
constexpr float kRecX = 87 + 22, kRecY = 97 + 22, kRecR = 20;
const int kRecSparks[6][2] = {{121, 82}, {138, 113}, {122, 141}, {90, 141}, {67, 115}, {87, 80}};
const int kGoSparks[4][2] = {{359, 203}, {389, 220}, {360, 248}, {343, 220}};

Shape HaloShape() { return RoundRect(195, 38, 352, 360, 120); }
Shape PortalShape(const Portal& p) { return Circle(PortalCx(p), PortalCy(p), kPortalR); }
Shape ControlShape(const Control& c) {
    return RoundRect(static_cast<float>(c.x) + 1, static_cast<float>(c.y) + 1, kCtlW - 2, kCtlH - 2, 7);
}

void DrawControlIcon(Canvas& c, int id, float cx, float cy, Col col) {
    if (id == 30) {  // folder
        c.Fill(RoundRect(cx - 9, cy - 6, 8, 4, 1.5f), col);
        c.Fill(RoundRect(cx - 9, cy - 4, 18, 11, 2), col);
    } else if (id == 34) {  // question mark
        c.Text(FontOf(plat::Font::Face::SansBold, 17), "?", cx - 5, cy - 10, col);
    } else {  // power symbol
        c.Fill(Subtract(Ring(cx, cy + 1, 7, 2.4f), Rect(cx - 3.5f, cy - 9, 7, 7)), col);
        c.Fill(Capsule(cx, cy - 8, cx, cy, 2.4f), col);
    }
}

void DrawControl(Canvas& c, const Control& ctl, bool lit) {
    const float cx = static_cast<float>(ctl.x) + kCtlW / 2.0f, cy = static_cast<float>(ctl.y) + kCtlH / 2.0f;
    const Shape s = ControlShape(ctl);
    if (lit) c.Glow(s, Hex(0x9CF6FF), 4, 0.9f);
    Bevel(c, s, lit ? Hex(0x4FC8F0) : Hex(0x3B6E9A));
    DrawControlIcon(c, ctl.id, cx, cy, lit ? Hex(0xFFFFFF) : Hex(0xC8DCEC));
}

void DrawPortal(Canvas& c, const Portal& p, int look) {  // 0 rest, 1 lit, 2 chosen
    const float cx = PortalCx(p), cy = PortalCy(p);
    const Theme t = ThemeOf(p.world);
    if (look == 1) c.Glow(Circle(cx, cy, kPortalR), t.glow, 5, 1.0f);
    if (look == 2) c.Glow(Circle(cx, cy, kPortalR), Hex(0xFFE070), 6, 1.0f);
    DrawWorldEmblem(c, p.world, cx, cy, kPortalR - 5, look == 0 ? 0.5f : 1.0f, look == 2 ? 1 : 0);
    const Col rim = look == 0 ? Hex(0x5A7890) : look == 1 ? Hex(0xE8F6FF) : Hex(0xFFD860);
    c.Fill(Ring(cx, cy, kPortalR - 3, 6), Linear(cx - 40, cy - 40, Scale(rim, 1.2f), cx + 40, cy + 40, Scale(rim, 0.7f)));
}

void DrawLabel(Canvas& c, const Portal& p, bool lit) {
    const float w = static_cast<float>(TextWidth(p.label, 13));
    const float x = static_cast<float>(p.lx) + (46 - w) / 2, y = static_cast<float>(p.ly);
    if (lit) {
        c.Fill(RoundRect(static_cast<float>(p.lx), y, 46, 17, 8), Hex(0x103050), 0.85f);
        Label(c, p.label, x, y + 1, 13, Hex(0xFFF6A0), Hex(0x000000));
    } else {
        c.Text(FontOf(plat::Font::Face::SansBold, 13), p.label, x, y + 1, Hex(0x6F97B5));
    }
}

void DrawGo(Canvas& c, bool lit) {
    if (lit) c.Glow(Circle(kGoX, kGoY, kGoR), Hex(0xA8FF90), 5, 1.0f);
    c.Fill(Circle(kGoX, kGoY, kGoR), Radial(kGoX - 4, kGoY - 5, 18, lit ? Hex(0xC8FFB0) : Hex(0x6CCB60), lit ? Hex(0x20A030) : Hex(0x1C6A26)));
    const auto& f = FontOf(plat::Font::Face::SansBold, 11);
    c.Text(f, "GO", kGoX - static_cast<float>(f.MeasureWidth("GO")) / 2, kGoY - 7, lit ? Hex(0xFFFFFF) : Hex(0xD8F0D0));
}

void DrawRecord(Canvas& c, bool lit) {
    if (lit) c.Glow(Circle(kRecX, kRecY, kRecR), Hex(0xFF9090), 6, 1.0f);
    c.Fill(Circle(kRecX, kRecY, kRecR), Radial(kRecX, kRecY, kRecR, Hex(0xE8EEF4), Hex(0x8CA0B4)));
    c.Fill(Circle(kRecX, kRecY, kRecR - 5), Radial(kRecX - 4, kRecY - 5, 20, lit ? Hex(0xFFB0A0) : Hex(0xD85048), lit ? Hex(0xF02020) : Hex(0x801818)));
}

void DrawBackdrop(Canvas& c) {
    c.Shade([](float x, float y) {
        Col wall = Mix(Hex(0xE6F4FC), Hex(0x8DBEDE), y / 400.0f);
        if (static_cast<int>(x) % 76 < 2 && y < 380) wall = Scale(wall, 0.93f);
        if (y >= 380) wall = Mix(Hex(0x6A8EA8), Hex(0x3E5A70), (y - 380) / 85.0f);
        return wall;
    });
    // Ceiling lights.
    for (int i = 0; i < 7; ++i) c.Fill(RoundRect(40.0f + static_cast<float>(i) * 82, 4, 50, 6, 3), Hex(0xFFFFF4));
    // Side console.
    c.Fill(RoundRect(58, 70, 146, 282, 18), Linear(58, 70, Hex(0xC9DAE8), 204, 352, Hex(0x7D9AB4)));
    c.Fill(RoundRect(64, 76, 134, 270, 14), Linear(64, 76, Hex(0xA8C4DA), 198, 346, Hex(0x6888A4)));
    c.Fill(RoundRect(92, 236, 100, 110, 8), Hex(0x5B7C98), 0.6f);
    // The ring dais and its spokes.
    c.Glow(Circle(kRingX, kRingY, 186), Hex(0xFFFFFF), 10, 0.5f);
    c.Fill(Circle(kRingX, kRingY, 186), Radial(kRingX, kRingY - 40, 230, Hex(0x2C5C8C), Hex(0x0E2640)));
    c.Fill(Ring(kRingX, kRingY, 186, 4), Hex(0xD8ECFA));
    c.Fill(Ring(kRingX, kRingY, 142, 5), Hex(0x3F8FC8), 0.8f);
    for (const Portal& p : kPortals)
        c.Fill(Capsule(kRingX, kRingY, PortalCx(p), PortalCy(p), 3), Hex(0x5EB4E8), 0.55f);
    c.Fill(Circle(kGoX, kGoY, 24), Hex(0x0C2034), 0.8f);
    c.Fill(Ring(kGoX, kGoY, 24, 2), Hex(0x5EB4E8));
    // Blinking lamps on the walls.
    for (int i = 0; i < 10; ++i) {
        const float x = 560 + static_cast<float>(i % 2) * 18, y = 60 + static_cast<float>(i / 2) * 40;
        c.Fill(Circle(x, y, 4), i % 3 ? Hex(0x60E070) : Hex(0xFFC040));
    }
    // Menu tab at the top-left and the session-name slot at the bottom.
    c.Fill(RoundRect(-8, -8, 196, 34, 8), Hex(0x2E5C86), 0.9f);
    const char* titles[3] = {"About", "File", "Volume"};
    const float tx[3] = {8, 74, 132};
    for (int i = 0; i < 3; ++i) c.Text(FontOf(plat::Font::Face::SansBold, 13), titles[i], tx[i], 6, Hex(0xB8D4EC));
    c.Fill(RoundRect(252, 430, 256, 32, 8), Hex(0x2A4A62));
    c.Fill(Rect(259, 435, 242, 22), Hex(0x000000));
    c.Text(FontOf(plat::Font::Face::SansBold, 12), "Session", 196, 439, Hex(0xE8F4FF));
}

}  // namespace

void BuildCenter(Album& album) {
    SceneKit kit(album, kW, kH);
    Canvas& back = kit.Back();
    DrawBackdrop(back);
    for (const Portal& p : kPortals) {
        DrawPortal(back, p, 0);
        DrawLabel(back, p, false);
    }
    DrawGo(back, false);
    DrawRecord(back, false);
    for (const Control& ctl : kControls) DrawControl(back, ctl, false);
    kit.SaveBackground(dir::kCenterImg + "Cebkgrnd.bmp");

    // The cover shown while the program starts: the room with a title banner.
    {
        Canvas cover(kW, kH);
        cover.CopyFrom(back);
        cover.Fill(Rect(0, 0, kW, kH), Hex(0x0C2036), 0.45f);
        cover.Fill(RoundRect(150, 170, 310, 110, 24), Hex(0x10304C), 0.9f);
        Label(cover, "Plinkpad", 305 - TextWidth("Plinkpad", 48) / 2.0f, 178, 48, Hex(0xFFFFFF), Hex(0x2E6FA8));
        cover.Text(FontOf(plat::Font::Face::Sans, 16), "a musical toy", 305 - TextWidth("a musical toy", 16, false) / 2.0f, 244,
                   Hex(0xC8F4FF));
        album.AddBackground(dir::kCenterImg + "Cecover.bmp", cover);
    }

    // Hot-spots: lit pictures and masks.
    kit.Mask(dir::kCenterMask + "Cehalomk.bmp", 195, 38, 352, 360, HaloShape());
    kit.Picture(dir::kCenterImg + "cea1.bmp", 362, 221, 28, 28, [](Canvas& c) { DrawGo(c, true); });
    kit.Mask(dir::kCenterMask + "cea1mk.bmp", 362, 221, 28, 28, Circle(kGoX, kGoY, kGoR));
    const char* masks[3] = {"ceb1mk.bmp", "ceb2mk.bmp", "ceb3mk.bmp"};
    for (int i = 0; i < 3; ++i) {
        const Control& ctl = kControls[i];
        kit.Picture(dir::kCenterImg + "ceb" + std::to_string(i + 1) + ".bmp", ctl.x, ctl.y, kCtlW, kCtlH,
                    [&](Canvas& c) { DrawControl(c, ctl, true); });
        kit.Picture(dir::kCenterImg + "cew" + std::to_string(i + 1) + ".bmp", ctl.wx, ctl.wy, 52, 20, [&](Canvas& c) {
            c.Fill(RoundRect(static_cast<float>(ctl.wx), static_cast<float>(ctl.wy), 52, 20, 9), Hex(0x103050), 0.9f);
            Label(c, ctl.word, static_cast<float>(ctl.wx) + (52 - static_cast<float>(TextWidth(ctl.word, 13))) / 2,
                  static_cast<float>(ctl.wy) + 2, 13, Hex(0xFFFFFF), Hex(0x000000));
        });
        kit.Mask(dir::kCenterMask + masks[i], ctl.x, ctl.y, kCtlW, kCtlH, ControlShape(ctl));
    }
    kit.Picture(dir::kCenterImg + "cer1.bmp", 87, 97, 44, 44, [](Canvas& c) { DrawRecord(c, true); });
    kit.Picture(dir::kCenterImg + "cew4.bmp", 92, 160, 60, 20, [](Canvas& c) {
        c.Fill(RoundRect(92, 160, 60, 20, 9), Hex(0x501010), 0.9f);
        Label(c, "Record", 92 + (60 - static_cast<float>(TextWidth("Record", 13))) / 2, 162, 13, Hex(0xFFFFFF), Hex(0x000000));
    });
    kit.Mask(dir::kCenterMask + "cer1mk.bmp", 87, 97, 44, 44, Circle(kRecX, kRecY, kRecR));
    for (int i = 0; i < 5; ++i) {
        const Portal& p = kPortals[i];
        const std::string n = std::to_string(i + 1);
        kit.Picture(dir::kCenterImg + "cet" + n + ".bmp", p.x, p.y, 100, 100, [&](Canvas& c) { DrawPortal(c, p, 1); });
        kit.Picture(dir::kCenterImg + "cet" + n + "2.bmp", p.x, p.y, 100, 100, [&](Canvas& c) { DrawPortal(c, p, 2); });
        kit.Mask(dir::kCenterMask + "cet" + n + "mk.bmp", p.x, p.y, 100, 100, PortalShape(p));
        kit.Picture(dir::kCenterImg + "cec" + n + ".bmp", p.lx, p.ly, 46, 17, [&](Canvas& c) { DrawLabel(c, p, true); });
    }
    for (int i = 0; i < 4; ++i) {
        const float x = static_cast<float>(kGoSparks[i][0]), y = static_cast<float>(kGoSparks[i][1]);
        kit.Picture(dir::kCenterImg + "ceq" + std::to_string(i + 1) + ".bmp", kGoSparks[i][0], kGoSparks[i][1], 16, 16,
                    [&](Canvas& c) { Sparkle(c, x + 8, y + 8, 7.5f, Hex(0xE8FFB0)); });
    }
    for (int i = 0; i < 6; ++i) {
        const float x = static_cast<float>(kRecSparks[i][0]), y = static_cast<float>(kRecSparks[i][1]);
        kit.Picture(dir::kCenterImg + "cer" + std::to_string(i + 2) + ".bmp", kRecSparks[i][0], kRecSparks[i][1], 14, 14,
                    [&](Canvas& c) { Sparkle(c, x + 7, y + 7, 6.5f, Hex(0xFFC0B0)); });
    }
}

SceneLayout CenterLayout() {
    SceneLayout l{"center", kW, kH, {}, dir::kCenterImg + "Cebkgrnd.bmp"};
    const IRect stage{0, 0, kW, kH};
    l.hotspots.push_back({10, 362, 221, dir::kCenterMask + "cea1mk.bmp", 0, stage, {}, dir::kCenterImg + "cea1.bmp"});
    const char* masks[3] = {"ceb1mk.bmp", "ceb2mk.bmp", "ceb3mk.bmp"};
    for (int i = 0; i < 3; ++i)
        l.hotspots.push_back({kControls[i].id, kControls[i].x, kControls[i].y, dir::kCenterMask + masks[i], 0, stage, {},
                              dir::kCenterImg + "ceb" + std::to_string(i + 1) + ".bmp"});
    l.hotspots.push_back({60, 87, 97, dir::kCenterMask + "cer1mk.bmp", 0, stage, {}, dir::kCenterImg + "cer1.bmp"});
    for (int i = 0; i < 5; ++i)
        l.hotspots.push_back({kPortals[i].id, kPortals[i].x, kPortals[i].y, dir::kCenterMask + "cet" + std::to_string(i + 1) + "mk.bmp", 0,
                              stage, {}, dir::kCenterImg + "cet" + std::to_string(i + 1) + ".bmp"});
    // The halo is tested on its own, apart from the list.
    l.hotspots.push_back({9854, 195, 38, dir::kCenterMask + "Cehalomk.bmp", 1, stage, {}, {}});
    return l;
}

}  // namespace ag
