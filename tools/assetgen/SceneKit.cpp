#include "tools/assetgen/SceneKit.h"

#include <sstream>

namespace ag {

SceneKit::SceneKit(Album& album, int width, int height, Col fill) : album_(album), back_(width, height, 0, 0, fill) {}

void SceneKit::SaveBackground(const std::string& path) { album_.AddBackground(path, back_); }

void SceneKit::Picture(const std::string& path, int x, int y, int w, int h, const std::function<void(Canvas&)>& draw,
                       float threshold) {
    Canvas c(w, h, x, y);
    c.CopyFrom(back_);
    draw(c);
    album_.AddButton(path, c, threshold);
}

void SceneKit::Opaque(const std::string& path, int x, int y, int w, int h, const std::function<void(Canvas&)>& draw) {
    Canvas c(w, h, x, y);
    c.CopyFrom(back_);
    draw(c);
    album_.AddBackground(path, c);
}

void SceneKit::Mask(const std::string& path, int x, int y, int w, int h, const Shape& s) {
    album_.AddMask(path, s, x, y, w, h);
}

void Bevel(Canvas& c, const Shape& s, Col base, float light, float dark) {
    const Box& b = s.box;
    c.Fill(s, Linear(b.x0, b.y0, Scale(base, light), b.x1, b.y1, Scale(base, dark)));
    c.Fill(Grow(s, -2.0f), Linear(b.x0, b.y0, Scale(base, 0.95f), b.x1, b.y1, Scale(base, 1.1f)));
}

void Sparkle(Canvas& c, float cx, float cy, float r, Col col) {
    c.Glow(Circle(cx, cy, r * 0.25f), col, r * 0.5f, 0.9f);
    c.Fill(Star(cx, cy, r * 0.18f, r, 4), col);
    c.Fill(Circle(cx, cy, r * 0.2f), Hex(0xFFFFFF));
}

void Label(Canvas& c, const std::string& text, float x, float y, int px, Col col, Col outline, bool bold) {
    c.TextOutlined(FontOf(bold ? plat::Font::Face::SansBold : plat::Font::Face::Sans, px), text, x, y, col, outline);
}

int TextWidth(const std::string& text, int px, bool bold) {
    return FontOf(bold ? plat::Font::Face::SansBold : plat::Font::Face::Sans, px).MeasureWidth(text);
}

std::vector<std::string> Wrap(const std::string& text, int px, int width, bool bold) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        const std::string trial = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(trial, px, bold) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = trial;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace ag
