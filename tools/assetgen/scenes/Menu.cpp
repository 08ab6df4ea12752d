// The hub's drop-down menu: the strip with its three headings, each heading's
// open list (heading picture) and every highlighted entry.
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"

namespace ag {

namespace {

constexpr int kStripW = 196, kStripH = 28;

struct Entry {
    int x, y, id;
    const char* pic;
    const char* text;
};
struct Group {
    int x, y, id;
    const char* pic;
    const char* mask;
    const char* title;
    int tabW, listW;
    Entry entries[5];
    int count;
};

const Group kGroups[3] = {
    {0, 1, 0, "Ceabout.bmp", "Ceabtmk.bmp", "About", 62, 150, {{15, 32, 10, "Ceabout2.bmp", "About Plinkpad..."}}, 1},
    {65, 3, 0, "Cefile.bmp", "Cefilemk.bmp", "File", 56, 150,
     {{65, 33, 20, "Cefile1.bmp", "New session"},
      {65, 56, 30, "Cefile2.bmp", "Open session..."},
      {65, 77, 40, "Cefile3.bmp", "Save session"},
      {65, 99, 50, "Cefile4.bmp", "Save session as..."},
      {65, 128, 60, "Cefile5.bmp", "Quit"}},
     5},
    {124, 3, 150, "Cevolume.bmp", "Cevolmk.bmp", "Volume", 70, 124,
     {{124, 32, 1, "Cevolum1.bmp", "1  loudest"},
      {124, 54, 2, "Cevolum2.bmp", "2  loud"},
      {124, 76, 3, "Cevolum3.bmp", "3  middle"},
      {124, 98, 4, "Cevolum4.bmp", "4  soft"},
      {124, 120, 5, "Cevolum5.bmp", "5  softest"}},
     5},
};

const Col kBar = Hex(0x1E5E96), kList = Hex(0xF4F8FC), kInk = Hex(0x102840), kHot = Hex(0x3FA0E8);

void DrawStrip(Canvas& c) {
    c.Fill(RoundRect(0.5f, 0.5f, kStripW - 1, kStripH - 1, 5), Linear(0, 0, Hex(0x4C98D8), 0, kStripH, kBar));
    for (const Group& g : kGroups)
        c.Text(FontOf(plat::Font::Face::SansBold, 13), g.title, static_cast<float>(g.x) + 8, 6, Hex(0xFFFFFF));
}

constexpr float kEntryH = 20;

void DrawGroupOpen(Canvas& c, const Group& g) {
    const float x = static_cast<float>(g.x), y = static_cast<float>(g.y);
    c.Fill(RoundRect(x, y, static_cast<float>(g.tabW), 24, 5), Hex(0xFFE070));
    c.Text(FontOf(plat::Font::Face::SansBold, 13), g.title, x + 8, 5, kInk);
    const Entry& last = g.entries[g.count - 1];
    const float top = y + 26, bottom = static_cast<float>(last.y) + kEntryH + 4;
    c.Fill(RoundRect(x, top + 2, static_cast<float>(g.listW), bottom - top, 5), Hex(0x000000), 0.35f);
    c.Fill(RoundRect(x, top, static_cast<float>(g.listW) - 2, bottom - top, 5), kList);
    for (int i = 0; i < g.count; ++i) {
        const Entry& e = g.entries[i];
        c.Text(FontOf(plat::Font::Face::Sans, 12), e.text, static_cast<float>(e.x) + 8, static_cast<float>(e.y) + 3, kInk);
        if (i > 0 && e.y - g.entries[i - 1].y > 25)
            c.Fill(Rect(x + 6, static_cast<float>(e.y) - 5, static_cast<float>(g.listW) - 14, 1), Hex(0x98B0C8));
    }
}

void DrawEntryLit(Canvas& c, const Group& g, const Entry& e) {
    const float w = static_cast<float>(g.listW) - 2 - static_cast<float>(e.x - g.x) - 4;
    c.Fill(RoundRect(static_cast<float>(e.x) + 2, static_cast<float>(e.y), w, kEntryH, 4), kHot);
    c.Text(FontOf(plat::Font::Face::SansBold, 12), e.text, static_cast<float>(e.x) + 8, static_cast<float>(e.y) + 3, Hex(0xFFFFFF));
}

}  // namespace

void BuildMenu(Album& album) {
    // Menu pictures lie over the hub; a neutral backing keeps their edges clean.
    SceneKit kit(album, 300, 160, Hex(0x8DBEDE));
    kit.Picture(dir::kMenu + "Cemenu.bmp", 0, 0, kStripW, kStripH, [](Canvas& c) { DrawStrip(c); }, 0.5f);
    DrawStrip(kit.Back());
    for (const Group& g : kGroups) {
        const Entry& last = g.entries[g.count - 1];
        const int h = last.y + static_cast<int>(kEntryH) + 7 - g.y;
        kit.Picture(dir::kMenu + g.pic, g.x, g.y, g.listW, h, [&](Canvas& c) { DrawGroupOpen(c, g); }, 0.5f);
        kit.Mask(dir::kMenuMask + g.mask, g.x, g.y, g.tabW, 24, RoundRect(static_cast<float>(g.x), static_cast<float>(g.y), static_cast<float>(g.tabW), 24, 5));
        Canvas open(g.listW, h, g.x, g.y);
        open.CopyFrom(kit.Back());
        DrawGroupOpen(open, g);
        for (int i = 0; i < g.count; ++i) {
            const Entry& e = g.entries[i];
            const int w = g.listW - 2 - (e.x - g.x);
            Canvas pic(w, static_cast<int>(kEntryH), e.x, e.y);
            pic.CopyFrom(open);
            DrawEntryLit(pic, g, e);
            album.AddButton(dir::kMenu + e.pic, pic, 0.5f);
        }
    }
}

SceneLayout MenuLayout() {
    SceneLayout l{"menu", 610, 465, {}, {}};
    for (const Group& g : kGroups) l.hotspots.push_back({g.id, g.x, g.y, dir::kMenuMask + g.mask, 0, {0, 0, 610, 465}, {}, {}});
    return l;
}

}  // namespace ag
