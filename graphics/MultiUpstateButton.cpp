#include "graphics/MultiUpstateButton.h"

#include "platform/window/Window.h"

CMultiUpstateButton::CMultiUpstateButton(const plat::Point* point, int id) : CDIBButton(point, id) {}

void CMultiUpstateButton::Draw(plat::DeviceContext& dc, int addOrigin) { DrawLevels(dc, 0, 0, addOrigin); }

int CMultiUpstateButton::HitTest(int x, int y) { return m_pMask ? MaskHit(*m_pMask, x, y) : 0; }

void CMultiUpstateButton::Press(plat::Window& view) { PressLevel(view, 0, 0); }

void CMultiUpstateButton::Release(plat::Window& view) { Unlight(view); }

int CMultiUpstateButton::SetMask(CDIB* dib) {
    m_pMask = MakeMask(dib, 1);
    return m_pMask ? 1 : 0;
}

int CMultiUpstateButton::AddUpstate(CDIB* dib, int x, int y, int level) {
    Upstate entry{MakeBitmap(dib, 1), x, y, level};
    if (!entry.bitmap) return 0;
    const plat::Point o = Origin();
    m_rect = m_rect.Union(plat::Rect::FromSize(x + o.x, y + o.y, entry.bitmap->Width(), entry.bitmap->Height()));
    m_upstates.push_back(std::move(entry));
    return 1;
}

void CMultiUpstateButton::DrawLevels(plat::DeviceContext& dc, int level, int exact, int addOrigin) {
    if (!m_bLit) return;
    for (Upstate& u : m_upstates) {
        if (u.level == 0 || (exact ? u.level == level : u.level <= level))
            DrawTransparent(*u.bitmap, dc, u.x, u.y, plat::kKeyColour, addOrigin);
    }
}

void CMultiUpstateButton::PressLevel(plat::Window& view, int level, int exact) {
    m_bLit = 1;
    plat::DeviceContext dc = view.GetDC();
    DrawLevels(dc, level, exact, 1);
}
