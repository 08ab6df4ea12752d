#include "scenes/AboutBox.h"

#include "app/resources/Cursors.h"
#include "graphics/AppPalette.h"
#include "graphics/DIB.h"
#include "graphics/DIBButton.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/window/WindowSystem.h"

namespace {

// The part of the picture shown in the client area.
constexpr int kPictureWidth = 374;
constexpr int kPictureHeight = 382;
constexpr int kBusyCursor = 4;

}  // namespace

CAboutBox::CAboutBox(plat::WindowSystem& system, const std::string& imageFolder, plat::Window& parent)
    : plat::Window(system), m_parent(parent) {
    const plat::Cursor* previous = system.GetCursor();
    system.SetCursor(&AppCursor(kBusyCursor));
    auto* dib = new CDIB;
    dib->Load(imageFolder + "About_st.bmp");
    m_pPicture = CDIBButton::MakeBitmap(dib, 1);
    system.SetCursor(previous);
}

CAboutBox::~CAboutBox() { Destroy(); }

int CAboutBox::DoModal() {
    plat::WindowParams params;
    params.style = plat::WindowStyle::Popup;
    const plat::Point corner = m_parent.ClientOrigin();
    params.rect = plat::Rect::FromSize(corner.x, corner.y, kWidth, kHeight);
    params.topmost = true;
    if (!Create(params)) return -1;  // showing it confines the pointer (OnShowWindow)
    const int result = System().RunModal(*this);
    Destroy();
    return result;
}

void CAboutBox::OnShowWindow(bool shown) {
    if (!shown) return;
    const plat::Rect outer = OuterRect();
    System().ClipCursor(&outer);
    System().SetCursorPos({outer.left, outer.top});
}

void CAboutBox::OnPaint(plat::DeviceContext& dc) {
    if (const plat::Palette* palette = TheAppPalette()) {
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    if (!m_pPicture) return;
    plat::DeviceContext pictureDC(dc.GetDisplay());
    pictureDC.SelectBitmap(m_pPicture.get());
    dc.BitBlt(0, 0, kPictureWidth, kPictureHeight, pictureDC, 0, 0, plat::Rop::Copy);
}

void CAboutBox::OnLButtonUp(int x, int y) {
    (void)x;
    (void)y;
    System().EndModal(*this, 0);
}

void CAboutBox::OnDestroy() {
    m_pPicture.reset();
    System().ClipCursor(nullptr);
}
