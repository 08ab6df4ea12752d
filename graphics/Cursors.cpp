#include "graphics/Cursors.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// One character per pixel: '.' transparent, 'X' black outline, '#' white,
// and a few fills: 'y' yellow, 'g' green, 'r' red, 's' sand, 'b' blue.
uint32_t ColourOf(char c) {
    switch (c) {
        case 'X': return 0xFF000000u;
        case '#': return 0xFFFFFFFFu;
        case 'y': return 0xFFFFD800u;
        case 'g': return 0xFF20C040u;
        case 'r': return 0xFFE02020u;
        case 's': return 0xFFD8A850u;
        case 'b': return 0xFF4080FFu;
        default: return 0x00000000u;
    }
}

template <size_t N>
plat::Cursor Draw(const std::array<std::string_view, N>& rows, plat::Point hotspot) {
    plat::Cursor c;
    c.height = static_cast<int>(N);
    for (std::string_view row : rows) c.width = std::max(c.width, static_cast<int>(row.size()));
    c.hotspot = hotspot;
    c.rgba.assign(static_cast<size_t>(c.width) * N, 0u);
    for (size_t y = 0; y < N; ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) c.rgba[y * static_cast<size_t>(c.width) + x] = ColourOf(rows[y][x]);
    return c;
}

// Replaces the white fill of a picture by another colour.
plat::Cursor Tinted(plat::Cursor c, char fill) {
    for (uint32_t& px : c.rgba)
        if (px == ColourOf('#')) px = ColourOf(fill);
    return c;
}

constexpr std::array<std::string_view, 19> kArrow = {
    "X...........",
    "XX..........",
    "X#X.........",
    "X##X........",
    "X###X.......",
    "X####X......",
    "X#####X.....",
    "X######X....",
    "X#######X...",
    "X########X..",
    "X#####XXXXX.",
    "X##X##X.....",
    "X#X.X##X....",
    "XX..X##X....",
    "X....X##X...",
    ".....X##X...",
    "......X##X..",
    "......X##X..",
    ".......XX...",
};

constexpr std::array<std::string_view, 18> kHand = {
    ".....XX.........",
    "....X##X........",
    "....X##X........",
    "....X##X........",
    "....X##XXX......",
    "....X##X##XXX...",
    "....X##X##X##XX.",
    "XXX.X##X##X##X#X",
    "X##XX##########X",
    "X###X##########X",
    ".X#############X",
    "..X############X",
    "..X###########X.",
    "...X##########X.",
    "...X#########X..",
    "....X########X..",
    "....X########X..",
    "....XXXXXXXXXX..",
};

constexpr std::array<std::string_view, 17> kBusyTop = {
    "XXXXXXXXXXXXX",
    "X###########X",
    ".X#sssssss#X.",
    ".X#sssssss#X.",
    "..X#sssss#X..",
    "...X#sss#X...",
    "....X#s#X....",
    ".....X#X.....",
    ".....X#X.....",
    "....X#s#X....",
    "...X#####X...",
    "..X#######X..",
    ".X#########X.",
    ".X#########X.",
    "X###########X",
    "XXXXXXXXXXXXX",
    ".............",
};

constexpr std::array<std::string_view, 17> kBusyBottom = {
    "XXXXXXXXXXXXX",
    "X###########X",
    ".X#########X.",
    ".X#########X.",
    "..X#######X..",
    "...X#####X...",
    "....X#s#X....",
    ".....X#X.....",
    ".....X#X.....",
    "....X#s#X....",
    "...X#sss#X...",
    "..X#sssss#X..",
    ".X#sssssss#X.",
    ".X#sssssss#X.",
    "X###########X",
    "XXXXXXXXXXXXX",
    ".............",
};

// The palette pointer: the arrow with a red record dot beside its tip.
constexpr std::array<std::string_view, 19> kPaletteArrow = {
    "X.........XXX..",
    "XX.......XrrrX.",
    "X#X.....XrrrrrX",
    "X##X....XrrrrrX",
    "X###X...XrrrrrX",
    "X####X...XrrrX.",
    "X#####X...XXX..",
    "X######X.......",
    "X#######X......",
    "X########X.....",
    "X#####XXXXX....",
    "X##X##X........",
    "X#X.X##X.......",
    "XX..X##X.......",
    "X....X##X......",
    ".....X##X......",
    "......X##X.....",
    "......X##X.....",
    ".......XX......",
};

const std::array<plat::Cursor, kCursorKinds>& Cursors() {
    static const std::array<plat::Cursor, kCursorKinds> cursors = {
        Draw(kArrow, {0, 0}),
        Draw(kHand, {5, 0}),
        Tinted(Draw(kHand, {5, 0}), 'y'),
        Draw(kBusyTop, {6, 8}),
        Draw(kBusyBottom, {6, 8}),
        Tinted(Draw(kArrow, {0, 0}), 'g'),
        Tinted(Draw(kPaletteArrow, {0, 0}), 'b'),
    };
    return cursors;
}

}  // namespace

const plat::Cursor& AppCursor(int kind) {
    if (kind < 1 || kind > kCursorKinds) kind = 1;
    return Cursors()[static_cast<size_t>(kind - 1)];
}
