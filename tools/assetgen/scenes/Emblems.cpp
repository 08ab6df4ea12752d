// Small pictures of the five worlds, used on the hub's portals and in help.
#include <cmath>
#include <numbers>

#include "tools/assetgen/Builders.h"
#include "tools/assetgen/canvas/Shapes.h"

namespace ag {

namespace {
Col Lit(Col c, float b) { return Scale(c, 0.35f + 0.65f * b); }
}  // namespace

void DrawWorldEmblem(Canvas& c, int world, float cx, float cy, float r, float bright, int variant) {
    const Shape disc = Circle(cx, cy, r);
    const float s = r / 40.0f;
    switch (world) {
        case 1: {  // night sky with a constellation
            c.Fill(disc, Radial(cx, cy - r * 0.3f, r * 1.3f, Lit(Hex(0x3A4AA0), bright), Lit(Hex(0x0A0C28), bright)));
            const float pts[6][2] = {{-24, 10}, {-10, -8}, {4, -2}, {16, -20}, {22, 4}, {6, 20}};
            for (int i = 0; i + 1 < 6; ++i)
                c.Fill(Capsule(cx + pts[i][0] * s, cy + pts[i][1] * s, cx + pts[i + 1][0] * s, cy + pts[i + 1][1] * s, 1.2f * s),
                       Lit(Hex(0x8FA0E0), bright), 0.8f);
            for (int i = 0; i < 6; ++i) {
                const float px = cx + pts[i][0] * s, py = cy + pts[i][1] * s;
                if (variant) c.Glow(Circle(px, py, 2 * s), Hex(0xFFE070), 5 * s, bright);
                c.Fill(Star(px, py, 1.5f * s, 5 * s, 4), Lit(Hex(0xFFE38A), bright));
            }
            if (variant) c.Fill(Circle(cx - 20 * s, cy - 22 * s, 7 * s), Lit(Hex(0xFFF4C0), bright));
            break;
        }
        case 2: {  // sunny board
            c.Fill(disc, Linear(cx, cy - r, Lit(Hex(0x7CCBFF), bright), cx, cy + r, Lit(Hex(0xCFF0FF), bright)));
            c.Fill(Intersect(disc, Rect(cx - r, cy + 2 * s, 2 * r, r)), Lit(Hex(0x5DBB4A), bright));
            for (int i = -3; i <= 3; ++i)
                c.Fill(Intersect(disc, Rect(cx + static_cast<float>(i) * 10 * s, cy + 2 * s, 1.2f * s, r)), Lit(Hex(0x2F7A2C), bright));
            const float sx = cx + (variant ? -14 : 14) * s, sy = cy - 16 * s;
            c.Glow(Circle(sx, sy, 8 * s), Hex(0xFFF2A0), 6 * s, 0.8f * bright);
            c.Fill(Circle(sx, sy, 9 * s), Lit(Hex(0xFFD52A), bright));
            if (variant)
                for (int i = 0; i < 3; ++i) c.Fill(Circle(cx + (i * 14 - 4) * s, cy + 14 * s, 4 * s), Lit(Hex(0xE84A6A), bright));
            break;
        }
        case 3: {  // robot face
            c.Fill(disc, Radial(cx, cy, r, Lit(Hex(0xFFB070), bright), Lit(Hex(0xB8461A), bright)));
            c.Fill(RoundRect(cx - 22 * s, cy - 18 * s, 44 * s, 34 * s, 7 * s), Lit(Hex(0xE8ECF0), bright));
            const Col eye = variant ? Hex(0xFF6AD0) : Hex(0x36D0FF);
            c.Glow(Circle(cx - 10 * s, cy - 6 * s, 4 * s), eye, 3 * s, bright);
            c.Glow(Circle(cx + 10 * s, cy - 6 * s, 4 * s), eye, 3 * s, bright);
            c.Fill(Circle(cx - 10 * s, cy - 6 * s, 5 * s), Lit(eye, bright));
            c.Fill(Circle(cx + 10 * s, cy - 6 * s, 5 * s), Lit(eye, bright));
            for (int i = 0; i < 5; ++i)
                c.Fill(Rect(cx + (-15 + i * 6.2f) * s, cy + 5 * s, 5 * s, 6 * s), Lit(Hex(0x30343A), bright));
            c.Fill(Capsule(cx, cy - 18 * s, cx, cy - 30 * s, 2 * s), Lit(Hex(0xE8ECF0), bright));
            c.Fill(Circle(cx, cy - 31 * s, 3.5f * s), Lit(variant ? Hex(0x6CFF7A) : Hex(0xFF4040), bright));
            break;
        }
        case 4: {  // asteroid field
            c.Fill(disc, Radial(cx, cy, r, Lit(Hex(0x1A2A40), bright), Lit(Hex(0x04060C), bright)));
            const float rocks[4][3] = {{-14, -10, 11}, {14, 8, 13}, {10, -20, 6}, {-16, 18, 7}};
            for (int i = 0; i < 4; ++i) {
                const float px = cx + rocks[i][0] * s * (variant ? -1.0f : 1.0f), py = cy + rocks[i][1] * s, pr = rocks[i][2] * s;
                c.Glow(Circle(px, py, pr), Hex(0x52F2C8), 4 * s, 0.6f * bright);
                c.Fill(Ellipse(px, py, pr, pr * 0.8f), Radial(px - pr * 0.3f, py - pr * 0.3f, pr * 1.2f, Lit(Hex(0xB0896A), bright),
                                                               Lit(Hex(0x4A3424), bright)));
            }
            break;
        }
        default: {  // bronze gong
            c.Fill(disc, Radial(cx, cy, r, Lit(Hex(0x6A3A14), bright), Lit(Hex(0x2A1406), bright)));
            const float gr = 24 * s;
            c.Fill(Circle(cx, cy - 2 * s, gr), Radial(cx - 6 * s, cy - 8 * s, gr * 1.3f, Lit(Hex(0xFFE0A0), bright), Lit(Hex(0xB07420), bright)));
            for (int i = 1; i <= 3; ++i) c.Fill(Ring(cx, cy - 2 * s, gr * static_cast<float>(i) / 4.0f, 1.2f * s), Lit(Hex(0x8A5618), bright), 0.7f);
            c.Fill(Circle(cx, cy - 2 * s, 6 * s), Lit(Hex(0xFFF0C8), bright));
            if (variant)
                for (int i = 0; i < 3; ++i)
                    c.Fill(Ring(cx, cy - 2 * s, gr + static_cast<float>(4 + 4 * i) * s, 1.5f * s), Hex(0xFFE2A0), 0.8f * bright / static_cast<float>(i + 1));
            c.Fill(Capsule(cx + 18 * s, cy + 26 * s, cx + 30 * s, cy + 10 * s, 3 * s), Lit(Hex(0xE8D2B0), bright));
            break;
        }
    }
}

}  // namespace ag
