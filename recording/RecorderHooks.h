#pragma once
// What the recorder (CSession) needs of the scene, the Record/Play palette and
// the stage view. CScene, CRecordPalette and CPlinkpadView implement these, so
// the recorder can be built and tested on its own. Window thread only.

#include <cstdint>
#include <string>

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
    // Timers on the palette's window: 666 steps playback, 777 flashes the
    // track lights while a recording waits for its first event. The palette
    // forwards these to its window's SetTimer/KillTimer, so the ticks reach
    // its OnTimer (which kills 666 before calling the session's PlayEvent).
    virtual void SetRecorderTimer(int id, uint32_t periodMs) = 0;
    virtual void KillRecorderTimer(int id) = 0;
    // Releases the cursor confinement the palette set for playback.
    virtual void ReleaseCursorClip() = 0;
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
