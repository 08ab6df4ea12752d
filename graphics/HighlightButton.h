#pragma once
// CHighlightButton: a simple button with a second picture, the highlight,
// placed at its own position (a key whose light appears elsewhere).

#include "graphics/SimpleButton.h"

class CHighlightButton : public CSimpleButton {
public:
    CHighlightButton(const plat::Point* point, int id);
    ~CHighlightButton() override;

    // The highlight from a DIB (the DIB is deleted), owned by the button, at
    // (x, y) in the button's coordinates. 0 when the conversion fails.
    int SetHighlight(CDIB* dib, int x, int y);
    // A highlight shared with other buttons: not owned, must outlive the button.
    void SetHighlightBitmap(plat::Bitmap* bitmap, int x, int y);
    // Draws the highlight transparently on `view` and marks the button's
    // rectangle for the next paint (no erase, no immediate update).
    void ShowHighlight(plat::Window& view);

    plat::Bitmap* m_pHighlight = nullptr;
    int m_bOwnsHighlight = 0;
    int m_nHighlightX = 0;
    int m_nHighlightY = 0;
    plat::Rect m_rectHighlight{};  // view coordinates

private:
    void DropHighlight();
    void PlaceHighlight(int x, int y);
};
