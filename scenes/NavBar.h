#pragma once
// The navigation bar of a world: a panel picture in the bottom-right corner
// with a button back to the hub (id 1) and five world buttons (ids 2..6 for
// worlds 1..5: Star, Day, kBot, Troid, Gama). At rest only a toggle's hit
// area is there; the pointer on the toggle lights the whole bar with a sound,
// and a click on the toggle opens it, so that it stays drawn and takes the
// pointer. A click on a bar button blinks it for 900 ms (busy waits on the
// window thread) and posts the scene switch. Owned by its world scene, which
// builds it in LoadHotspots (MakeNavBar) and drives it from its handlers.
// Window thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace plat {
class DeviceContext;
class Window;
}  // namespace plat

class CDIB;
class CDIBButton;
class CSimpleButton;
class SceneHost;

// The disc folder of the masks every world's bar and corner share
// ("<drive>:\plinkpad\assets\all\masks\nav\" for the disc's drive letter
// `cdDrive`); they are read from the disc only.
std::string NavMaskFolder(const std::string& cdDrive);

class CNavBar {
public:
    // For the world with scene number `world` (1..5); nothing built yet.
    CNavBar(SceneHost* view, int world);
    ~CNavBar();
    CNavBar(const CNavBar&) = delete;
    CNavBar& operator=(const CNavBar&) = delete;

    // --- Building, in this order. Pictures are given by the world (deleted
    // here); the masks come from the disc's shared folder. ---
    void AddHubButton(int x, int y, CDIB* picture);
    // p[0..4]: the stage positions of the buttons of worlds 1..5.
    void AddWorldButtons(const plat::Point (&p)[5], CDIB* picture);
    void SetBar(int x, int y, CDIB* picture);
    void SetToggle(int x, int y, CDIB* picture);

    // The toggle's own hit test (view coordinates).
    bool HitTestToggle(int x, int y);
    // The pointer reached the toggle: general sound 60, the bar drawn on the view.
    void Light(plat::Window& view);
    // The pointer left the toggle of a closed, lit bar: its area is repainted
    // from the scene at once.
    void Unlight(plat::Window& view);
    // Toggle, panel and every lit button, into dc (addOrigin: view coordinates).
    void Draw(plat::DeviceContext& dc, int addOrigin);
    // The open bar follows the pointer: the button under it lights (one move
    // later when coming straight from another button, which only goes dark).
    void Hover(int x, int y);
    // A click on the open bar: a hit button blinks (900 ms) and the switch is
    // posted, unless it is the current world's. 0 when no button was hit.
    int Click(int x, int y);
    // The toggle's and the panel's rectangles together (view coordinates).
    plat::Rect GetRect() const;
    // The toggle (id 0) or bar button `id` (1 the hub, 2..6 the worlds), for
    // finding where it is; null when there is none (yet).
    CDIBButton* Control(int id) const;

    int m_bLit = 0;   // drawn because the pointer is on the toggle
    int m_bOpen = 0;  // clicked open; the scene paints it from then on

private:
    CDIBButton* ButtonAt(int x, int y);
    void Press(CDIBButton* b);
    void Release(CDIBButton* b);

    int m_nWorld;
    std::string m_strDiscMaskDir;
    SceneHost* m_pView;
    std::unique_ptr<CSimpleButton> m_pBar;
    std::unique_ptr<CSimpleButton> m_pToggle;
    CDIBButton* m_pHover = nullptr;
    CDIBButton* m_pCurrent = nullptr;
    std::vector<std::unique_ptr<CSimpleButton>> m_buttons;  // hub, then worlds 1..5
};
