#pragma once
// Gama's spatial index: the 640 x 480 stage split into four quarters, with a
// centre strip lying over them, each region holding its own hot-spots in hit
// order. A point is looked up in the centre strip first, then in the quarter
// that holds it; a point on the middle column or row belongs to the right or
// lower quarter. A hot-spot answers only inside the region it was filed
// under, even where its mask reaches further. The hot-spots belong to the
// scene; the index only points at them. Window thread only.

#include <array>
#include <vector>

#include "platform/Geometry.h"

class CDIBButton;

class RegionIndex {
public:
    enum Region { kTopLeft, kTopRight, kBottomLeft, kBottomRight, kCentre, kRegionCount };

    // The regions of a 640 x 480 stage whose top-left corner is `origin`
    // (view coordinates).
    explicit RegionIndex(plat::Point origin = {});

    // Appends `hotspot` to the hit order of `region`.
    void File(Region region, CDIBButton* hotspot);
    // The first hot-spot of the region holding the view point (x, y) whose
    // own hit test accepts it; null outside the stage or over none.
    CDIBButton* HitTest(int x, int y) const;

private:
    std::array<plat::Rect, kRegionCount> m_regionRects;
    std::array<std::vector<CDIBButton*>, kRegionCount> m_regionHotspots;
};
