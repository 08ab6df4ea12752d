#pragma once
// The record help: one picture (374 x 382) shown as a modal pop-up over the
// stage and the palette. The pointer is held inside it; any click ends it.
// Window thread only.

#include <string>

#include "graphics/DIB.h"
#include "platform/window/Window.h"

class CRecordHelpDialog final : public plat::Window {
public:
    static constexpr int kWidth = 374;
    static constexpr int kHeight = 382;

    // Loads the picture at the host path (the disc only); a picture that
    // cannot be read leaves the DIB's placeholder.
    CRecordHelpDialog(plat::WindowSystem& system, const std::string& picturePath);
    ~CRecordHelpDialog() override;

    // Shows the picture centred on the desktop and returns when it was clicked.
    int DoModal();

    void OnShowWindow(bool shown) override;
    void OnPaint(plat::DeviceContext& dc) override;
    void OnLButtonUp(int x, int y) override;
    void OnDestroy() override;

private:
    CDIB m_picture;
};
