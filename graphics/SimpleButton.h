#pragma once
// CSimpleButton: one image, shown while lit, and one mask for the hit test.
// Without a mask the button's rectangle is hit instead.

#include <memory>

#include "graphics/DIBButton.h"

class CSimpleButton : public CDIBButton {
public:
    CSimpleButton(const plat::Point* point, int id);

    // Draws the image transparently when lit.
    void Draw(plat::DeviceContext& dc, int addOrigin) override;
    // Mask test; without a mask, inside m_rect.
    int HitTest(int x, int y) override;
    void Press(plat::Window& view) override;
    // Unlights unless held.
    void Release(plat::Window& view) override;

    // The image from a DIB (deleted when deleteDib); sets m_rect from the
    // image's size. 0 and no image when the conversion fails.
    virtual int SetImage(CDIB* dib, int deleteDib);
    // Takes `bitmap` as the image; m_rect is left as it is.
    virtual void SetImageBitmap(std::unique_ptr<plat::Bitmap> bitmap);
    // The mask from a DIB (deleted when deleteDib).
    virtual int SetMask(CDIB* dib, int deleteDib);

    std::unique_ptr<plat::Bitmap> m_pImage;
    std::unique_ptr<plat::Bitmap> m_pMask;  // one bit per pixel, or screen depth while swapped (CDualMaskButton)
};
