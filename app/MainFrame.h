#pragma once
// The borderless frame that covers the whole desktop and holds the stage view.
// Its destruction ends the program (it posts the quit message).
// Window thread only.

#include <memory>

#include "platform/window/Window.h"

class CPlinkpadView;

class CMainFrame final : public plat::Window {
public:
    explicit CMainFrame(plat::WindowSystem& system);
    ~CMainFrame() override;

    // Creates the frame (a visible pop-up at (0, 0) with the desktop's size)
    // and the view filling it. False when either cannot be created.
    bool CreateFrame();
    CPlinkpadView* View() const { return m_pView.get(); }

    // When the application holds a palette, realises it and repaints the whole
    // frame at once, so the stage keeps its colours after another window's
    // palette was realised.
    void OnPaletteChanged() override;
    void OnDestroy() override;

private:
    std::unique_ptr<CPlinkpadView> m_pView;
};
