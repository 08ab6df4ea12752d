#pragma once
// Star, scene 1: gold stars, constellation stars and two moons in a night
// sky, played by rolling the pointer. Every star has two sounds; the sound
// mode, set by the moon the pointer entered last (stc1: 0, stc2: 1), says
// which one a roll-over plays and which one a click plays. Eighteen
// constellation strips flash in each star's patterns while its sounds start
// (they are never part of the painted scene). Three loop families: sta5
// starts and stops the 500..504 loops, the moons the 600..604 (stc1, left)
// and 700..704 (stc2, right) loops; an sta5 loop never plays with a moon's,
// the two moons' loops may play together. The palette corner is bottom-left,
// the navigation bar bottom-right. Hot-spot ids:
//   100..130 sta1..sta4, 140 sta5 (the sta5 loops)
//   200..230 stb2, stb3, stb6, stb7: two sounds and a click sound each
//   240..270 stb1, stb4, stb5, stb8: a noise on roll-over, a click sound
//   300, 310 stc1, stc2: the sound mode and their loops
//   10       the palette corner
// The stage is 608 x 456 with a 605 x 454 back buffer. The intro and the
// strip flashes block the window thread. Window thread only.

#include "scenes/Scene.h"
#include "scenes/star/StarStrips.h"

class CStarScene final : public CScene {
public:
    static constexpr int kSceneNumber = 1;

    // Sets the folders and the stage origin (608 x 456) from the view's size.
    explicit CStarScene(SceneHost* view);
    ~CStarScene() override;

    void Enter(plat::DeviceContext& dc) override;
    // The hot-spots, the navigation bar, the strips, sounds and loops; then
    // the intro (about 1.8 s, blocking). Returns 1.
    int LoadHotspots() override;
    void Paint(plat::DeviceContext& dc) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnTimer(int id) override;
    void OnHotspotLeave(CDIBButton* hotspot) override;
    void UpdateCursor(CDIBButton* hotspot) override;
    // Stops whichever of the three current loops plays.
    void StopLoop() override;

    int m_bStc2Mode = 0;  // the sound mode: 1 after stc2 was entered, 0 after stc1
    int m_nLoopA = 504;   // the current loop of each family
    int m_nLoopC1 = 604;
    int m_nLoopC2 = 704;

private:
    void LoadExtras() override;
    void PlayIntro() override;
    void EnterSpot(CDIBButton* button);
    void EnterMoon(CDIBButton* button);
    // The loop controls: sta5 (140) and the moons (300, 310).
    void ClickLoopStar(int id);
    void StopLoopIfPlaying(int id);
    // The sound a star plays on roll-over, or on click (the other one).
    int RolloverSound(int id) const { return m_bStc2Mode ? id + 1 : id; }
    int ClickSound(int id) const { return m_bStc2Mode ? id : id + 1; }

    CStarStrips m_strips;
};
