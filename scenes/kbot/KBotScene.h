#pragma once
// kBot, scene 3: a friendly robot with a keyboard of twenty keys in four rows
// of five (rows 1 and 3 on the left half, rows 2 and 4 on the right), played
// by sweeping the pointer: a key sounds as the pointer enters it. Every sound
// has a fixed pan, so the grid spreads across the stereo field. Behaviour is
// chosen by hot-spot id:
//   10..40   bells: flash with one of the six random sounds; a click too
//   50       the loop switch (a bell with sounds of its own, an out-sound as
//            the pointer leaves); a click starts the next of the loops
//            500..507 (Ctrl the previous) or stops the one playing
//   100..130 kbd pads
//   200..230 kbt pads: id + 1 ("_c") when re-entered while sounding and on click
//   300..338 the keys, id = 300 + 10 x (row - 1) + 2 x (column - 1); the keys
//            of a row share one highlight picture (rows 1 and 2 share theirs),
//            shown as the pointer leaves a key with Ctrl held
//   400      the palette button (bottom-left); 410 the alt switch (top-right):
//            in alt mode a key stays lit until its sound has ended
// The navigation bar sits in the bottom-right corner. A click on no hot-spot
// plays the misc click. The intro sweep over rows 1 and 4 blocks the window
// thread. Window thread only.

#include <memory>

#include "scenes/Scene.h"

namespace plat {
class Bitmap;
}  // namespace plat

class CKBotScene final : public CScene {
public:
    static constexpr int kSceneNumber = 3;
    static constexpr int kFirstLoop = 500;
    static constexpr int kLastLoop = 507;

    // Sets the folders and the stage origin (608 x 456) from the view's size.
    explicit CKBotScene(SceneHost* view);
    ~CKBotScene() override;

    void Enter(plat::DeviceContext& dc) override;
    // The hot-spots with the three row highlights, the navigation bar, sounds
    // and loops; then the intro sweep over rows 1 and 4 (1.5 s, blocking).
    // Returns 1.
    int LoadHotspots() override;
    void Paint(plat::DeviceContext& dc) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnTimer(int id) override;
    // The sound of a hot-spot the pointer leaves with Ctrl held; a key sounds
    // the key one row further (row 4 wraps to row 1).
    void OnHotspotLeave(CDIBButton* hotspot) override;
    void UpdateCursor(CDIBButton* hotspot) override;

    std::unique_ptr<plat::Bitmap> m_pHighlightRow12;  // shared by the keys of rows 1 and 2
    std::unique_ptr<plat::Bitmap> m_pHighlightRow3;
    std::unique_ptr<plat::Bitmap> m_pHighlightRow4;
    int m_bAltMode = 0;

private:
    void BuildWorldHotspots(std::span<const SpotSpec> padsAndBells) override;
    void LoadHighlights();
    void PlayIntro() override;
};
