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
#include <span>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "recording/PaletteHooks.h"
#include "recording/ScenePalette.h"
#include "scenes/SceneHost.h"
#include "scenes/SceneTables.h"

namespace plat {
class Bitmap;
class DeviceContext;
struct Rect;
}  // namespace plat

class CDIB;
class CDIBButton;
class CNavBar;
class CSoundEngine;

class CScene : public PaletteScene {
public:
    // Every pointer and flag starts at 0 except m_bNotReady. The derived
    // constructor sets m_nScene, its folders and the stage origin.
    explicit CScene(SceneHost* view);
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
    void ToggleWaitCursor() override;
    // Opens the palette, or closes it unless it is recording.
    void ToggleRecordPalette() override;
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
    void StopLoop() override;
    // The start-up cover drawn on the view's first paint; only the hub has one.
    virtual void DrawCover(plat::DeviceContext& dc);
    // Shows the help screen; only the hub has one.
    virtual void ShowHelp();
    // The palette set the volume level (1..5); the hub's menu shows it.
    void SetMenuVolumeLevel(int level) override;

    int SceneNumber() const override { return m_nScene; }
    ScenePalette* Palette() const { return m_pPalette.get(); }
    // The hot-spot id bound to a letter 'A'..'Z', if any.
    std::optional<int> BoundId(char letter) const;

    int m_nScene = 0;
    SceneHost* m_pView = nullptr;
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
    // The stage size (608 x 456 in most worlds); the back buffer's too unless
    // the scene says otherwise (SetBackBufferSize).
    int m_nStageWidth = 608;
    int m_nStageHeight = 456;
    // The back buffer's size: the size of every copy of the background to the
    // view and through the back buffer (the stage's unless set smaller).
    int m_nBackWidth = 608;
    int m_nBackHeight = 456;
    // A world's navigation bar, built by its LoadHotspots; the hub has none.
    std::unique_ptr<CNavBar> m_pNavBar;

