#include "app/MainFrame.h"

#include "app/PlinkpadView.h"
#include "graphics/AppPalette.h"
#include "platform/window/WindowSystem.h"

CMainFrame::CMainFrame(plat::WindowSystem& system) : plat::Window(system) {}

CMainFrame::~CMainFrame() {
    // The view goes first: its destructor still talks to its parent's system.
    m_pView.reset();
    Destroy();
}

bool CMainFrame::CreateFrame() {
    const plat::Display& display = System().GetDisplay();
    plat::WindowParams params;
    params.style = plat::WindowStyle::Popup;
    params.rect = plat::Rect::FromSize(0, 0, display.Width(), display.Height());
    params.title = "Plinkpad";
    params.visible = true;
    if (!Create(params)) return false;
    m_pView = std::make_unique<CPlinkpadView>(System());
    if (!m_pView->CreateView(*this)) {
        m_pView.reset();
        Destroy();
        return false;
    }
    return true;
}

void CMainFrame::OnPaletteChanged() {
    const plat::Palette* palette = TheAppPalette();
    if (palette == nullptr) return;
    plat::DeviceContext dc = GetDC();
    dc.SelectPalette(palette);
    dc.RealizePalette();
    Invalidate();
    UpdateNow();
    if (m_pView) {
        m_pView->Invalidate();
        m_pView->UpdateNow();
    }
}

void CMainFrame::OnDestroy() { System().PostQuit(0); }
