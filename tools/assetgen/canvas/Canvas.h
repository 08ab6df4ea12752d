#pragma once
// A small anti-aliased RGB drawing surface for the asset generator. Shapes are
// signed-distance functions in scene coordinates; a canvas may show a window of
// the scene (its origin), so one scene description draws both the whole
// background and any crop of it (a hot-spot's picture) with the same calls.
// Besides colour, each pixel keeps a coverage ("sprite alpha") of what was drawn
// since the canvas was made, which decides where a button picture stays
// transparent.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/text/Font.h"

namespace ag {

struct Col {
    float r = 0, g = 0, b = 0;  // 0..255
};
Col Mix(Col a, Col b, float t);
Col Scale(Col c, float k);
Col Hex(uint32_t rgb);

struct Box {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A filled region: sdf < 0 inside, in pixels (approximately Euclidean near the
// edge, which is all anti-aliasing and glows need).
struct Shape {
    std::function<float(float, float)> sdf;
    Box box;
};

using Paint = std::function<Col(float, float)>;
Paint Solid(Col c);
Paint Linear(float x0, float y0, Col c0, float x1, float y1, Col c1);
Paint Radial(float cx, float cy, float r, Col inner, Col outer);

class Canvas {
public:
    // A w x h window of the scene whose top-left scene point is (ox, oy).
    Canvas(int w, int h, int ox = 0, int oy = 0, Col fill = {});
    int Width() const { return w_; }
    int Height() const { return h_; }
    int OriginX() const { return ox_; }
    int OriginY() const { return oy_; }

    void Fill(const Shape& s, const Paint& p, float opacity = 1.0f);
    void Fill(const Shape& s, Col c, float opacity = 1.0f) { Fill(s, Solid(c), opacity); }
    // A soft halo outside (and under) the shape, fading over `radius` pixels.
    void Glow(const Shape& s, Col c, float radius, float strength = 1.0f);
    // Per-pixel function over the whole canvas (scene coordinates), e.g. skies.
    void Shade(const std::function<Col(float, float)>& f);
    // Text with its top-left corner at (x, y); optional dark halo for contrast.
    void Text(const plat::Font& font, std::string_view utf8, float x, float y, Col c, float opacity = 1.0f);
    void TextOutlined(const plat::Font& font, std::string_view utf8, float x, float y, Col c, Col outline);
    // Copies a same-sized scene window from another canvas (colour only).
    void CopyFrom(const Canvas& other);
    // Copies all of `src` with its top-left pixel at this canvas's pixel (px, py).
    void Paste(const Canvas& src, int px, int py);

    Col At(int px, int py) const { return rgb_[Index(px, py)]; }
    float AlphaAt(int px, int py) const { return alpha_[Index(px, py)]; }
    void ResetAlpha();

private:
    void Blend(int px, int py, Col c, float a);
    size_t Index(int px, int py) const { return static_cast<size_t>(py) * static_cast<size_t>(w_) + static_cast<size_t>(px); }
    int w_, h_, ox_, oy_;
    std::vector<Col> rgb_;
    std::vector<float> alpha_;
};

// Cached fonts by face and pixel size (the generator is single-threaded).
const plat::Font& FontOf(plat::Font::Face face, int px);

}  // namespace ag
