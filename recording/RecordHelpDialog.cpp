#include "recording/RecordHelpDialog.h"

#include "graphics/AppPalette.h"
#include "platform/window/WindowSystem.h"

CRecordHelpDialog::CRecordHelpDialog(plat::WindowSystem& system, const std::string& picturePath)
    : plat::Window(system) {
    m_picture.Load(picturePath);
}

CRecordHelpDialog::~CRecordHelpDialog() { Destroy(); }

int CRecordHelpDialog::DoModal() {
    const plat::Display& display = System().GetDisplay();
    plat::WindowParams params;
    params.style = plat::WindowStyle::Popup;
    params.rect = plat::Rect::FromSize((display.Width() - kWidth) / 2, (display.Height() - kHeight) / 2, kWidth,
                                       kHeight);
    params.visible = true;
    // Above the palette, which floats over everything else.
    params.topmost = true;
    if (!Create(params)) return -1;
    const int result = System().RunModal(*this);
    Destroy();
    return result;
}

void CRecordHelpDialog::OnShowWindow(bool shown) {
    if (!shown) return;
    const plat::Rect r = OuterRect();
    System().ClipCursor(&r);
    System().SetCursorPos({r.left, r.top});
}

void CRecordHelpDialog::OnPaint(plat::DeviceContext& dc) {
    if (const plat::Palette* palette = TheAppPalette()) {
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    m_picture.Draw(dc, 0, 0);
}

void CRecordHelpDialog::OnLButtonUp(int, int) { System().EndModal(*this, 1); }

void CRecordHelpDialog::OnDestroy() {
    m_picture = CDIB();
    System().ClipCursor(nullptr);
}
