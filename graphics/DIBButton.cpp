#include "graphics/DIBButton.h"

#include <cstdio>
#include <cstdlib>

#include "graphics/AppPalette.h"
#include "graphics/DIBPalette.h"
#include "graphics/StageOrigin.h"
#include "platform/Host.h"
#include "platform/gdi/Display.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

CDIBButton::CDIBButton(const plat::Point* point, int id)
    : m_x(point != nullptr ? point->x : 0), m_y(point != nullptr ? point->y : 0), m_nId(id) {}

void CDIBButton::Draw(plat::DeviceContext& dc, int addOrigin) {
    (void)dc;
    (void)addOrigin;
}

int CDIBButton::HitTest(int x, int y) {
    (void)x;
    (void)y;
    return 0;
}

void CDIBButton::Press(plat::Window& view) { (void)view; }

void CDIBButton::Release(plat::Window& view) { (void)view; }

plat::Display& CDIBButton::Screen() {
    plat::Host& host = plat::GetHost();
    plat::Display* display = host.display;
    if (display == nullptr && host.windows != nullptr) display = &host.windows->GetDisplay();
    if (display == nullptr) {
        std::fputs("plinkpad: image buttons need the host's display\n", stderr);
        std::abort();
    }
    return *display;
}

std::unique_ptr<plat::Bitmap> CDIBButton::MakeBitmap(CDIB* dib, int deleteDib) {
    const std::unique_ptr<CDIB> owned(deleteDib ? dib : nullptr);
    if (dib == nullptr) return nullptr;
    auto bitmap = std::make_unique<plat::Bitmap>(dib->GetWidth(), dib->GetHeight(), 8);
    plat::DeviceContext dc(Screen());
    dc.SelectBitmap(bitmap.get());
    CDIBPalette palette;
    if (palette.Create(*dib)) {
        dc.SelectPalette(&palette);
        dc.RealizePalette();
    }
    dib->Draw(dc, 0, 0);
    return bitmap;
}

std::unique_ptr<plat::Bitmap> CDIBButton::MakeMask(CDIB* dib, int deleteDib) {
    const std::unique_ptr<CDIB> owned(deleteDib ? dib : nullptr);
    if (dib == nullptr) return nullptr;
    // A monochrome target maps colours to black or white whatever palette is
    // realised, so the mask's own palette is not loaded into the screen.
    auto mask = std::make_unique<plat::Bitmap>(dib->GetWidth(), dib->GetHeight(), 1);
    plat::DeviceContext dc(Screen());
    dc.SelectBitmap(mask.get());
    dib->Draw(dc, 0, 0);
    return mask;
}

void CDIBButton::DrawTransparent(plat::Bitmap& bitmap, plat::DeviceContext& dc, int x, int y, plat::Rgb keyColour,
                                 int addOrigin) const {
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w <= 0 || h <= 0) return;
    if (addOrigin) {
        const plat::Point o = Origin();
        x += o.x;
        y += o.y;
    }
    plat::Display& display = dc.GetDisplay();
    const plat::Palette* appPalette = TheAppPalette();
    const plat::Palette* previous = dc.SelectedPalette();
    if (appPalette != nullptr) {
        dc.SelectPalette(appPalette);
        dc.RealizePalette();
    }

    // 1. A mask that is 1 where the image has the key colour.
    plat::DeviceContext imageDC(display);
    imageDC.SelectBitmap(&bitmap);
    imageDC.SelectPalette(appPalette);
    plat::Bitmap mask(w, h, 1);
    plat::DeviceContext maskDC(display);
    maskDC.SelectBitmap(&mask);
    imageDC.SetBkColor(keyColour);
    maskDC.BitBlt(0, 0, w, h, imageDC, 0, 0, plat::Rop::Copy);
    imageDC.SetBkColor(plat::kWhite);

    // 2. and 3. The destination under the image, with the image laid over it
    // where the mask is 0: (work ^ image) & mask ^ image.
    plat::Bitmap work(w, h, 8);
    plat::DeviceContext workDC(display);
    workDC.SelectBitmap(&work);
    workDC.SelectPalette(appPalette);
    workDC.BitBlt(0, 0, w, h, dc, x, y, plat::Rop::Copy);
    workDC.BitBlt(0, 0, w, h, imageDC, 0, 0, plat::Rop::Xor);
    workDC.BitBlt(0, 0, w, h, maskDC, 0, 0, plat::Rop::And);
    workDC.BitBlt(0, 0, w, h, imageDC, 0, 0, plat::Rop::Xor);

    // 4. Back to the destination.
    dc.BitBlt(x, y, w, h, workDC, 0, 0, plat::Rop::Copy);
    dc.SelectPalette(previous);
}

plat::Point CDIBButton::Origin() const {
    if (!m_bStageRelative) return {0, 0};
    return {TheStageOrigin().x, TheStageOrigin().y};
}

int CDIBButton::MaskHit(plat::Bitmap& mask, int x, int y) const {
    const plat::Point o = Origin();
    plat::DeviceContext dc(Screen());
    dc.SelectBitmap(&mask);
    const std::optional<plat::Rgb> pixel = dc.GetPixel(x - m_x - o.x, y - m_y - o.y);
    return pixel.has_value() && *pixel == plat::kBlack ? 1 : 0;
}

void CDIBButton::Unlight(plat::Window& view) {
    if (m_bHeld || !m_bLit) return;
    m_bLit = 0;
    view.Invalidate(&m_rect);
    view.UpdateNow();
}
