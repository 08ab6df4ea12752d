#pragma once
// CMultiUpstateButton: any number of pictures ("up-states"), each at its own
// position with a level, and one mask tested at the button's position.
// Level-0 pictures show whenever the button is lit; PressLevel shows the
// pictures up to a level (a growing bar) or of exactly one level. Without a
// mask the button is never hit.

#include <memory>
#include <vector>

#include "graphics/DIBButton.h"

class CMultiUpstateButton : public CDIBButton {
public:
    struct Upstate {
        std::unique_ptr<plat::Bitmap> bitmap;
        int x = 0;  // stage coordinates, like m_x
        int y = 0;
        int level = 0;
    };

    CMultiUpstateButton(const plat::Point* point, int id);

    // DrawLevels(dc, 0, 0, addOrigin): the level-0 pictures.
    void Draw(plat::DeviceContext& dc, int addOrigin) override;
    // Mask test; without a mask: 0.
    int HitTest(int x, int y) override;
    // PressLevel(view, 0, 0).
    void Press(plat::Window& view) override;
    // Unlights unless held.
    void Release(plat::Window& view) override;

    // The mask from a DIB; the DIB is deleted.
    virtual int SetMask(CDIB* dib);
    // Appends a picture from a DIB (the DIB is deleted) at (x, y) with a
    // level; m_rect grows to hold it. 0 when the conversion fails.
    virtual int AddUpstate(CDIB* dib, int x, int y, int level);
    // When lit, draws in order each picture whose level is 0, or equals
    // `level` when exact, or is at most `level` when not exact.
    virtual void DrawLevels(plat::DeviceContext& dc, int level, int exact, int addOrigin);
    // Lights and draws DrawLevels(level, exact) straight on `view`.
    virtual void PressLevel(plat::Window& view, int level, int exact);

    std::vector<Upstate> m_upstates;
    std::unique_ptr<plat::Bitmap> m_pMask;
};
