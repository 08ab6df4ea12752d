#pragma once
// The About box: a borderless modal picture of 378 x 386 pixels at the stage
// view's top-left corner. While it shows, the pointer cannot leave it; any
// click in it closes it. The stage view runs it (ShowAbout) while the hub
// plays an About tune. Window thread only.

#include <string>

#include "graphics/PictureDialog.h"

class CAboutBox final : public CPictureDialog {
public:
    static constexpr int kWidth = 378;
    static constexpr int kHeight = 386;

    // Loads imageFolder + "About_st.bmp" (a host folder ending with a
    // backslash). `parent` places the box at its client area's top-left
    // corner; not owned.
    CAboutBox(plat::WindowSystem& system, const std::string& imageFolder, plat::Window& parent);

    // Runs the box modally until a click closes it; returns 0 (or -1 when the
    // program is asked to quit meanwhile).
    int DoModal();

private:
    plat::Window& m_parent;
};
