#pragma once
// CThreeImageButton: three pictures chosen by a mode and one mask. While lit
// with a third picture it shows that one; otherwise mode 2 shows picture 1,
// mode 3 picture 2 and mode 1 nothing, lit or not.
//
// Ownership: a button made with ownsImages = 1 owns its pictures and mask,
// sets them with SetImage and SetMask and deletes them. A button made with
// ownsImages = 0 shows pictures that belong to someone else, who assigns the
// members directly and keeps them alive; SetImage and SetMask refuse on it
// (returning 0, the DIB deleted), since nobody would own what they made.

#include "graphics/DIBButton.h"

class CThreeImageButton : public CDIBButton {
public:
    CThreeImageButton(const plat::Point* point, int id, int ownsImages);
    ~CThreeImageButton() override;

    void Draw(plat::DeviceContext& dc, int addOrigin) override;
    // Mask test; without a mask, inside m_rect.
    int HitTest(int x, int y) override;
    // Lights and draws on the view.
    void Press(plat::Window& view) override;
    // Unlights unless held.
    void Release(plat::Window& view) override;

    // Replaces picture `slot` (1..3) by the DIB (deleted); slots 2 and 3 also
    // set m_rect from the picture's size.
    int SetImage(int slot, CDIB* dib);
    // The mask from a DIB (deleted).
    int SetMask(CDIB* dib);
    // forward: 1 -> 2 -> 3 -> 1; backward: 1 -> 3 -> 2 -> 1.
    void CycleMode(int forward);
    // Exchanges pictures i and j (1..3) and remembers that they are swapped.
    void SwapImages(int i, int j);
    // When swapped: exchanges pictures 1 and 2 back.
    void RestoreImages();
    // Lights and draws picture `slot` on the view.
    void PressWithImage(plat::Window& view, int slot);
    // Draws picture `slot` if present.
    void DrawImage(plat::DeviceContext& dc, int slot, int addOrigin);

    int m_nMode = 1;
    plat::Bitmap* m_pImage1 = nullptr;
    plat::Bitmap* m_pImage2 = nullptr;
    plat::Bitmap* m_pImage3 = nullptr;
    plat::Bitmap* m_pMask = nullptr;
    int m_bOwnsImages;
    int m_bSwapped = 0;

private:
    // The member holding picture `slot`; null for a slot out of 1..3.
    plat::Bitmap** Slot(int slot);
};
