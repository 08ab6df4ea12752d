#pragma once
// Signed-distance shapes in scene coordinates (see Canvas.h).

#include <vector>

#include "tools/assetgen/canvas/Canvas.h"

namespace ag {

struct Pt {
    float x = 0, y = 0;
};

Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape RoundRect(float x, float y, float w, float h, float radius);
inline Shape Rect(float x, float y, float w, float h) { return RoundRect(x, y, w, h, 0.0f); }
// A line segment of thickness `width` with round ends.
Shape Capsule(float x0, float y0, float x1, float y1, float width);
Shape Polygon(std::vector<Pt> points);
// A star polygon with `n` points between radii r0 (inner) and r1 (outer).
Shape Star(float cx, float cy, float r0, float r1, int n, float turn = 0.0f);
Shape Ring(float cx, float cy, float r, float width);
Shape Union(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Subtract(const Shape& a, const Shape& b);
// Grows (positive) or shrinks the shape by d pixels.
Shape Grow(const Shape& s, float d);
Shape Translate(const Shape& s, float dx, float dy);

// Deterministic value noise in 0..1 (seeded), smooth at scale `cell` pixels.
float Noise(float x, float y, float cell, uint32_t seed);
// Hash in 0..1 of integer coordinates.
float Hash01(int x, int y, uint32_t seed);

}  // namespace ag
