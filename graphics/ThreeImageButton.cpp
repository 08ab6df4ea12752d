#include "graphics/ThreeImageButton.h"

#include <utility>

#include "platform/window/Window.h"

CThreeImageButton::CThreeImageButton(const plat::Point* point, int id, int ownsImages)
    : CDIBButton(point, id), m_bOwnsImages(ownsImages) {}

CThreeImageButton::~CThreeImageButton() {
    if (!m_bOwnsImages) return;
    delete m_pImage1;
    delete m_pImage2;
    delete m_pImage3;
    delete m_pMask;
}

plat::Bitmap** CThreeImageButton::Slot(int slot) {
    switch (slot) {
        case 1: return &m_pImage1;
        case 2: return &m_pImage2;
        case 3: return &m_pImage3;
        default: return nullptr;
    }
}

void CThreeImageButton::Draw(plat::DeviceContext& dc, int addOrigin) {
    if (m_bLit && m_pImage3 != nullptr)
        DrawImage(dc, 3, addOrigin);
    else if (m_nMode == 2)
        DrawImage(dc, 1, addOrigin);
    else if (m_nMode == 3)
        DrawImage(dc, 2, addOrigin);
}

int CThreeImageButton::HitTest(int x, int y) {
    if (m_pMask != nullptr) return MaskHit(*m_pMask, x, y);
    return m_rect.Contains({x, y}) ? 1 : 0;
}

void CThreeImageButton::Press(plat::Window& view) {
    m_bLit = 1;
    plat::DeviceContext dc = view.GetDC();
    Draw(dc, 1);
}

void CThreeImageButton::Release(plat::Window& view) { Unlight(view); }

int CThreeImageButton::SetImage(int slot, CDIB* dib) {
    std::unique_ptr<plat::Bitmap> bitmap = MakeBitmap(dib, 1);
    plat::Bitmap** member = Slot(slot);
    if (!bitmap || member == nullptr || !m_bOwnsImages) return 0;
    delete *member;
    *member = bitmap.release();
    if (slot != 1) {
        const plat::Point o = Origin();
        m_rect = plat::Rect::FromSize(m_x + o.x, m_y + o.y, (*member)->Width(), (*member)->Height());
    }
    return 1;
}

int CThreeImageButton::SetMask(CDIB* dib) {
    std::unique_ptr<plat::Bitmap> mask = MakeMask(dib, 1);
    if (!mask || !m_bOwnsImages) return 0;
    delete m_pMask;
    m_pMask = mask.release();
    return 1;
}

void CThreeImageButton::CycleMode(int forward) {
    if (forward)
        m_nMode = m_nMode == 1 ? 2 : m_nMode == 2 ? 3 : 1;
    else
        m_nMode = m_nMode == 1 ? 3 : m_nMode == 3 ? 2 : 1;
}

void CThreeImageButton::SwapImages(int i, int j) {
    plat::Bitmap** a = Slot(i);
    plat::Bitmap** b = Slot(j);
    if (a == nullptr || b == nullptr) return;
    std::swap(*a, *b);
    m_bSwapped = 1;
}

void CThreeImageButton::RestoreImages() {
    if (!m_bSwapped) return;
    std::swap(m_pImage1, m_pImage2);
    m_bSwapped = 0;
}

void CThreeImageButton::PressWithImage(plat::Window& view, int slot) {
    m_bLit = 1;
    plat::DeviceContext dc = view.GetDC();
    DrawImage(dc, slot, 1);
}

void CThreeImageButton::DrawImage(plat::DeviceContext& dc, int slot, int addOrigin) {
    plat::Bitmap** member = Slot(slot);
    if (member != nullptr && *member != nullptr) DrawTransparent(**member, dc, m_x, m_y, plat::kKeyColour, addOrigin);
}
