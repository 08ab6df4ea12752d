#pragma once
// The colours a world's shared pieces (navigation bar, palette skin, record
// help) are drawn in, so they sit in that world's palette.

#include <string>

#include "tools/assetgen/canvas/Canvas.h"

namespace ag {

struct Theme {
    int world = 0;       // scene number 0..5
    std::string name;    // "Center", "Star", ...
    Col panel;           // panel body
    Col panelDark;       // rims, shadows
    Col accent;          // lit parts
    Col glow;            // halos
    Col text;            // text on the panel
};

Theme ThemeOf(int world);

}  // namespace ag
