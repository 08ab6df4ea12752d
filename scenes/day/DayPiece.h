#pragma once
// CDayPiece: a piece placed on the Day board. It has three pictures, one per
// voice (variant a, b, c) of its type, and shows the picture of the variant
// its cell and the selected board give; pressed, it shows the next variant's
// picture (pressed again while lit, the one after). Hit by its rectangle. Its
// id is 3 x its type (0, 3, .., 24), so its sound is id + variant. The
// pictures belong to the scene, which outlives its pieces. Window thread only.

#include <array>

#include "graphics/DIBButton.h"

class CDayPiece final : public CDIBButton {
public:
    // A piece with its left-top corner at `anchor` (stage coordinates).
    CDayPiece(plat::Point anchor, int id);

    // Picture `slot` 1, 2, 3 = variant a, b, c (not owned). Slot 1 also sets
    // the rectangle: the anchor plus the stage origin, the picture's size.
    void SetImage(int slot, plat::Bitmap* bitmap);
    // Voices the piece in variant 0..2: its picture, and the pictures shown
    // when pressed, follow.
    void SetVariant(int variant);

    // The variant's picture, lit or not.
    void Draw(plat::DeviceContext& dc, int addOrigin) override;
    int HitTest(int x, int y) override;
    // Lights and shows the next variant's picture on the view; when already
    // lit, the one after.
    void Press(plat::Window& view) override;
    // Unlights and repaints the rectangle at once (the variant's picture again).
    void Release(plat::Window& view) override;

    int m_nCell = 0;     // the cell key, 0..39
    int m_nVariant = 0;  // 0..2

private:
    void DrawOnView(plat::Window& view, plat::Bitmap* bitmap);

    std::array<plat::Bitmap*, 3> m_images{};  // by variant
    std::array<plat::Bitmap*, 3> m_order{};   // variants v, v + 1, v + 2 (mod 3)
};
