#pragma once
// Gama, scene 5: a hall of gongs, bells and metallophone bars on a 640 x 480
// stage, played by rolling the pointer over the instruments. Almost every
// hot-spot has three looks, and a click steps it to the next look (Ctrl: the
// previous) and at the same time swaps its sound for the matching version
// (files ending in "a.wav", "b.wav", "c.wav" for looks 1, 2, 3). Four buttons
// in the middle step a whole quarter of the hall at once; they act on a
// button-down followed by a release on the same button. Eight bells start
// and stop the background loops and stay lit while their loop plays. Hit
// tests go through a spatial index of four quarters and a centre strip.
// Behaviour by id:
//   100..150, 200..270, 300..340, 400..430  instruments (look and sound step)
//   300 and 600                             the two parts of one instrument (600 steps 300)
//   odd ids 345..375, 435..465              the loop bells (the loop has the bell's id)
//   700, 702, 704, 706                      the centre buttons, quarters 1..4
//   800                                     the palette corner
// Window thread only.

#include "scenes/Scene.h"
#include "scenes/gama/RegionIndex.h"

class CGamaScene final : public CScene {
public:
    static constexpr int kSceneNumber = 5;

    // Sets the folders and the stage origin (640 x 480) from the view's size.
    explicit CGamaScene(SceneHost* view);
    ~CGamaScene() override;

    CDIBButton* HitTest(int x, int y) override;
    void Enter(plat::DeviceContext& dc) override;
    // The hot-spots (filed in the index), the navigation bar, sounds and
    // loops. Returns 1.
    int LoadHotspots() override;
    void Paint(plat::DeviceContext& dc) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnTimer(int id) override;
    void OnHotspotLeave(CDIBButton* hotspot) override;
    void UpdateCursor(CDIBButton* hotspot) override;
    // Stops the loop and lets its bell go dark.
    void StopLoop() override;

    // Steps a three-look hot-spot's look (forward 1 -> 2 -> 3 -> 1) and
    // reloads its sound from the matching file, keeping the pan; with
    // `redraw` its area is repainted at once. Other hot-spots: nothing.
    void CycleVariant(CDIBButton* hotspot, int forward, int redraw);
    // Steps every hot-spot of quarter `row` (1..4), then repaints them at once.
    void CycleRow(int row, int forward);

    CDIBButton* m_pLoopHotspot = nullptr;  // the bell held lit while its loop plays

private:
    void BuildWorldHotspots(std::span<const SpotSpec>) override;
    void ClickLoopBell(CDIBButton* bell);
    void ReleaseLoopBell();
    // Repaints both parts of instrument 300/600 at once.
    void RedrawParts();
    // PressWithImage on a centre button, traced as a lit spot.
    void PressCentre(CDIBButton* button, int slot);

    RegionIndex m_regions;
    CDIBButton* m_pPressedCentre = nullptr;  // the centre button the left button went down on
};
