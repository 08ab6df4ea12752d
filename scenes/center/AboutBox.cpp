#include "scenes/center/AboutBox.h"

namespace {
// The part of the picture shown in the client area.
constexpr int kPictureWidth = 374;
constexpr int kPictureHeight = 382;
}  // namespace

CAboutBox::CAboutBox(plat::WindowSystem& system, const std::string& imageFolder, plat::Window& parent)
    : CPictureDialog(system, imageFolder + "About_st.bmp", kPictureWidth, kPictureHeight), m_parent(parent) {}

int CAboutBox::DoModal() {
    const plat::Point corner = m_parent.ClientOrigin();
    return RunAt(plat::Rect::FromSize(corner.x, corner.y, kWidth, kHeight));
}
