#include "tools/assetgen/canvas/Canvas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace ag {

Col Mix(Col a, Col b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Col Scale(Col c, float k) { return {std::min(255.0f, c.r * k), std::min(255.0f, c.g * k), std::min(255.0f, c.b * k)}; }
Col Hex(uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFF), static_cast<float>((rgb >> 8) & 0xFF), static_cast<float>(rgb & 0xFF)};
}

Paint Solid(Col c) {
    return [c](float, float) { return c; };
}

Paint Linear(float x0, float y0, Col c0, float x1, float y1, Col c1) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(1e-6f, dx * dx + dy * dy);
    return [=](float x, float y) {
        const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f);
        return Mix(c0, c1, t);
    };
}

Paint Radial(float cx, float cy, float r, Col inner, Col outer) {
    return [=](float x, float y) {
        const float t = std::clamp(std::hypot(x - cx, y - cy) / std::max(r, 1e-3f), 0.0f, 1.0f);
        return Mix(inner, outer, t);
    };
}

Canvas::Canvas(int w, int h, int ox, int oy, Col fill)
    : w_(w), h_(h), ox_(ox), oy_(oy), rgb_(static_cast<size_t>(w) * static_cast<size_t>(h), fill),
      alpha_(static_cast<size_t>(w) * static_cast<size_t>(h), 0.0f) {}

void Canvas::ResetAlpha() { std::fill(alpha_.begin(), alpha_.end(), 0.0f); }

void Canvas::Blend(int px, int py, Col c, float a) {
    if (a <= 0.0f) return;
    a = std::min(a, 1.0f);
    const size_t i = Index(px, py);
    rgb_[i] = Mix(rgb_[i], c, a);
    alpha_[i] = alpha_[i] + a * (1.0f - alpha_[i]);
}

namespace {
struct Span {
    int x0, y0, x1, y1;
};
}  // namespace

static Span Clip(const Box& b, float grow, int w, int h, int ox, int oy) {
    Span s;
    s.x0 = std::max(0, static_cast<int>(std::floor(b.x0 - grow)) - ox);
    s.y0 = std::max(0, static_cast<int>(std::floor(b.y0 - grow)) - oy);
    s.x1 = std::min(w, static_cast<int>(std::ceil(b.x1 + grow)) + 1 - ox);
    s.y1 = std::min(h, static_cast<int>(std::ceil(b.y1 + grow)) + 1 - oy);
    return s;
}

void Canvas::Fill(const Shape& s, const Paint& p, float opacity) {
    const Span sp = Clip(s.box, 1.0f, w_, h_, ox_, oy_);
    for (int py = sp.y0; py < sp.y1; ++py) {
        for (int px = sp.x0; px < sp.x1; ++px) {
            const float x = static_cast<float>(px + ox_) + 0.5f, y = static_cast<float>(py + oy_) + 0.5f;
            const float d = s.sdf(x, y);
            const float cov = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (cov > 0.0f) Blend(px, py, p(x, y), cov * opacity);
        }
    }
}

void Canvas::Glow(const Shape& s, Col c, float radius, float strength) {
    const Span sp = Clip(s.box, radius * 3.0f, w_, h_, ox_, oy_);
    for (int py = sp.y0; py < sp.y1; ++py) {
        for (int px = sp.x0; px < sp.x1; ++px) {
            const float x = static_cast<float>(px + ox_) + 0.5f, y = static_cast<float>(py + oy_) + 0.5f;
            const float d = std::max(0.0f, s.sdf(x, y));
            const float a = strength * std::exp(-d / std::max(radius, 0.1f) * 1.6f);
            if (a > 0.02f) Blend(px, py, c, a);
        }
    }
}

void Canvas::Shade(const std::function<Col(float, float)>& f) {
    for (int py = 0; py < h_; ++py)
        for (int px = 0; px < w_; ++px)
            rgb_[Index(px, py)] = f(static_cast<float>(px + ox_) + 0.5f, static_cast<float>(py + oy_) + 0.5f);
}

void Canvas::Text(const plat::Font& font, std::string_view utf8, float x, float y, Col c, float opacity) {
    const plat::GlyphCoverage g = font.Render(utf8);
    const int bx = static_cast<int>(std::lround(x)) - ox_, by = static_cast<int>(std::lround(y)) - oy_;
    for (int gy = 0; gy < g.height; ++gy) {
        const int py = by + gy;
        if (py < 0 || py >= h_) continue;
        for (int gx = 0; gx < g.width; ++gx) {
            const int px = bx + gx;
            if (px < 0 || px >= w_) continue;
            const float a = g.alpha[static_cast<size_t>(gy) * static_cast<size_t>(g.width) + static_cast<size_t>(gx)] / 255.0f;
            Blend(px, py, c, a * opacity);
        }
    }
}

void Canvas::TextOutlined(const plat::Font& font, std::string_view utf8, float x, float y, Col c, Col outline) {
    static const int kRing[8][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, 1}, {-1, 1}, {1, -1}};
    for (const auto& d : kRing) Text(font, utf8, x + static_cast<float>(d[0]), y + static_cast<float>(d[1]), outline, 0.7f);
    Text(font, utf8, x, y, c);
}

void Canvas::CopyFrom(const Canvas& other) {
    for (int py = 0; py < h_; ++py) {
        for (int px = 0; px < w_; ++px) {
            const int sx = px + ox_ - other.ox_, sy = py + oy_ - other.oy_;
            if (sx >= 0 && sy >= 0 && sx < other.w_ && sy < other.h_) rgb_[Index(px, py)] = other.At(sx, sy);
        }
    }
}

void Canvas::Paste(const Canvas& src, int px, int py) {
    for (int y = 0; y < src.h_; ++y)
        for (int x = 0; x < src.w_; ++x)
            if (px + x >= 0 && py + y >= 0 && px + x < w_ && py + y < h_) rgb_[Index(px + x, py + y)] = src.At(x, y);
}

const plat::Font& FontOf(plat::Font::Face face, int px) {
    static std::map<std::pair<int, int>, std::unique_ptr<plat::Font>> cache;
    auto& slot = cache[{static_cast<int>(face), px}];
    if (!slot) {
        slot = std::make_unique<plat::Font>(face, px);
        // Pictures without their texts would be wrong, not merely plain.
        if (!slot->Valid()) throw std::runtime_error("no font in " + plat::Font::FontDirectory());
    }
    return *slot;
}

}  // namespace ag
