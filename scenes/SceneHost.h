#pragma once
// The stage view as the scenes see it: the window they draw on, set timers
// on and post to, with what the application gives them beyond a window. The
// stage view implements it, so the scenes are built below the application
// and know neither it nor the view. Window thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "recording/PaletteHooks.h"

namespace plat {
class EditControl;
}

class CScene;
class ScenePalette;

// Posted by a scene once its background shows: the view loads its hot-spots.
inline constexpr uint32_t kSceneReady = 0x401;
// Posted to switch scenes; wParam = scene number (0 hub, 1 Star, 2 Day,
// 3 kBot, 4 Troid, 5 Gama).
inline constexpr uint32_t kSwitchScene = 0x402;

// A scene needs all the palette needs of the view (it opens the palette in
// the view's place) and the rest below.
class SceneHost : public PaletteHost {
public:
    using PaletteHost::PaletteHost;

    // The kind SetCursorKind last set (0 before the first).
    virtual int CursorKind() const = 0;
    // The session-name edit box; the hub shows it.
    virtual plat::EditControl& SessionEdit() = 0;
    // A new, not yet opened Record/Play palette for `scene`; null when the
    // view has no palette factory.
    virtual std::unique_ptr<ScenePalette> MakeRecordPalette(CScene& scene) = 0;
    // Session commands: 1 on success, 0 when cancelled or failed.
    virtual int NewSession() = 0;
    virtual int OpenSession() = 0;
    virtual int SaveSession() = 0;
    virtual int QuitProgram() = 0;
    // Runs the About box modally (the current scene's disc image folder holds
    // its picture); m_bModal is 1 meanwhile.
    virtual void ShowAbout() = 0;
    // The settings' audio sub-folder, appended to every scene's disc audio folder.
    virtual const std::string& AudioDir() const = 0;

    int m_bReturnToCenter = 0;  // a world asked for the hub's help screen
};
