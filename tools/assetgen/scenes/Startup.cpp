// The start-up picture shown while the program loads (its own palette).
#include <cmath>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"

namespace ag {

void BuildStartup(Album& album) {
    Canvas c(610, 465);
    c.Shade([](float x, float y) {
        const float d = std::hypot(x - 305, y - 200) / 420.0f;
        return Mix(Hex(0x3A7FC0), Hex(0x0A1830), std::min(d, 1.0f));
    });
    // Five coloured notes orbit the title, one per world.
    const Col notes[5] = {Hex(0xFFD45A), Hex(0x6CD860), Hex(0xFF8A40), Hex(0x52F2C8), Hex(0xE0A050)};
    for (int i = 0; i < 5; ++i) {
        const float a = -1.5708f + static_cast<float>(i) * 1.2566f;
        const float x = 305 + 190 * std::cos(a), y = 200 + 120 * std::sin(a);
        c.Glow(Circle(x, y, 14), notes[i], 10, 0.8f);
        c.Fill(Ellipse(x, y + 6, 11, 8), notes[i]);
        c.Fill(Capsule(x + 9, y + 6, x + 9, y - 24, 3), notes[i]);
        c.Fill(Capsule(x + 9, y - 24, x + 18, y - 16, 3), notes[i]);
    }
    Label(c, "Plinkpad", 305 - TextWidth("Plinkpad", 56) / 2.0f, 160, 56, Hex(0xFFFFFF), Hex(0x1A3A66));
    c.Text(FontOf(plat::Font::Face::Sans, 18), "a musical toy in five worlds",
           305 - TextWidth("a musical toy in five worlds", 18, false) / 2.0f, 236, Hex(0xD8ECFF));
    c.Text(FontOf(plat::Font::Face::Sans, 13), "loading...", 305 - TextWidth("loading...", 13, false) / 2.0f, 420, Hex(0x9CB8D8));
    album.AddBackground(dir::kAll + "heronix.bmp", c);
}

}  // namespace ag
