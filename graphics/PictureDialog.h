#pragma once
// A borderless modal pop-up that shows one picture: the frame the About box
// and the record help are built on. While it shows, the pointer cannot leave
// it; a click anywhere in it ends it. Window thread only.

#include <memory>
#include <string>

#include "platform/Geometry.h"
#include "platform/window/Window.h"

namespace plat {
class Bitmap;
class WindowSystem;
}  // namespace plat

class CPictureDialog : public plat::Window {
public:
    // Loads the picture at the host path with the busy cursor showing; a
    // picture that cannot be read shows the DIB's placeholder. Only
    // `pictureWidth` x `pictureHeight` of it is painted.
    CPictureDialog(plat::WindowSystem& system, const std::string& picturePath, int pictureWidth, int pictureHeight);
    ~CPictureDialog() override;

    // Creates the dialog at `outer` (desktop coordinates, above every other
    // window) and runs it modally until a click; returns 0, or -1 when the
    // program is asked to quit meanwhile.
    int RunAt(const plat::Rect& outer);

    void OnShowWindow(bool shown) override;
    void OnPaint(plat::DeviceContext& dc) override;
    void OnLButtonUp(int x, int y) override;
    void OnDestroy() override;

private:
    std::unique_ptr<plat::Bitmap> m_pPicture;
    int m_nPictureWidth;
    int m_nPictureHeight;
};
