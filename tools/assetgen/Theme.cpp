#include "tools/assetgen/Theme.h"

namespace ag {

Theme ThemeOf(int world) {
    switch (world) {
        case 1: return {1, "Star", Hex(0x27305E), Hex(0x0E1230), Hex(0xFFD45A), Hex(0xB8C8FF), Hex(0xF4F0FF)};
        case 2: return {2, "Day", Hex(0x4FA34A), Hex(0x24602A), Hex(0xFFE14A), Hex(0xFFF4A0), Hex(0xFFFFF0)};
        case 3: return {3, "kBot", Hex(0xD8642A), Hex(0x6E2A12), Hex(0x5AD8FF), Hex(0xB8F0FF), Hex(0xFFF6EC)};
        case 4: return {4, "Troid", Hex(0x5B4636), Hex(0x241A14), Hex(0x52F2C8), Hex(0xA8FFE8), Hex(0xF2EDE6)};
        case 5: return {5, "Gama", Hex(0x8A5A24), Hex(0x3A220C), Hex(0xFFC65C), Hex(0xFFE2A0), Hex(0xFFF3DC)};
        default: return {0, "Center", Hex(0x2E6FA8), Hex(0x123456), Hex(0x6CFF7A), Hex(0xC8F4FF), Hex(0xFFFFFF)};
    }
}

}  // namespace ag
