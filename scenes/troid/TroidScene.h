#pragma once
// Troid, scene 4: a ring of rocks, crystals, satellites and beacons in deep
// space, played mostly by rolling the pointer: a hot-spot sounds when the
// pointer enters it; clicks play the "_c" versions, switch the background
// loop (eight of them, Ctrl steps backward), open the Record/Play palette
// (bottom-left corner) or switch sustain mode (top-right corner), in which a
// rock stays lit until its sound has ended. The navigation bar sits in the
// bottom-right corner. Behaviour is chosen by hot-spot id ranges:
//   10..30   satellites: a random sound, a flash
//   40       the loop switch: in- and out-sounds, a click starts/stops a loop
//   50..80   crystals: id on entry, id + 1 ("_c") when re-entered while
//            sounding, on click and on a Ctrl exit
//   90..200  the twelve rocks (sustain mode applies)
//   210..240 beacons: a highlight picture elsewhere, id + 1 on click
//   250      the palette corner; 270 the sustain switch
// Waits (the intro sweep) block the window thread. Window thread only.

#include "scenes/Scene.h"

class CTroidScene final : public CScene {
public:
    static constexpr int kSceneNumber = 4;
    static constexpr int kFirstLoop = 500;
    static constexpr int kLastLoop = 507;

    // Sets the folders and the stage origin (608 x 456) from the view's size.
    explicit CTroidScene(SceneHost* view);
    ~CTroidScene() override;

    void Enter(plat::DeviceContext& dc) override;
    // The hot-spots, the navigation bar, sounds and loops; then the intro
    // sweep over the twelve rocks (about 2.4 s, blocking). Returns 1.
    int LoadHotspots() override;
    // LoadHotspots without the intro: everything loaded and the stage drawn.
    void LoadContents();
    void Paint(plat::DeviceContext& dc) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnTimer(int id) override;
    void OnHotspotLeave(CDIBButton* hotspot) override;
    void UpdateCursor(CDIBButton* hotspot) override;

    int m_bSustain = 0;

private:
    void PlayIntro() override;
};