    // --- Shared by the hub and the worlds (window thread) ---
    // Pictures and masks, from the installed folder first, then the disc
    // (only the disc's failure is reported). The caller owns the DIB.
    CDIB* LoadImage(const std::string& name) const;
    CDIB* LoadMask(const std::string& name) const;
    // A mask of the disc's shared folder "all\masks\nav\" (the worlds'
    // corner and bar masks), from the disc only. The caller owns the DIB.
    CDIB* LoadSharedMask(const std::string& name) const;
    // A scene sound from the installed audio folder, else the disc's, with a
    // pan (0 is the centre), handed to the engine's scene or random list.
    void LoadSound(int id, const std::string& file, int pan, bool random = false);
    // Registers a background loop; loops come from the disc audio folder only.
    void AddLoop(const std::string& file, int id, int pan);
    CSoundEngine& Engine() const;
    // The engine's PlaySound: the scene sound `id` (a duplicate when it
    // still plays), with its end timer when withTimer is set.
    void PlaySound(int id, int withTimer = 0);
    // Busy wait on the window thread: nothing is dispatched meanwhile.
    void Wait(uint32_t ms);
    // Redraws `area` of the view (view coordinates; the whole view when null)
    // at once (invalidate and update now).
    void RedrawNow(const plat::Rect* area = nullptr);
    // A timed sound `id` ended: its timer stops, hot-spot `id` goes dark and
    // the engine stops the sound (a duplicate is deleted then).
    void EndTimedSound(int id);
    // Press / Release a hot-spot, tracing "spot lit ID" / "spot unlit ID"
    // when its lit state changes.
    void LightSpot(CDIBButton* h);
    void UnlightSpot(CDIBButton* h);
    // One step of a world's intro sweep: hot-spot `id` lights, plays its
    // sound, stays lit for `ms` (a blocking wait) and goes dark. Nothing when
    // there is no such hot-spot.
    void SweepSpot(int id, uint32_t ms);
    // The mode switch in a world's top-right corner (a CMultiUpstateButton):
    // general sound 90, and it lights with its pictures of level 2 while
    // `mode` is on, of level 1 while off (traced as LightSpot).
    // EnterModeSwitch as the pointer enters it; FlipModeSwitch on a click,
    // which flips `mode` first and traces "<name> on" / "<name> off".
    void EnterModeSwitch(CDIBButton* h, int mode);
    void FlipModeSwitch(CDIBButton* h, int& mode, const char* name);
    // The loop after `current` in first..last: one up, the last wrapping to
    // the first; with Ctrl held one down, the first wrapping to the last.
    int NextLoopId(int current, int first, int last) const;

protected:
    // The six asset folders of a scene: on the disc
    // "<drive>:\plinkpad\Assets\<world>\<images>\" (and <masks>), the audio
    // folder "...\<world>\<audio>" followed by the configured sub-folder;
    // the same three under the install folder's "\Assets\".
    void SetFolders(const std::string& world, const std::string& images, const std::string& masks,
                    const std::string& audio);
    // Remembers the stage size (the back buffer's too) and centres the
    // stage in the view.
    void SetStageSize(int width, int height);
    // A back buffer smaller than the stage, at its top-left corner: the
    // background is shown and painted this size only. After SetStageSize.
    void SetBackBufferSize(int width, int height);
    // Makes `dib`'s palette the application palette and realises it in dc.
    static void InstallPalette(const CDIB& dib, plat::DeviceContext& dc);
    // m_pBackground from `dib`, shown at the stage origin of dc.
    void ShowBackground(CDIB& dib, plat::DeviceContext& dc);
    // The 8-bit back buffer (m_nBackWidth x m_nBackHeight unless given), in m_pBackDC.
    void CreateBackBuffer(int width = 0, int height = 0);
    // The worlds' Enter: the background picture `file` becomes the palette
    // and the stage, the back buffer is made and the ready message posted.
    void EnterStage(plat::DeviceContext& dc, const std::string& file);
    // The worlds' LoadHotspots: the busy cursor; the hot-spots of `spots`
    // (one busy-cursor step each), the navigation bar (one step) and
    // LoadExtras; when the engine is ready, the sounds and the loops; then
    // ready, a full redraw, PlayIntro and the default cursor. Returns 1.
    int LoadWorld(std::span<const SpotSpec> spots, std::span<const SoundSpec> sounds, std::span<const LoopSpec> loops);
    // LoadWorld up to the full redraw: no intro, the busy cursor left on.
    void LoadWorldContents(std::span<const SpotSpec> spots, std::span<const SoundSpec> sounds,
                           std::span<const LoopSpec> loops);
    // LoadWorld's hot-spots: those of `spots`, appended in order (one
    // busy-cursor step each). A world with hot-spots beyond its table, or
    // pictures they share, adds them after these.
    virtual void BuildWorldHotspots(std::span<const SpotSpec> spots);
    // What a world loads after its bar besides its tables (nothing here).
    virtual void LoadExtras();
    // A world's opening animation once it is ready (nothing here).
    virtual void PlayIntro();
    // The worlds' Paint: background, hot-spots in list order, DrawExtras,
    // the navigation bar when open, all through the back buffer onto dc.
    void PaintStage(plat::DeviceContext& dc);
    // What PaintStage lays under the hot-spots: the background picture. A
    // world that shows more than one picture there draws its own.
    virtual void DrawBackdrop(plat::DeviceContext& backBuffer);
    // What a world draws over its hot-spots before the bar (nothing here).
    virtual void DrawExtras(plat::DeviceContext& backBuffer);
    // The navigation bar's part of a world's mouse handlers; true when the
    // bar took the event (nothing else happens with it, nothing is recorded).
    bool NavBarTakesMove(int x, int y);
    bool NavBarTakesClick(int x, int y);
    // The worlds' cursor for the hot-spot under the pointer: the arrow (1)
    // over none, set only when it is not the cursor already; the control
    // cursor (3) over hot-spot `controlId`; the hot cursor (2) elsewhere.
    void SetWorldCursor(CDIBButton* hotspot, int controlId);
    // The worlds' loop switch over the loops firstLoop..lastLoop: stops the
    // loop m_nLoopId when it plays and sounds `stopSound`; otherwise sounds
    // `startSound`, steps m_nLoopId (StepLoopId) and starts that loop.
    void SwitchLoop(int firstLoop, int lastLoop, int startSound, int stopSound);
    // Moves m_nLoopId one step around first..last: forward, or backward
    // while Ctrl is held (the loop buttons of the worlds).
    void StepLoopId(int first, int last);  // m_nLoopId = NextLoopId(m_nLoopId, first, last)

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
