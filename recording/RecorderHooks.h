#pragma once
// What the recorder (CSession) needs of the scene, the Record/Play palette and
// the stage view. CScene, CRecordPalette and CPlinkpadView implement these, so
// the recorder can be built and tested on its own. Window thread only.

#include <cstdint>
#include <string>

namespace plat {
class Window;
}

struct DayArrangement;

// The scene that recorded events are replayed into.
class RecorderScene {
public:
    virtual ~RecorderScene() = default;
    // Scene number: 0 Center, 1 Star, 2 Day, 3 kBot, 4 Troid, 5 Gama.
    virtual int SceneNumber() const = 0;
    // The scene's own input handlers; coordinates are view coordinates.
    virtual void OnMouseMove(int x, int y) = 0;
    virtual void OnLButtonDown(int x, int y) = 0;
    virtual void OnLButtonUp(int x, int y) = 0;
    virtual void OnKeyDown(int key, uint32_t flags) = 0;
    virtual void OnKeyUp(int key, uint32_t flags) = 0;
    // The playback stopped or ended: keys it pressed no longer hold, the
    // scene's Shift and Ctrl follow the real keys again.
    virtual void OnPlaybackEnded() {}
    // The Day world's board. Other scenes keep these defaults. The caller owns
    // the arrangement CaptureArrangement returns.
    virtual DayArrangement* CaptureArrangement() { return nullptr; }
    virtual void ClearArrangement() {}
    virtual void RestoreArrangement(const DayArrangement& arrangement) { (void)arrangement; }
};

// The open Record/Play palette: the recorder's user interface and clock.
class RecorderPalette {
public:
    virtual ~RecorderPalette() = default;
    // The palette's window: the recorder sets and kills timers 666 and 777 on it.
    virtual plat::Window& TimerWindow() = 0;
    // The scene number the palette was opened in.
    virtual int World() const = 0;
    // The text of the cut-name box.
    virtual std::string CutNameText() const = 0;
    virtual void LightTrack(int track) = 0;
    virtual void ShowStop() = 0;
    virtual void SetCompact(bool compact) = 0;
};

// The stage view, for playback that continues in another world.
class RecorderView {
public:
    virtual ~RecorderView() = default;
    // Sets the view's reopen-palette flag with the cut (or play-list position)
    // to resume, then posts the switch to scene `world`.
    virtual void ResumeInWorld(int world, int resumeCut) = 0;
};
