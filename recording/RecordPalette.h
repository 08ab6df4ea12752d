#pragma once
// CRecordPalette: the floating Record/Play palette. It records what the user
// does in its scene as a cut in one of six tracks of the session and plays
// cuts back; the session (CSession) keeps the cuts and runs the recorder, the
// palette is its user interface and its clock (timers 666 and 777 run on the
// palette's window).
//
// The palette is a topmost window with a small caption, skinned per world:
// full (120 x 148 drawing area) with Record, Play, six track buttons, Clear
// Cut, Play all cuts, Help, the volume slider and the cut-name box; compact
// (120 x 35, at the desktop's top-left corner) with six track lights and
// Stop while it records or plays. Every picture goes through one offscreen
// bitmap and one copy to the window.
//
// Ownership: the scene that opened it owns it (ToggleRecordPalette). Closing
// it destroys the window (which tells the session) but the object lives on
// until its owner frees it, because closing may start inside one of its own
// handlers (Tab). It reaches the session and the engine through the view
// each time; it knows the view and the scene only as PaletteHost and
// PaletteScene. Window thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/window/EditControl.h"
#include "platform/window/Window.h"
#include "recording/PaletteHooks.h"
#include "recording/ScenePalette.h"

class CDIBButton;
class CSession;
class CSoundEngine;

class CRecordPalette final : public plat::Window, public ScenePalette {
public:
    // Button ids: what a button does.
    static constexpr int kRecordId = 0;
    static constexpr int kPlayId = 1;
    static constexpr int kFirstTrackId = 2;  // tracks 1..6 are ids 2..7
    static constexpr int kLastTrackId = 7;
    static constexpr int kStopId = 8;
    static constexpr int kKnobId = 9;
    static constexpr int kClearCutId = 12;
    static constexpr int kPlayAllId = 13;
    static constexpr int kHelpId = 14;
    // The palette's own sounds.
    static constexpr int kStopSound = 1000;
    static constexpr int kRecordSound = 1001;
    static constexpr int kTrackSound = 1002;
    static constexpr int kResizeSound = 1003;
    static constexpr int kRolloverSound = 1004;
    static constexpr int kPlaySound = 1005;
    static constexpr int kPadSound = 1006;
    // Drawing area and outer sizes.
    static constexpr int kWidth = 120;
    static constexpr int kFullHeight = 148;
    static constexpr int kCompactHeight = 35;
    static constexpr int kOuterWidth = 130;
    static constexpr int kOuterFullHeight = 178;
    static constexpr int kOuterCompactHeight = 65;
    static constexpr const char* kTitle = "   Record/Play Palette";

    // Fills the folders of the scene's world; creates no window.
    CRecordPalette(PaletteHost& view, PaletteScene& scene);
    ~CRecordPalette() override;

    // ScenePalette.
    // Creates the window: compact when the view reopens the palette to resume
    // a playback after a world switch, else full.
    bool Open() override;
    void RecordEvent(int kind, int a, int b) override;
    void Close() override;
    void ReselectCut() override;

    // RecorderPalette.
    // Timers 666 and 777 run on the palette's own window.
    plat::Window& TimerWindow() override { return *this; }
    int World() const override { return m_nWorld; }
    std::string CutNameText() const override;
    // Lights the compact light of track (or play-list position) `track`
    // 0..5 and unlights the others, except Stop.
    void LightTrack(int track) override;
    // Lights the compact Stop button.
    void ShowStop() override;
    void SetCompact(bool compact) override;

    // Selects a track button (ids 2..7, full or compact), or deselects it when
    // it is the selected one; the selection left keeps the typed name as its
    // cut's name.
    void SelectCut(CDIBButton* button);
    // Moves the knob to level 1..5 without changing the volume.
    void SetVolumeKnob(int level) override;

    // Window handlers.
    bool OnCreate() override;
    void OnDestroy() override;
    void OnPaint(plat::DeviceContext& dc) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnKeyDown(int key, uint32_t flags) override;
    void OnKeyUp(int key, uint32_t flags) override;
    void OnTimer(int id) override;
    intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void OnShowWindow(bool shown) override;
    void OnRectChanged() override;
    void OnFocus(bool gained) override;
    void OnPaletteChanged() override;

