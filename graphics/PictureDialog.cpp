#include "graphics/PictureDialog.h"

#include "graphics/AppPalette.h"
#include "graphics/Cursors.h"
#include "graphics/DIB.h"
#include "graphics/DIBButton.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/window/WindowSystem.h"

namespace {
constexpr int kBusyCursor = 4;
}

CPictureDialog::CPictureDialog(plat::WindowSystem& system, const std::string& picturePath, int pictureWidth,
                               int pictureHeight)
    : plat::Window(system), m_nPictureWidth(pictureWidth), m_nPictureHeight(pictureHeight) {
    const plat::Cursor* previous = system.GetCursor();
    system.SetCursor(&AppCursor(kBusyCursor));
    auto* dib = new CDIB;
    dib->Load(picturePath);
    m_pPicture = CDIBButton::MakeBitmap(dib, 1);
    system.SetCursor(previous);
}

CPictureDialog::~CPictureDialog() { Destroy(); }

int CPictureDialog::RunAt(const plat::Rect& outer) {
    plat::WindowParams params;
    params.style = plat::WindowStyle::Popup;
    params.rect = outer;
    params.visible = true;
    params.topmost = true;  // above the palette, which floats over the stage
    if (!Create(params)) return -1;  // showing it confines the pointer (OnShowWindow)
    const int result = System().RunModal(*this);
    Destroy();
    return result;
}

void CPictureDialog::OnShowWindow(bool shown) {
    if (!shown) return;
    const plat::Rect outer = OuterRect();
    System().ClipCursor(&outer);
    System().SetCursorPos({outer.left, outer.top});
}

void CPictureDialog::OnPaint(plat::DeviceContext& dc) {
    if (const plat::Palette* palette = TheAppPalette()) {
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    if (!m_pPicture) return;
    plat::DeviceContext pictureDC(dc.GetDisplay());
    pictureDC.SelectBitmap(m_pPicture.get());
    dc.BitBlt(0, 0, m_nPictureWidth, m_nPictureHeight, pictureDC, 0, 0, plat::Rop::Copy);
}

void CPictureDialog::OnLButtonUp(int, int) { System().EndModal(*this, 0); }

void CPictureDialog::OnDestroy() {
    m_pPicture.reset();
    System().ClipCursor(nullptr);
}
