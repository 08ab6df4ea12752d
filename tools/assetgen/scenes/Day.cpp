// Day: a sunny board of forty cells (three boards that tint the cells by the
// variant they give) above a strip with nine piece tools, board buttons, a
// loop button, a clear/undo button and the palette corner. Nine kinds of
// pieces in three colourings each.
#include <cmath>
#include <numbers>
#include <string>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/Folders.h"
#include "tools/assetgen/SceneKit.h"
#include "tools/assetgen/SharedShapes.h"

namespace ag {

namespace {

constexpr int kW = 590, kH = 445, kBoardH = 389;
const std::string& kImg = dir::kDayImg;
const std::string& kMask = dir::kDayMask;
constexpr int kPiece = 50;

// Variant (0 a, 1 b, 2 c) of each cell, by board, row and column.
const char* const kTables[3][5] = {
    {"aababbcc", "bbccacaa", "acaabbcb", "bbcbccaa", "ccaababb"},
    {"cacacaca", "abababab", "bcbcbcbc", "cacacaca", "abababab"},
    {"cababcbc", "baccaaca", "abababab", "cccacbac", "bacbbcba"},
};
int VariantAt(int board, int col, int row) {
    return kTables[board][row][col] - 'a';
}

float AnchorX(int col) { return static_cast<float>(col * 69 + 24); }
float AnchorY(int col, int row) { return static_cast<float>((col % 2 == 0 ? 46 : 12) + row * 69); }

const int kToolX[9] = {18, 64, 110, 157, 203, 249, 295, 342, 387};
constexpr int kToolY = 400, kToolSize = 42;

// Colours of the three variants of a piece: a warm, b cool, c bright.
Col VariantCol(int v, int slot) {
    const Col cols[3][3] = {{Hex(0xE8402A), Hex(0xFF9A30), Hex(0xFFE060)},
                            {Hex(0x3A70E0), Hex(0x8A50D0), Hex(0x60C8F0)},
                            {Hex(0xF040A0), Hex(0x40C040), Hex(0xFFFFFF)}};
    return cols[v][slot];
}

// One piece of kind t (0..8) in variant v, its box's top-left at (x, y), size s.
void DrawPieceArt(Canvas& c, int t, int v, float x, float y, float s) {
    const float k = s / 50.0f;
    const float cx = x + 25 * k, cy = y + 25 * k;
    const Col c0 = VariantCol(v, 0), c1 = VariantCol(v, 1), c2 = VariantCol(v, 2);
    const Col ink = Hex(0x2A1A10);
    switch (t) {
        case 0:  // sun
            c.Fill(Star(cx, cy, 13 * k, 22 * k, 10), c1);
            c.Fill(Circle(cx, cy, 13 * k), ink);
            c.Fill(Circle(cx, cy, 11.5f * k), c2);
            break;
        case 1:  // flower
            c.Fill(Capsule(cx, cy, cx, cy + 22 * k, 3 * k), Hex(0x2A8A30));
            for (int i = 0; i < 6; ++i) {
                const float a = static_cast<float>(i) * std::numbers::pi_v<float> / 3;
                c.Fill(Circle(cx + std::cos(a) * 10 * k, cy - 4 * k + std::sin(a) * 10 * k, 7 * k), c0);
            }
            c.Fill(Circle(cx, cy - 4 * k, 6 * k), c2);
            break;
        case 2:  // tree
            c.Fill(Rect(cx - 3 * k, cy + 4 * k, 6 * k, 18 * k), Hex(0x7A4A20));
            c.Fill(Circle(cx, cy - 6 * k, 16 * k), Hex(0x2A8A30));
            for (int i = 0; i < 4; ++i) c.Fill(Circle(cx - 8 * k + static_cast<float>(i) * 5 * k, cy - 8 * k + static_cast<float>(i % 2) * 8 * k, 3 * k), c0);
            break;
        case 3:  // cloud
            c.Fill(Union(Union(Circle(cx - 10 * k, cy + 3 * k, 9 * k), Circle(cx + 2 * k, cy - 4 * k, 12 * k)), Circle(cx + 12 * k, cy + 4 * k, 8 * k)), ink);
            c.Fill(Union(Union(Circle(cx - 10 * k, cy + 3 * k, 7.5f * k), Circle(cx + 2 * k, cy - 4 * k, 10.5f * k)), Circle(cx + 12 * k, cy + 4 * k, 6.5f * k)),
                   Mix(Hex(0xFFFFFF), c1, 0.35f));
            c.Fill(Capsule(cx - 6 * k, cy + 16 * k, cx - 9 * k, cy + 22 * k, 2 * k), c1);
            c.Fill(Capsule(cx + 5 * k, cy + 16 * k, cx + 2 * k, cy + 22 * k, 2 * k), c1);
            break;
        case 4:  // bird
            c.Fill(Ellipse(cx, cy + 2 * k, 15 * k, 11 * k), c0);
            c.Fill(Circle(cx + 11 * k, cy - 8 * k, 7 * k), c0);
            c.Fill(Polygon({{cx + 17 * k, cy - 9 * k}, {cx + 24 * k, cy - 6 * k}, {cx + 17 * k, cy - 4 * k}}), Hex(0xFFB020));
            c.Fill(Circle(cx + 12 * k, cy - 9 * k, 1.8f * k), ink);
            c.Fill(Ellipse(cx - 3 * k, cy + 1 * k, 8 * k, 5 * k), c1);
            break;
        case 5:  // butterfly
            c.Fill(Ellipse(cx - 10 * k, cy - 7 * k, 10 * k, 9 * k), c0);
            c.Fill(Ellipse(cx + 10 * k, cy - 7 * k, 10 * k, 9 * k), c0);
            c.Fill(Ellipse(cx - 8 * k, cy + 9 * k, 7 * k, 7 * k), c1);
            c.Fill(Ellipse(cx + 8 * k, cy + 9 * k, 7 * k, 7 * k), c1);
            c.Fill(Capsule(cx, cy - 14 * k, cx, cy + 16 * k, 4 * k), ink);
            break;
        case 6:  // ladybug
            c.Fill(Circle(cx, cy - 14 * k, 7 * k), ink);
            c.Fill(Circle(cx, cy + 2 * k, 16 * k), c0);
            c.Fill(Rect(cx - 0.8f * k, cy - 14 * k, 1.6f * k, 32 * k), ink);
            for (int i = 0; i < 4; ++i) c.Fill(Circle(cx + (i % 2 ? 7 : -7) * k, cy - 3 * k + static_cast<float>(i / 2) * 10 * k, 3 * k), ink);
            break;
        case 7:  // apple
            c.Fill(Union(Circle(cx - 6 * k, cy + 3 * k, 13 * k), Circle(cx + 6 * k, cy + 3 * k, 13 * k)), c0);
            c.Fill(Capsule(cx, cy - 9 * k, cx + 2 * k, cy - 17 * k, 2.5f * k), Hex(0x6A3A10));
            c.Fill(Ellipse(cx + 8 * k, cy - 14 * k, 6 * k, 3 * k), Hex(0x3AA040));
            c.Fill(Ellipse(cx - 7 * k, cy - 2 * k, 3 * k, 5 * k), Hex(0xFFFFFF), 0.6f);
            break;
        default:  // mushroom
            c.Fill(RoundRect(cx - 6 * k, cy, 12 * k, 20 * k, 4 * k), Hex(0xF4ECD8));
            c.Fill(Intersect(Ellipse(cx, cy + 2 * k, 21 * k, 19 * k), Rect(cx - 22 * k, cy - 20 * k, 44 * k, 21 * k)), c0);
            for (int i = 0; i < 3; ++i) c.Fill(Circle(cx - 10 * k + static_cast<float>(i) * 10 * k, cy - 8 * k + static_cast<float>(i % 2) * 4 * k, 3 * k), Hex(0xFFFFFF));
            break;
    }
}

const Col kGround[3] = {Hex(0x8ED86A), Hex(0xE8C878), Hex(0x78C8C0)};
const Col kCellTint[3] = {Hex(0xFFF0A0), Hex(0xB8E0FF), Hex(0xFFC0D8)};

void DrawBoard(Canvas& c, int board) {
    c.Shade([board](float x, float y) {
        if (y < 40) return Mix(Hex(0x8ACCFF), Hex(0xC8ECFF), y / 40.0f);
        const Col g = kGround[board];
        return Scale(g, 0.92f + 0.12f * Noise(x, y, 18, static_cast<uint32_t>(80 + board)));
    });
    for (int col = 0; col < 8; ++col)
        for (int row = 0; row < 5; ++row) {
            const float x = AnchorX(col), y = AnchorY(col, row);
            const int v = VariantAt(board, col, row);
            c.Fill(RoundRect(x - 1, y + 1, kPiece + 2, kPiece + 2, 10), Hex(0x000000), 0.18f);
            c.Fill(RoundRect(x, y, kPiece, kPiece, 10), Scale(kCellTint[v], 0.95f));
            c.Fill(Subtract(RoundRect(x, y, kPiece, kPiece, 10), RoundRect(x + 2, y + 2, kPiece - 4, kPiece - 4, 8)), Scale(kCellTint[v], 0.7f));
        }
    c.Glow(Circle(575, 18, 9), Hex(0xFFF2A0), 6, 0.9f);
    c.Fill(Circle(575, 18, 10), Hex(0xFFD52A));
    Label(c, std::to_string(board + 1), 6, 4, 14, Hex(0xFFFFFF), Hex(0x2A6A9A));
}

struct StripButton {
    int id, x, y, w, h;
};
const StripButton kBoardButtons[3] = {{200, 469, 402, 19, 26}, {201, 490, 402, 19, 26}, {202, 511, 402, 19, 26}};
const StripButton kLoop{500, 441, 404, 26, 26};
const StripButton kClear{300, 529, 404, 24, 26};

Shape ButtonShape(const StripButton& b) {
    return RoundRect(static_cast<float>(b.x) + 0.5f, static_cast<float>(b.y) + 0.5f, static_cast<float>(b.w) - 1, static_cast<float>(b.h) - 1, 5);
}

void DrawStripButton(Canvas& c, const StripButton& b, bool lit) {
    const Shape s = ButtonShape(b);
    const float cx = static_cast<float>(b.x) + static_cast<float>(b.w) / 2, cy = static_cast<float>(b.y) + static_cast<float>(b.h) / 2;
    Bevel(c, s, lit ? Hex(0xFFD040) : Hex(0x3A8A3A));
    const Col ink = lit ? Hex(0x3A2A00) : Hex(0xE8FFE0);
    if (b.id >= 200 && b.id <= 202) {
        const std::string n = std::to_string(b.id - 199);
        const auto& f = FontOf(plat::Font::Face::SansBold, 13);
        c.Text(f, n, cx - static_cast<float>(f.MeasureWidth(n)) / 2, cy - 8, ink);
    } else if (b.id == 500) {
        c.Fill(Subtract(Ring(cx, cy, 7, 2.4f), Rect(cx, cy - 10, 10, 8)), ink);
        c.Fill(Polygon({{cx + 1, cy - 11}, {cx + 7, cy - 7}, {cx + 1, cy - 3}}), ink);
    } else {  // clear: a little broom
        c.Fill(Capsule(cx + 6, cy - 9, cx - 1, cy + 2, 2.2f), ink);
        c.Fill(Polygon({{cx - 4, cy}, {cx + 2, cy + 4}, {cx - 4, cy + 10}, {cx - 9, cy + 6}}), ink);
    }
}

Shape ToolShape(int t) { return RoundRect(static_cast<float>(kToolX[t]) + 1, kToolY + 1, kToolSize - 2, kToolSize - 2, 9); }

void DrawTool(Canvas& c, int t, int look) {  // 0 rest, 1 used (b), 2 lit (a)
    const float x = static_cast<float>(kToolX[t]), y = kToolY;
    const Shape s = ToolShape(t);
    if (look == 2) c.Glow(s, Hex(0xFFF4A0), 3, 1.0f);
    c.Fill(s, look == 2 ? Hex(0xFFF8D0) : look == 1 ? Hex(0xD8F0C0) : Hex(0x5A9A4A));
    c.Fill(Subtract(s, Grow(s, -1.5f)), look == 2 ? Hex(0xFFB020) : Hex(0x2A5A2A));
    DrawPieceArt(c, t, 0, x + 3, y + 3, 36);
    if (look == 0) c.Fill(s, Hex(0x2A5A2A), 0.35f);
}

}  // namespace

void BuildDay(Album& album) {
    // Boards (the whole board area), then the strip below them.
    for (int b = 0; b < 3; ++b) {
        Canvas board(kW, kBoardH);
        DrawBoard(board, b);
        album.AddBackground(kImg + "Dagrid_" + std::to_string(b + 1) + ".bmp", board);
    }
    SceneKit kit(album, kW, kH);
    Canvas& back = kit.Back();
    DrawBoard(back, 0);
    back.Fill(Rect(0, kBoardH, kW, kH - kBoardH), Linear(0, kBoardH, Hex(0x4FA34A), 0, kH, Hex(0x24602A)));
    back.Fill(Rect(0, kBoardH, kW, 2), Hex(0xFFE14A));
    for (int t = 0; t < 9; ++t) DrawTool(back, t, 0);
    for (const StripButton& b : kBoardButtons) DrawStripButton(back, b, false);
    DrawStripButton(back, kLoop, false);
    DrawStripButton(back, kClear, false);
    DrawCornerBadge(back, 2, 3, 401, false);
    DrawCornerBadge(back, 2, 575, 401, false);
    kit.Opaque(kImg + "dapanel.bmp", 0, kBoardH, kW, kH - kBoardH, [](Canvas&) {});

    for (const StripButton& b : kBoardButtons)
        kit.Picture(kImg + "dag" + std::to_string(b.id - 199) + ".bmp", b.x, b.y, b.w, b.h, [&](Canvas& c) { DrawStripButton(c, b, true); });
    kit.Mask(kMask + "Dag1_mk.bmp", kBoardButtons[0].x, kBoardButtons[0].y, kBoardButtons[0].w, kBoardButtons[0].h, ButtonShape(kBoardButtons[0]));
    kit.Picture(kImg + "dac1.bmp", kLoop.x, kLoop.y, kLoop.w, kLoop.h, [](Canvas& c) { DrawStripButton(c, kLoop, true); });
    kit.Mask(kMask + "Dac1_mk.bmp", kLoop.x, kLoop.y, kLoop.w, kLoop.h, ButtonShape(kLoop));
    kit.Picture(kImg + "daw1.bmp", kClear.x, kClear.y, kClear.w, kClear.h, [](Canvas& c) { DrawStripButton(c, kClear, true); });
    kit.Mask(kMask + "Daw_mk.bmp", kClear.x, kClear.y, kClear.w, kClear.h, ButtonShape(kClear));
    for (int t = 0; t < 9; ++t) {
        const std::string n = "Dab" + std::to_string(t + 1);
        kit.Picture(kImg + n + "b.bmp", kToolX[t], kToolY, kToolSize, kToolSize, [&](Canvas& c) { DrawTool(c, t, 1); });
        kit.Picture(kImg + n + "a.bmp", kToolX[t], kToolY, kToolSize, kToolSize, [&](Canvas& c) { DrawTool(c, t, 2); });
    }
    kit.Mask(kMask + "Dab1_9mk.bmp", kToolX[0], kToolY, kToolSize, kToolSize, ToolShape(0));
    kit.Picture(kImg + "Da_sun.bmp", 19, 384, 36, 36, [](Canvas& c) { DrawSun(c, 37, 402, 17); });

    // Pieces: the variant picture is drawn at rest; the next variants show
    // while it sounds. A cell-coloured backing keeps their edges clean.
    for (int t = 0; t < 9; ++t)
        for (int v = 0; v < 3; ++v) {
            Canvas c(kPiece, kPiece, 0, 0, kCellTint[v]);
            DrawPieceArt(c, t, v, 0, 0, kPiece);
            album.AddButton(kImg + "dat" + std::to_string(t + 1) + static_cast<char>('a' + v) + ".bmp", c, 0.5f);
        }
    BuildNavBar(album, 2, back);
}

SceneLayout DayLayout() {
    SceneLayout l{"day", kW, kH, {}, kImg + "dapanel.bmp", 0, kBoardH};
    const IRect strip{0, kBoardH, kW, kH};
    for (const StripButton& b : kBoardButtons)
        l.hotspots.push_back({b.id, b.x, b.y, kMask + "Dag1_mk.bmp", 0, strip, {}, kImg + "dag" + std::to_string(b.id - 199) + ".bmp"});
    l.hotspots.push_back({kLoop.id, kLoop.x, kLoop.y, kMask + "Dac1_mk.bmp", 0, strip, {}, kImg + "dac1.bmp"});
    l.hotspots.push_back({kClear.id, kClear.x, kClear.y, kMask + "Daw_mk.bmp", 0, strip, {}, kImg + "daw1.bmp"});
    for (int t = 0; t < 9; ++t)
        l.hotspots.push_back({110 + 10 * t, kToolX[t], kToolY, kMask + "Dab1_9mk.bmp", 0, strip, {}, kImg + "Dab" + std::to_string(t + 1) + "a.bmp"});
    l.hotspots.push_back({400, 3, 401, dir::kNavMasks + "zzmk.bmp", 0, strip, {}, kImg + "Dazz.bmp"});
    return l;
}

}  // namespace ag
