#pragma once
// The eighteen constellation strips of the Star world and the patterns in
// which its hot-spots flash them. A strip is never part of the painted
// scene: pressing it draws its picture straight on the view, releasing it
// repaints its rectangle from the scene at once, which erases it. Each
// pattern names strips by index 0..17 and is walked in index order.
// Every change of a strip's state is traced ("star strip lit I" / "star
// strip unlit I"). Window thread only.

#include <array>
#include <memory>

class CScene;
class CSimpleButton;

namespace plat {
class Window;
}

class CStarStrips {
public:
    static constexpr int kCount = 18;

    // `view` is the stage view the strips are drawn on.
    explicit CStarStrips(plat::Window& view);
    ~CStarStrips();
    CStarStrips(const CStarStrips&) = delete;
    CStarStrips& operator=(const CStarStrips&) = delete;

    // The pictures, in index order, from the scene's image folders.
    void Load(const CScene& scene);

    void PressStrip(int i);
    void ReleaseStrip(int i);
    // The entry set of hot-spot `id` (301 and 311: stc1 and stc2 entered
    // again without a change of mode), pressed / released.
    void ShowStrips(int id);
    void HideStrips(int id);
    // The alternate set (the hot-spot entered while its sound still plays).
    void ShowAltStrips(int id);
    void HideAltStrips(int id);
    // The exit set pressed, then released in the same order.
    void FlashExitStrips(int id);
    // The click pattern of hot-spot `id`.
    void FlashClickStrips(int id);

private:
    void Press(unsigned set);
    void Release(unsigned set);

    plat::Window& m_view;
    std::array<std::unique_ptr<CSimpleButton>, kCount> m_strips;
};
