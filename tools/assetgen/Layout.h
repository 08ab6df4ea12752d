#pragma once
// Where the program looks for the hot-spots of each scene: the hit order,
// left-top corners and mask files the generator draws to. The generator and
// the asset tests share these tables so pictures and masks always line up.

#include <string>
#include <vector>

namespace ag {

struct IRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // right and bottom exclusive
    bool Contains(int x, int y) const { return x >= x0 && y >= y0 && x < x1 && y < y1; }
};

struct HotspotLayout {
    int id = 0;
    int x = 0, y = 0;      // stage coordinates of the mask's top-left corner
    std::string mask;      // disc-relative path of the hit mask
    int group = 0;         // hot-spots of one group are asked in list order
    IRect answers;         // the only stage points where it can answer
    std::vector<IRect> shadows;  // stage points that an earlier test takes first
    std::string picture;   // disc-relative path of its lit picture at (x, y), if any
};

struct SceneLayout {
    std::string name;
    int stageWidth = 0, stageHeight = 0;
    std::vector<HotspotLayout> hotspots;  // hit order within each group
    std::string background;  // the picture the hot-spots are drawn over, if one
    int backgroundX = 0, backgroundY = 0;  // its stage position
};

// Every scene with mask-tested hot-spots: the hub, its help screen and menu,
// the five worlds, the navigation bars and the palettes' full and compact faces.
std::vector<SceneLayout> AllLayouts();

// Disc-relative folders (one spelling each) and the palette group they use.
struct PaletteGroup {
    std::string name;
    std::vector<std::string> folders;  // every picture below them shares one palette
};
std::vector<PaletteGroup> PaletteGroups();

}  // namespace ag
