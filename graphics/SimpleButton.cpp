#include "graphics/SimpleButton.h"

#include "platform/window/Window.h"

CSimpleButton::CSimpleButton(const plat::Point* point, int id) : CDIBButton(point, id) {}

void CSimpleButton::Draw(plat::DeviceContext& dc, int addOrigin) {
    if (m_bLit && m_pImage) DrawTransparent(*m_pImage, dc, m_x, m_y, plat::kKeyColour, addOrigin);
}

int CSimpleButton::HitTest(int x, int y) {
    if (m_pMask) return MaskHit(*m_pMask, x, y);
    return m_rect.Contains({x, y}) ? 1 : 0;
}

void CSimpleButton::Press(plat::Window& view) {
    m_bLit = 1;
    plat::DeviceContext dc = view.GetDC();
    Draw(dc, 1);
}

void CSimpleButton::Release(plat::Window& view) { Unlight(view); }

int CSimpleButton::SetImage(CDIB* dib, int deleteDib) {
    m_pImage = MakeBitmap(dib, deleteDib);
    if (!m_pImage) return 0;
    const plat::Point o = Origin();
    m_rect = plat::Rect::FromSize(m_x + o.x, m_y + o.y, m_pImage->Width(), m_pImage->Height());
    return 1;
}

void CSimpleButton::SetImageBitmap(std::unique_ptr<plat::Bitmap> bitmap) { m_pImage = std::move(bitmap); }

int CSimpleButton::SetMask(CDIB* dib, int deleteDib) {
    m_pMask = MakeMask(dib, deleteDib);
    return m_pMask ? 1 : 0;
}
