#pragma once
// What the monkey sees of the running program, the way a person sees the
// screen: the current scene and its hot-spots, the hub's menu and help
// screen, a world's navigation bar, the Record/Play palette and its
// controls, a modal dialog. It only looks; input goes through the window
// system's queue like a person's. Points are desktop points. Window thread
// only.

#include <optional>

#include "app/monkey/Rng.h"
#include "platform/Geometry.h"

namespace plat {
class Window;
class WindowSystem;
}  // namespace plat

class CCenterScene;
class CDIBButton;
class CPlinkpadView;
class CRecordPalette;
class CScene;
class CSession;

namespace monkey {

class Sight {
public:
    Sight(plat::WindowSystem& windows, Rng& rng) : windows_(windows), rng_(rng) {}

    CPlinkpadView* View() const;
    // The current scene once its hot-spots are loaded; null before, and
    // inside a switch.
    CScene* Scene() const;
    // The scene when it is the hub.
    CCenterScene* Hub() const;
    // The open palette once its buttons exist; null otherwise.
    CRecordPalette* Palette() const;
    CSession* Session() const;
    // A modal dialog (About, the record help) runs.
    bool Modal() const;

    // A random point that `b`'s own hit test takes; `w` is the window whose
    // client coordinates `b` uses. None when no point of its rectangle is taken.
    std::optional<plat::Point> In(CDIBButton* b, const plat::Window& w);
    // A hot-spot or bar button of the current scene (view coordinates).
    std::optional<plat::Point> InSpot(CDIBButton* b);
    // A control of the palette's current face, by button id.
    std::optional<plat::Point> PaletteControl(int id);
    // A point of the palette's caption (pressing it gives the palette the keys).
    std::optional<plat::Point> PaletteCaption();
    // A point of the palette's cut-name box.
    std::optional<plat::Point> PaletteNameBox();
    // The palette's volume slider at level 1..5 (full face only).
    std::optional<plat::Point> PaletteVolume(int level);
    // A random point of the current scene's stage, or of the whole desktop.
    plat::Point OnStage();
    plat::Point OnScreen();

    // The palette button a release at p works (the first of the face whose
    // hit test takes it, as the palette looks), or -1.
    int PaletteButtonAt(plat::Point p) const;
    // A release at p would end the program: the hub's quit control or its
    // menu's quit entry. The monkey leaves those alone.
    bool QuitsAt(plat::Point p) const;

private:
    plat::WindowSystem& windows_;
    Rng& rng_;
};

}  // namespace monkey
