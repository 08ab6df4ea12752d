#include "graphics/HighlightButton.h"

#include "platform/window/Window.h"

CHighlightButton::CHighlightButton(const plat::Point* point, int id) : CSimpleButton(point, id) {}

CHighlightButton::~CHighlightButton() { DropHighlight(); }

void CHighlightButton::DropHighlight() {
    if (m_bOwnsHighlight) delete m_pHighlight;
    m_pHighlight = nullptr;
    m_bOwnsHighlight = 0;
}

void CHighlightButton::PlaceHighlight(int x, int y) {
    m_nHighlightX = x;
    m_nHighlightY = y;
    const plat::Point o = Origin();
    m_rectHighlight = plat::Rect::FromSize(x + o.x, y + o.y, m_pHighlight->Width(), m_pHighlight->Height());
}

int CHighlightButton::SetHighlight(CDIB* dib, int x, int y) {
    std::unique_ptr<plat::Bitmap> bitmap = MakeBitmap(dib, 1);
    if (!bitmap) return 0;
    DropHighlight();
    m_pHighlight = bitmap.release();
    m_bOwnsHighlight = 1;
    PlaceHighlight(x, y);
    return 1;
}

void CHighlightButton::SetHighlightBitmap(plat::Bitmap* bitmap, int x, int y) {
    DropHighlight();
    m_pHighlight = bitmap;
    if (m_pHighlight != nullptr) PlaceHighlight(x, y);
}

void CHighlightButton::ShowHighlight(plat::Window& view) {
    if (m_pHighlight == nullptr) return;
    plat::DeviceContext dc = view.GetDC();
    DrawTransparent(*m_pHighlight, dc, m_nHighlightX, m_nHighlightY, plat::kKeyColour, 1);
    view.Invalidate(&m_rect);
}
