#include "graphics/DualMaskButton.h"

#include <utility>

#include "platform/window/Window.h"

CDualMaskButton::CDualMaskButton(const plat::Point* point, int id) : CSimpleButton(point, id) {}

void CDualMaskButton::Press(plat::Window& view) {
    // Swapping only on the unlit-to-lit step keeps the masks paired with the
    // state when a lit button is pressed again (a key bound to it).
    if (!m_bLit) std::swap(m_pMask, m_pAltMask);
    m_bLit = 1;
    plat::DeviceContext dc = view.GetDC();
    Draw(dc, 1);
}

void CDualMaskButton::Release(plat::Window& view) {
    if (!m_bLit) return;
    std::swap(m_pMask, m_pAltMask);
    m_bLit = 0;
    view.Invalidate(&m_rect);
    view.UpdateNow();
}

int CDualMaskButton::SetAltMask(CDIB* dib, int deleteDib) {
    m_pAltMask = MakeBitmap(dib, deleteDib);
    return m_pAltMask ? 1 : 0;
}
