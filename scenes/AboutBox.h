#pragma once
// The About box: a borderless modal picture of 378 x 386 pixels at the stage
// view's top-left corner. While it shows, the pointer cannot leave it; any
// click in it closes it. The stage view runs it (ShowAbout) while the hub
// plays an About tune. Window thread only.

#include <memory>
#include <string>

#include "platform/window/Window.h"

namespace plat {
class Bitmap;
class WindowSystem;
}  // namespace plat

class CAboutBox final : public plat::Window {
public:
    static constexpr int kWidth = 378;
    static constexpr int kHeight = 386;

    // Loads imageFolder + "About_st.bmp" (a host folder ending with a
    // backslash) with the busy cursor showing. `parent` places the box at
    // its client area's top-left corner; not owned.
    CAboutBox(plat::WindowSystem& system, const std::string& imageFolder, plat::Window& parent);
    ~CAboutBox() override;

    // Creates the box and runs it modally until a click closes it; returns 0
    // (or -1 when the program is asked to quit meanwhile).
    int DoModal();

    void OnShowWindow(bool shown) override;
    void OnPaint(plat::DeviceContext& dc) override;
    void OnLButtonUp(int x, int y) override;
    void OnDestroy() override;

    std::unique_ptr<plat::Bitmap> m_pPicture;

private:
    plat::Window& m_parent;
};