    // For tests.
    bool IsCompact() const { return m_bCompact != 0; }
    CDIBButton* Selected() const { return m_pSelected; }
    // The button with `id` in the current list (the knob for id 9); null if none.
    CDIBButton* FindButton(int id) const;
    plat::EditControl& Edit() { return m_edit; }
    const std::string& DiscImageDir() const { return m_strDiscImageDir; }

private:
    using ButtonList = std::vector<std::unique_ptr<CDIBButton>>;

    CSession* Session() const;
    CSoundEngine* Engine() const;
    void PlayPaletteSound(int id);
    void PlayRefusal();
    // The first button of the current list whose mask accepts p; null if none.
    CDIBButton* ButtonAt(int x, int y) const;
    const ButtonList& CurrentButtons() const { return m_bCompact ? m_compactButtons : m_fullButtons; }
    // "Empty Cut.n" or the cut's name, for a track button id 2..7.
    std::string Label(int id) const;
    void ShowLabel(const CDIBButton* button);
    // The palette writes into the cut-name box (traced as "label TEXT").
    void SetBoxText(const std::string& text);
    // Light and unlight a button: drawn at once when its face shows, else
    // only marked, to show when its face is painted.
    bool IsOnCompactFace(const CDIBButton* button) const;
    void PressOn(CDIBButton* button);
    void ReleaseOn(CDIBButton* button);

    // WM_USER+1: buttons, sounds, and a pending playback.
    void Build();
    void BuildFullButtons();
    void BuildKnob();
    void BuildCompactButtons();
    void LoadSounds();
    void FirstPaint(plat::DeviceContext& dc);
    void TracePosition();

    // Click actions.
    void OnRecord();
    void OnPlay();
    void OnStop();
    void OnClearCut(CDIBButton& button);
    void OnPlayAll(CDIBButton& button);
    void OnHelp(CDIBButton& button);
    void OnVolume(int x, int y);
    // After a playback was asked to start: compact while it runs. A single
    // cut also gives the keys to the stage and holds the pointer in the
    // compact palette; all cuts leave both where they are, so keys typed
    // meanwhile stay with the palette.
    void FollowPlayback(bool singleCut);
    // Records nothing more: the track is full or Stop was clicked.
    void EndRecording();
    void ConfineToCompact();
    void ReleaseCursorClip();
    // Timer 777: the next random light of the waiting flash.
    void Flash();
    void EndFlash();

    std::string m_strDiscImageDir;
    std::string m_strDiscMaskDir;
    std::string m_strDiscWavDir;
    std::string m_strHomeImageDir;
    std::string m_strHomeMaskDir;
    std::string m_strHomeWavDir;
    CDIBButton* m_pSelected = nullptr;
    PaletteHost* m_pView;
    PaletteScene* m_pScene;
    int m_nWorld;
    std::unique_ptr<plat::DeviceContext> m_pOffscreen;
    std::unique_ptr<plat::Bitmap> m_pOffscreenBitmap;
    std::unique_ptr<plat::Bitmap> m_pFullBack;
    ButtonList m_fullButtons;
    std::unique_ptr<plat::Bitmap> m_pCompactBack;
    ButtonList m_compactButtons;
    int m_bCompact = 0;
    CDIBButton* m_pLitTrack = nullptr;
    CDIBButton* m_pHover = nullptr;
    CDIBButton* m_pFlashLight = nullptr;  // the light the waiting flash shows
    int m_bFirstPaint = 1;
    std::unique_ptr<CDIBButton> m_pVolumeKnob;
    plat::Rect m_rcVolume{90, 26, 107, 76};
    plat::EditControl m_edit;
    int m_bCtrl = 0;  // Ctrl is held: follows the key messages and, at a click, the key itself

    bool m_bBuilt = false;         // the buttons exist (WM_USER+1 ran)
    bool m_bSoundsLoaded = false;  // sounds 1000..1006 are in the engine
};

// The palette factory of the stage view: a new, not yet opened palette.
std::unique_ptr<ScenePalette> NewRecordPalette(PaletteHost& view, PaletteScene& scene);
