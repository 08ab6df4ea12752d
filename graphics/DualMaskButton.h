#pragma once
// CDualMaskButton: a simple button with a second mask that is the hit mask
// while the button is lit (a lit picture that covers a different area).
// Release ignores m_bHeld.

#include <memory>

#include "graphics/SimpleButton.h"

class CDualMaskButton : public CSimpleButton {
public:
    CDualMaskButton(const plat::Point* point, int id);

    // Lights and draws; the alternate mask becomes the hit mask.
    void Press(plat::Window& view) override;
    // When lit: the first mask again, unlit, repainted.
    void Release(plat::Window& view) override;

    // The alternate mask, made like an image at screen depth (its black
    // pixels are inside all the same). Deletes `dib` when deleteDib.
    int SetAltMask(CDIB* dib, int deleteDib);

    std::unique_ptr<plat::Bitmap> m_pAltMask;  // holds the first mask while lit
};
