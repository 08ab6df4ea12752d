#include "tools/assetgen/canvas/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace ag {

Shape Circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }, {cx - r, cy - r, cx + r, cy + r}};
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
    // Scaled-circle distance, corrected by the gradient length near the edge.
    return {[=](float x, float y) {
                const float dx = (x - cx) / rx, dy = (y - cy) / ry;
                const float k = std::hypot(dx, dy);
                const float gx = dx / rx, gy = dy / ry;
                const float g = std::hypot(gx, gy);
                return g > 1e-6f ? (k - 1.0f) * k / g : -std::min(rx, ry);
            },
            {cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape RoundRect(float x, float y, float w, float h, float radius) {
    const float cx = x + w / 2, cy = y + h / 2, hx = w / 2, hy = h / 2;
    const float r = std::min({radius, hx, hy});
    return {[=](float px, float py) {
                const float qx = std::abs(px - cx) - (hx - r), qy = std::abs(py - cy) - (hy - r);
                const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
                return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0f) - r;
            },
            {x, y, x + w, y + h}};
}

Shape Capsule(float x0, float y0, float x1, float y1, float width) {
    const float r = width / 2;
    return {[=](float x, float y) {
                const float dx = x1 - x0, dy = y1 - y0;
                const float len2 = dx * dx + dy * dy;
                const float t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
                return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - r;
            },
            {std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r, std::max(y0, y1) + r}};
}

Shape Polygon(std::vector<Pt> pts) {
    Box b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const Pt& p : pts) {
        b.x0 = std::min(b.x0, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.x1 = std::max(b.x1, p.x);
        b.y1 = std::max(b.y1, p.y);
    }
    return {[pts = std::move(pts)](float x, float y) {
                float d2 = 1e30f;
                bool inside = false;
                const size_t n = pts.size();
                for (size_t i = 0, j = n - 1; i < n; j = i++) {
                    const Pt a = pts[j], c = pts[i];
                    const float ex = c.x - a.x, ey = c.y - a.y;
                    const float wx = x - a.x, wy = y - a.y;
                    const float len2 = ex * ex + ey * ey;
                    const float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
                    const float qx = wx - ex * t, qy = wy - ey * t;
                    d2 = std::min(d2, qx * qx + qy * qy);
                    if ((a.y > y) != (c.y > y) && x < a.x + (y - a.y) * ex / ey) inside = !inside;
                }
                const float d = std::sqrt(d2);
                return inside ? -d : d;
            },
            b};
}

Shape Star(float cx, float cy, float r0, float r1, int n, float turn) {
    std::vector<Pt> pts;
    for (int i = 0; i < 2 * n; ++i) {
        const float a = turn + static_cast<float>(i) * std::numbers::pi_v<float> / static_cast<float>(n) - std::numbers::pi_v<float> / 2;
        const float r = (i % 2 == 0) ? r1 : r0;
        pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return Polygon(std::move(pts));
}

Shape Ring(float cx, float cy, float r, float width) {
    const float h = width / 2;
    return {[=](float x, float y) { return std::abs(std::hypot(x - cx, y - cy) - r) - h; },
            {cx - r - h, cy - r - h, cx + r + h, cy + r + h}};
}

Shape Union(const Shape& a, const Shape& b) {
    return {[fa = a.sdf, fb = b.sdf](float x, float y) { return std::min(fa(x, y), fb(x, y)); },
            {std::min(a.box.x0, b.box.x0), std::min(a.box.y0, b.box.y0), std::max(a.box.x1, b.box.x1), std::max(a.box.y1, b.box.y1)}};
}

Shape Intersect(const Shape& a, const Shape& b) {
    return {[fa = a.sdf, fb = b.sdf](float x, float y) { return std::max(fa(x, y), fb(x, y)); },
            {std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0), std::min(a.box.x1, b.box.x1), std::min(a.box.y1, b.box.y1)}};
}

Shape Subtract(const Shape& a, const Shape& b) {
    return {[fa = a.sdf, fb = b.sdf](float x, float y) { return std::max(fa(x, y), -fb(x, y)); }, a.box};
}

Shape Grow(const Shape& s, float d) {
    return {[f = s.sdf, d](float x, float y) { return f(x, y) - d; }, {s.box.x0 - d, s.box.y0 - d, s.box.x1 + d, s.box.y1 + d}};
}

Shape Translate(const Shape& s, float dx, float dy) {
    return {[f = s.sdf, dx, dy](float x, float y) { return f(x - dx, y - dy); },
            {s.box.x0 + dx, s.box.y0 + dy, s.box.x1 + dx, s.box.y1 + dy}};
}

float Hash01(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float Noise(float x, float y, float cell, uint32_t seed) {
    const float fx = x / cell, fy = y / cell;
    const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    const float tx = fx - static_cast<float>(ix), ty = fy - static_cast<float>(iy);
    const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const float a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
    const float c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

}  // namespace ag
