// The About picture (374 x 382), shown over the hub while an About tune plays.
#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"

namespace ag {

void BuildAbout(Album& album) {
    Canvas c(374, 382);
    c.Fill(Rect(0, 0, 374, 382), Linear(0, 0, Hex(0xE6F4FC), 0, 382, Hex(0x8DBEDE)));
    c.Fill(Subtract(Rect(0, 0, 374, 382), Rect(4, 4, 366, 374)), Hex(0x2E6FA8));
    for (int w = 1; w <= 5; ++w) DrawWorldEmblem(c, w, 47.0f + static_cast<float>(w - 1) * 70, 250, 26, 1.0f, 0);
    Label(c, "Plinkpad", 187 - TextWidth("Plinkpad", 36) / 2.0f, 26, 36, Hex(0xFFFFFF), Hex(0x1E5E96));
    const char* lines[] = {"A musical toy in five worlds.", "Roll the pointer over the pictures to play,",
                           "record what you play, and play it back.", "", "Star  -  Day  -  kBot  -  Troid  -  Gama"};
    float y = 92;
    for (const char* line : lines) {
        c.Text(FontOf(plat::Font::Face::Sans, 14), line, 187 - TextWidth(line, 14, false) / 2.0f, y, Hex(0x102840));
        y += 20;
    }
    c.Text(FontOf(plat::Font::Face::Sans, 12), "Pictures and sounds made by its own generators.",
           187 - TextWidth("Pictures and sounds made by its own generators.", 12, false) / 2.0f, 300, Hex(0x204060));
    c.Text(FontOf(plat::Font::Face::SansBold, 13), "Click anywhere to close.",
           187 - TextWidth("Click anywhere to close.", 13) / 2.0f, 345, Hex(0x1E5E96));
    album.AddBackground(dir::kCenterImg + "About_st.bmp", c);
}

}  // namespace ag
