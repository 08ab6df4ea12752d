#include "scenes/day/DayPiece.h"

#include "platform/window/Window.h"

CDayPiece::CDayPiece(plat::Point anchor, int id) : CDIBButton(&anchor, id) {}

void CDayPiece::SetImage(int slot, plat::Bitmap* bitmap) {
    if (slot < 1 || slot > 3) return;
    m_images[static_cast<size_t>(slot - 1)] = bitmap;
    if (slot == 1 && bitmap != nullptr) {
        const plat::Point o = Origin();
        m_rect = plat::Rect::FromSize(m_x + o.x, m_y + o.y, bitmap->Width(), bitmap->Height());
    }
    SetVariant(m_nVariant);
}

void CDayPiece::SetVariant(int variant) {
    m_nVariant = variant;
    for (size_t i = 0; i < m_order.size(); ++i) m_order[i] = m_images[(static_cast<size_t>(variant) + i) % 3];
}

void CDayPiece::Draw(plat::DeviceContext& dc, int addOrigin) {
    if (m_order[0] != nullptr) DrawTransparent(*m_order[0], dc, m_x, m_y, plat::kKeyColour, addOrigin);
}

int CDayPiece::HitTest(int x, int y) { return m_rect.Contains({x, y}) ? 1 : 0; }

void CDayPiece::Press(plat::Window& view) {
    if (!m_bLit) {
        m_bLit = 1;
        DrawOnView(view, m_order[1]);
    } else {
        DrawOnView(view, m_order[2]);
    }
}

void CDayPiece::Release(plat::Window& view) { Unlight(view); }

void CDayPiece::DrawOnView(plat::Window& view, plat::Bitmap* bitmap) {
    if (bitmap == nullptr) return;
    plat::DeviceContext dc = view.GetDC();
    DrawTransparent(*bitmap, dc, m_x, m_y, plat::kKeyColour, 1);
}
