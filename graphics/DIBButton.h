#pragma once
// CDIBButton: the root of the image buttons. Every hot-spot of a scene and
// every control of the navigation bar and the Record/Play palette is one: a
// position, an id, a lit state and a rectangle, with images drawn over the
// background in the key colour RGB(0, 255, 255) as transparent, and usually a
// mask whose black pixels belong to the button. Buttons take no input: the
// scene asks them for hit tests and tells them to light and unlight.
//
// Coordinates: m_x, m_y are stage coordinates (or window coordinates when
// m_bStageRelative is 0); hit tests, m_rect and drawing on the window use view
// coordinates, the stage origin (TheStageOrigin()) added for stage-relative
// buttons. Drawing into a scene's back buffer uses Draw(dc, 0).
//
// Device bitmaps and masks are made compatible with the screen: the host's
// display, else the window system's. Window thread only.

#include <memory>

#include "graphics/DIB.h"
#include "platform/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Color.h"
#include "platform/gdi/DeviceContext.h"

namespace plat {
class Display;
class Window;
}  // namespace plat

class CDIBButton {
public:
    // A null point means (0, 0).
    CDIBButton(const plat::Point* point, int id);
    virtual ~CDIBButton() = default;
    CDIBButton(const CDIBButton&) = delete;
    CDIBButton& operator=(const CDIBButton&) = delete;

    // Draws the button's lit look into dc at (m_x, m_y), plus the stage origin
    // when addOrigin and stage-relative. The root draws nothing.
    virtual void Draw(plat::DeviceContext& dc, int addOrigin);
    // Whether the view point (x, y) belongs to the button. The root: never.
    virtual int HitTest(int x, int y);
    // Lights the button and draws it straight on `view` (the stage view).
    virtual void Press(plat::Window& view);
    // Unlights the button and repaints its rectangle of `view` at once.
    virtual void Release(plat::Window& view);

    // A screen-depth bitmap of the DIB, drawn through the DIB's own palette
    // (realised). Deletes `dib` when deleteDib is set, also on failure. Null
    // when dib is null.
    static std::unique_ptr<plat::Bitmap> MakeBitmap(CDIB* dib, int deleteDib);
    // A one-bit bitmap of the DIB: each colour becomes the nearer of black and
    // white. Deletes `dib` when deleteDib is set. Null when dib is null.
    static std::unique_ptr<plat::Bitmap> MakeMask(CDIB* dib, int deleteDib);
    // Draws `bitmap` on dc at (x, y) (plus the origin when addOrigin and
    // stage-relative), leaving dc's pixels wherever the bitmap has keyColour.
    // Selects and realises the application palette (TheAppPalette()) first.
    void DrawTransparent(plat::Bitmap& bitmap, plat::DeviceContext& dc, int x, int y, plat::Rgb keyColour,
                         int addOrigin) const;

    int m_x;
    int m_y;
    int m_nId;
    int m_bLit = 0;
    int m_bHeld = 0;            // Release leaves a held button lit
    plat::Rect m_rect{};        // view coordinates; set when the image is given
    int m_bStageRelative = 1;

protected:
    // What is added to m_x, m_y for view coordinates.
    plat::Point Origin() const;
    // The mask test: the pixel of `mask` under the view point (x, y), placed
    // at (m_x, m_y), is black. Points outside the mask miss.
    int MaskHit(plat::Bitmap& mask, int x, int y) const;
    // Unlights and repaints m_rect of `view` at once, unless held or not lit.
    void Unlight(plat::Window& view);
    // The screen the bitmaps are made for.
    static plat::Display& Screen();
};
