#pragma once
// The base of the hub and the five worlds. The stage view owns exactly one
// scene at a time and forwards every input, timer and paint event to it; the
// scene owns its hot-spots, background, back buffer, key bindings and open
// Record/Play palette. The base gives the shared behaviour: hit testing,
// keyboard bindings and shortcuts, the recording hooks, the palette toggle
// and triggering a hot-spot by id. Window thread only.
//
// Coordinates: input and drawing straight on the window use view
// coordinates; scenes draw into their back buffer in stage coordinates.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "recording/RecorderHooks.h"
#include "scenes/ScenePalette.h"

namespace plat {
class Bitmap;
class DeviceContext;
}  // namespace plat

class CDIBButton;
class CPlinkpadView;

class CScene : public RecorderScene {
public:
    // Every pointer and flag starts at 0 except m_bNotReady. The derived
    // constructor sets m_nScene, its folders and the stage origin.
    explicit CScene(CPlinkpadView* view);
    // Closes the palette, then deletes the hot-spots, the bindings, the back
    // buffer and the background.
    ~CScene() override;
    CScene(const CScene&) = delete;
    CScene& operator=(const CScene&) = delete;

    // The first hot-spot (in list order) whose own hit test accepts the view
    // point; null left of or above the stage, or over no hot-spot.
    virtual CDIBButton* HitTest(int x, int y);
    virtual CDIBButton* FindHotspot(int id);
    // The palette is open and recording and/or playing back.
    virtual bool IsRecorderBusy();
    virtual bool IsRecording();
    virtual bool IsPlayingBack();
    // Record an event through the open palette while it records (kinds 1..5).
    virtual void RecordRollover(int x, int y);
    virtual void RecordClick(int x, int y);
    virtual void RecordPress(int x, int y);
    virtual void RecordKeyUp(int key);
    virtual void RecordKeyDown(int key);
    // Lights hot-spot `id`, plays its sound, waits 100 ms (blocking the
    // window thread) and unlights it. Key bindings and playback use it.
    virtual void TriggerHotspot(int id);
    // Alternates the view's busy cursor between kinds 4 and 5.
    virtual void ToggleWaitCursor();
    // Opens the palette, or closes it unless it is recording.
    virtual void ToggleRecordPalette();
    virtual void OnHotspotLeave(CDIBButton* hotspot);
    virtual void UpdateCursor(CDIBButton* hotspot);
    virtual void Enter(plat::DeviceContext& dc);
    virtual void Paint(plat::DeviceContext& dc);
    // Letter bindings, Shift+letter binding, Shift+1 mute, Help (0x2F) and
    // Ctrl+H, Ctrl+N/O/S/Q session commands, Shift and Ctrl state.
    void OnKeyDown(int key, uint32_t flags) override;
    // Tab toggles the palette; Shift and Ctrl releases.
    void OnKeyUp(int key, uint32_t flags) override;
    // Shift and Ctrl as the keyboard holds them now (a replayed cut may have
    // left them down).
    void OnPlaybackEnded() override;
    virtual void OnTimer(int id);
    void OnMouseMove(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnLButtonDown(int x, int y) override;
    // Builds the hot-spots once the background is shown; 1 when loaded.
    virtual int LoadHotspots();
    // Stops the scene's background loop if it plays.
    virtual void StopLoop();
    // The start-up cover drawn on the view's first paint; only the hub has one.
    virtual void DrawCover(plat::DeviceContext& dc);
    // Shows the help screen; only the hub has one.
    virtual void ShowHelp();

    int SceneNumber() const override { return m_nScene; }
    ScenePalette* Palette() const { return m_pPalette.get(); }
    // The hot-spot id bound to a letter 'A'..'Z', if any.
    std::optional<int> BoundId(char letter) const;

    int m_nScene = 0;
    CPlinkpadView* m_pView = nullptr;
    std::unique_ptr<ScenePalette> m_pPalette;
    std::string m_strDiscImageDir, m_strDiscMaskDir, m_strDiscAudioDir;
    std::string m_strHomeImageDir, m_strHomeMaskDir, m_strHomeAudioDir;
    std::vector<std::unique_ptr<CDIBButton>> m_hotspots;  // hit-test and paint order
    CDIBButton* m_pHoverHotspot = nullptr;
    CDIBButton* m_pLastHotspot = nullptr;  // target of Shift+letter
    int m_bNotReady = 1;
    std::unique_ptr<plat::Bitmap> m_pBackground;
    std::unique_ptr<plat::DeviceContext> m_pBackDC;
    std::unique_ptr<plat::Bitmap> m_pBackBitmap;  // the bitmap selected into m_pBackDC
    int m_bShift = 0;
    int m_bCtrl = 0;
    int m_nLoopId = 0;

protected:
    // The hub ignores letters while its help screen shows.
    virtual bool IgnoresLetters() const { return false; }
    // The sound TriggerHotspot plays for hot-spot `id`; nullopt plays one of
    // the scene's random sounds instead. The Day world's multi-sound pieces
    // override it; everywhere else the sound is the id.
    virtual std::optional<int> TriggerSoundFor(int id) { return id; }

private:
    void OnHelpKey();
    void ClosePalette();
    bool RecorderRecording() const;
    bool RecorderPlaying() const;
    void Record(int kind, int a, int b);

    std::unique_ptr<ScenePalette> m_pClosedPalette;  // closed, its window gone, freed on the next toggle
    // The bound hot-spot id per letter A..Z.
    std::array<std::optional<int>, 26> m_keyMap{};
};
