#include "graphics/DIBPalette.h"

#include <algorithm>
#include <vector>

int CDIBPalette::Create(const CDIB& dib) {
    const int colours = std::min(dib.GetNumColors(), 256);
    if (colours <= 0) return 0;
    std::vector<plat::Rgb> entries(static_cast<size_t>(colours));
    const RgbQuad* table = dib.GetColorTable();
    for (size_t i = 0; i < entries.size(); ++i) entries[i] = {table[i].red, table[i].green, table[i].blue};
    static_cast<plat::Palette&>(*this) = plat::Palette(std::move(entries));
    return 1;
}
