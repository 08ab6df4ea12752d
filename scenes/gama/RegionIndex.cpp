#include "scenes/gama/RegionIndex.h"

#include "graphics/DIBButton.h"

RegionIndex::RegionIndex(plat::Point o)
    : m_regionRects{{
          {o.x, o.y, o.x + 320, o.y + 240},              // top-left
          {o.x + 320, o.y, o.x + 640, o.y + 240},        // top-right
          {o.x, o.y + 240, o.x + 320, o.y + 480},        // bottom-left
          {o.x + 320, o.y + 240, o.x + 640, o.y + 480},  // bottom-right
          {o.x + 295, o.y + 145, o.x + 350, o.y + 335},  // centre
      }} {}

void RegionIndex::File(Region region, CDIBButton* hotspot) { m_regionHotspots[region].push_back(hotspot); }

CDIBButton* RegionIndex::HitTest(int x, int y) const {
    // The centre strip lies over the quarters, so it is asked first.
    for (const Region r : {kCentre, kTopLeft, kTopRight, kBottomLeft, kBottomRight}) {
        if (!m_regionRects[r].Contains({x, y})) continue;
        for (CDIBButton* h : m_regionHotspots[r])
            if (h->HitTest(x, y)) return h;
        return nullptr;
    }
    return nullptr;
}
