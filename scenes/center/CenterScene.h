#pragma once
// The hub "Center", scene 0: the first scene after start-up and the one every
// world returns to. A ring of five world hot-spots lies around a central "go"
// hot-spot inside a halo; open-session, help and quit controls sit at the
// left, a record control opens the Record/Play palette, and a drop-down menu
// panel lies at the top-left. Rolling over a world lights it; clicking it
// chooses it (its pictures swap and its preview loop plays); clicking "go"
// while a world is lit travels there. The hub also draws the start-up cover
// and owns the help screen, a mode in which only the help picture and its
// eighteen explanation regions show (CenterHelp.cpp).
//
// Waits block the window thread, polling the clock (WindowSystem::BusyWait).
// Every random choice draws from audio::ProgramRandom(). Window thread only.

#include <array>
#include <memory>
#include <vector>

#include "scenes/Scene.h"

class CMenuPanel;
class CSimpleButton;
class CThreeImageButton;

class CCenterScene final : public CScene {
public:
    static constexpr int kStageWidth = 610;
    static constexpr int kStageHeight = 465;
    // View timers of the "go" sparkle (two speeds) and of the help screen's
    // blinking exit region.
    static constexpr int kSparkleSlowTimer = 992;
    static constexpr int kSparkleFastTimer = 993;
    static constexpr int kSparkleStop = 990;
    static constexpr int kHelpBlinkTimer = 1234;

    // Sets the folders and the stage origin from the view's size.
    explicit CCenterScene(SceneHost* view);
    ~CCenterScene() override;

    // --- The view's calls ---
    // The start-up cover on the view's first paint; posts the ready message.
    void DrawCover(plat::DeviceContext& dc) override;
    // The background (the help picture when a world asked for help); posts
    // the ready message.
    void Enter(plat::DeviceContext& dc) override;
    // Builds hot-spots, menu panel, sounds and loops, then plays the intro
    // (or opens the help screen) and releases the pointer. Returns 1.
    int LoadHotspots() override;
    // LoadHotspots in its two halves: everything loaded and ready to paint;
    // then the entrance (intro or help screen) and the pointer let go.
    void LoadContents();
    void Arrive();
    void Paint(plat::DeviceContext& dc) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnKeyUp(int key, uint32_t flags) override;
    void OnTimer(int id) override;
    void OnHotspotLeave(CDIBButton* hotspot) override;
    void UpdateCursor(CDIBButton* hotspot) override;
    // Stops the chosen world's loop and unchooses it (the palette calls it).
    void StopLoop() override;
    // Enters the help screen; nothing when it already shows.
    void ShowHelp() override;

    // Carries out a menu command: 1..5 volume level, 10 About box, 20 new,
    // 30 open, 40 and 50 save session, 60 quit.
    void OnMenuCommand(int code);
    // The palette changed the volume while in the hub: the menu shows it.
    void SetMenuVolumeLevel(int level) override;

    // --- Help screen (CenterHelp.cpp) ---
    void HelpMouseMove(int x, int y);
    void HelpClick(int x, int y);
    // The first help region whose mask accepts the view point, else null.
    CSimpleButton* HelpHitTest(int x, int y);

    // --- State ---
    std::array<std::unique_ptr<CSimpleButton>, 4> m_goSparks;  // pair A: 0 and 2, pair B: 1 and 3
    std::vector<std::unique_ptr<CSimpleButton>> m_recordSparks;
    std::vector<std::unique_ptr<CSimpleButton>> m_worldLabels;  // label k belongs to world 80 + 10k
    int m_nSparkleTimer = 0;
    int m_nSparklePhase = 1;
    std::unique_ptr<CSimpleButton> m_pHalo;  // mask only, never drawn
    CThreeImageButton* m_pLitWorld = nullptr;
    CThreeImageButton* m_pChosenWorld = nullptr;
    int m_bWorldChosen = 0;  // non-zero once a world was chosen in this visit
    int m_bImagesSwapped = 0;
    int m_bInHalo = 0;
    std::unique_ptr<CMenuPanel> m_pMenuPanel;
    std::vector<std::unique_ptr<CSimpleButton>> m_helpHotspots;
    std::unique_ptr<plat::Bitmap> m_pSavedBackground;
    int m_bHelpShown = 0;

protected:
    bool IgnoresLetters() const override { return m_bHelpShown != 0; }

private:
    void SetSparkleTimer(int code);
    void SparkleTick();
    void PlayIntro() override;
    void FlashWorlds();
    void FlashLabels();
    void FlashRecordSparks(int release60);
    void LightWorld(CThreeImageButton* h);
    void UnlightWorld(CThreeImageButton* h);
    void LeaveHalo();
    void ChooseWorld(CThreeImageButton* h);
    void RestoreWorldImages();
    void TravelTo(int id);
    void HelpBlink();
    void CreateHelpRegions();

    // Unlights a world (mode 1) and its label.
    void DarkenWorld(CThreeImageButton* h);
    // The chosen world's loop stops and it is unchosen.
    void DropChosenWorld();
    CSimpleButton* LabelOf(const CDIBButton* world) const;
    static bool IsWorld(const CDIBButton* h);
    CThreeImageButton* AsWorld(CDIBButton* h) const;

    // The pointer's last position lies inside the halo (for UpdateCursor).
    bool m_bCursorInHalo = false;
};
