#include "scenes/troid/TroidScene.h"

#include "audio/SoundEngine.h"
#include "graphics/HighlightButton.h"
#include "platform/window/WindowSystem.h"
#include "scenes/NavBar.h"
#include "scenes/SceneTables.h"

namespace {

constexpr int kStageWidth = 608;
constexpr int kStageHeight = 456;

// Hot-spot ids and their ranges.
constexpr int kFirstRandomSpot = 10, kLastRandomSpot = 30;
constexpr int kLoopSwitch = 40;
constexpr int kFirstCrystal = 50, kLastCrystal = 80;
constexpr int kFirstRock = 90, kLastRock = 200, kRockStep = 10;
constexpr int kFirstBeacon = 210, kLastBeacon = 240;
constexpr int kPaletteCorner = 250;
constexpr int kSustainSwitch = 270;

// Sounds beyond the hot-spot ids.
constexpr int kBackgroundClick = 400;
constexpr int kLoopSwitchOut = 41;
constexpr int kLoopStartClick = 42;
constexpr int kLoopStopClick = 43;
constexpr int kRecordCornerSound = 80;  // general

constexpr uint32_t kIntroStepMs = 200;


using K = SpotKind;
constexpr SpotSpec kSpots[] = {
    {90, K::Dual, 346, 50, "trs01up.bmp", "trs01amk.bmp", "trs01bmk.bmp"},
    {100, K::Dual, 372, 90, "trs02up.bmp", "trs02amk.bmp", "trs02bmk.bmp"},
    {110, K::Dual, 382, 151, "trs03up.bmp", "trs03amk.bmp", "trs03bmk.bmp"},
    {120, K::Dual, 394, 257, "trs04up.bmp", "trs04amk.bmp", "trs04bmk.bmp"},
    {130, K::Dual, 382, 293, "trs05up.bmp", "trs05amk.bmp", "trs05bmk.bmp"},
    {140, K::Dual, 364, 320, "trs06up.bmp", "trs06amk.bmp", "trs06bmk.bmp"},
    {150, K::Dual, 96, 313, "trs07up.bmp", "trs07amk.bmp", "trs07bmk.bmp"},
    {160, K::Dual, 53, 287, "trs08up.bmp", "trs08amk.bmp", "trs08bmk.bmp"},
    {170, K::Dual, 69, 257, "trs09up.bmp", "trs09amk.bmp", "trs09bmk.bmp"},
    {180, K::Simple, 150, 153, "trs10up.bmp", "trs10mk.bmp"},
    {190, K::Dual, 103, 80, "trs11up.bmp", "trs11amk.bmp", "trs11bmk.bmp"},
    {200, K::Dual, 134, 52, "trs12up.bmp", "trs12amk.bmp", "trs12bmk.bmp"},
    {50, K::Simple, 305, 109, "trd1up.bmp", "trd1mk.bmp"},
    {60, K::Simple, 298, 233, "trd2up.bmp", "trd2mk.bmp"},
    {70, K::Simple, 220, 233, "trd3up.bmp", "trd3mk.bmp"},
    {80, K::Simple, 226, 116, "trd4up.bmp", "trd4mk.bmp"},
    {10, K::Simple, 288, 52, "trb1up.bmp", "trb1mk.bmp"},
    {20, K::Simple, 31, 220, "trb2up.bmp", "trb2mk.bmp"},
    {30, K::Simple, 288, 240, "trb3up.bmp", "trb3mk.bmp"},
    {40, K::Simple, 39, 132, "trc1up.bmp", "trc1mk.bmp"},
    {210, K::Highlight, 304, 40, "trt1up.bmp", "trt1mk.bmp", nullptr, {{"trt1sup.bmp", 308, 1}}},
    {220, K::Highlight, 301, 346, "trt2up.bmp", "trt2mk.bmp", nullptr, {{"trt2sup.bmp", 310, 417}}},
    {230, K::Highlight, 147, 345, "trt3up.bmp", "trt3mk.bmp", nullptr, {{"trt3sup.bmp", 142, 415}}},
    {240, K::Highlight, 170, 41, "trt4up.bmp", "trt4mk.bmp", nullptr, {{"trt4sup.bmp", 152, 0}}},
    {250, K::Multi, 5, 435, nullptr, "trzzmk.bmp", nullptr, {{"trzxup.bmp", 5, 435}, {"trsun.bmp", 26, 392}}},
    {270, K::Multi, 585, 5, nullptr, "trzzmk.bmp", nullptr,
     {{"trzxup.bmp", 585, 5}, {"tralt1.bmp", 525, 5, 1}, {"tralt2.bmp", 525, 5, 2}}},
};

constexpr SoundSpec kSounds[] = {
    {90, "trs01.wav", 2500},    {100, "trs02.wav", 4000},   {110, "trs03.wav", 6000},   {120, "trs04.wav", 5500},
    {130, "trs05.wav", 5000},   {140, "trs06.wav", 3500},   {150, "trs07.wav", -2000},  {160, "trs08.wav", -6000},
    {170, "trs09.wav", -5000},  {180, "trs10.wav", -2500},  {190, "trs11.wav", -5000},  {200, "trs12.wav", -4000},
    {50, "trd1.wav", 500},      {60, "trd2.wav", 250},      {70, "trd3.wav", -250},     {80, "trd4.wav", -500},
    {51, "Trd1_c.wav", 500},    {61, "Trd2_c.wav", 250},    {71, "Trd3_c.wav", -250},   {81, "Trd4_c.wav", -500},
    {210, "trt1.wav", 1000},    {220, "trt2.wav", 500},     {230, "trt3.wav", -500},    {240, "trt4.wav", -1000},
    {211, "Trt1_c.wav", 1000},  {221, "Trt2_c.wav", 500},   {231, "Trt3_c.wav", -500},  {241, "Trt4_c.wav", -1000},
    {300, "trr1.wav", 0, true}, {310, "trr2.wav", 0, true}, {320, "trr3.wav", 0, true}, {330, "trr4.wav", 0, true},
    {340, "trr5.wav", 0, true}, {350, "trr6.wav", 0, true}, {400, "Trmisc_c.wav"},      {40, "Trc1in.wav", -3500},
    {41, "Trc1out.wav", -4500}, {42, "Trloop_c.wav", -4500}, {43, "Trloop2.wav", -4500},
};

constexpr LoopSpec kLoops[] = {
    {500, "trloop_1.wav", -3000}, {501, "trloop_2.wav", -3000}, {502, "trloop_3.wav", -3000},
    {503, "trloop_4.wav", -3000}, {504, "trloop_5.wav", -3000}, {505, "trloop_6.wav", -3000},
    {506, "trloop_7.wav", -3000}, {507, "trloop_8.wav", -3000},
};

}  // namespace

CTroidScene::CTroidScene(SceneHost* view) : CScene(view) {
    m_nScene = kSceneNumber;
    m_nLoopId = kLastLoop;  // the first switch starts the first loop
    SetFolders("troid", "Image", "Masks", "Audio");
    SetStageSize(kStageWidth, kStageHeight);
}

CTroidScene::~CTroidScene() = default;

void CTroidScene::Enter(plat::DeviceContext& dc) { EnterStage(dc, "trbkgrnd.bmp"); }

int CTroidScene::LoadHotspots() { return LoadWorld(kSpots, kSounds, kLoops); }

void CTroidScene::LoadContents() { LoadWorldContents(kSpots, kSounds, kLoops); }

void CTroidScene::PlayIntro() {
    for (int id = kFirstRock; id <= kLastRock; id += kRockStep) SweepSpot(id, kIntroStepMs);
}

void CTroidScene::Paint(plat::DeviceContext& dc) { PaintStage(dc); }

void CTroidScene::UpdateCursor(CDIBButton* hotspot) { SetWorldCursor(hotspot, kLoopSwitch); }

void CTroidScene::OnHotspotLeave(CDIBButton* hotspot) {
    const int id = hotspot->m_nId;
    if (IdInRange(id, kFirstBeacon, kLastBeacon) || IdInRange(id, kFirstCrystal, kLastCrystal))
        PlaySound(id + 1);
    else if (id == kLoopSwitch)
        PlaySound(kLoopSwitchOut);
    else if (IdInRange(id, kFirstRandomSpot, kLastRandomSpot))
        Engine().PlayRandomMisc();
    else
        PlaySound(id);
}

void CTroidScene::OnMouseMove(int x, int y) {
    if (m_bNotReady) return;  // input that came before the first paint
    if (NavBarTakesMove(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    UpdateCursor(button);

    if (m_pHoverHotspot != nullptr && m_pHoverHotspot != button) {
        const int id = m_pHoverHotspot->m_nId;
        if (!(m_bSustain && IdInRange(id, kFirstRock, kLastRock))) UnlightSpot(m_pHoverHotspot);
        if (m_bCtrl || id == kLoopSwitch) OnHotspotLeave(m_pHoverHotspot);
        m_pHoverHotspot = nullptr;
        RecordRollover(x, y);
    }

    if (button == nullptr || button == m_pHoverHotspot) return;
    const int id = button->m_nId;
    if (id == kSustainSwitch) {
        EnterModeSwitch(button, m_bSustain);
    } else {
        LightSpot(button);
    }
    if (IdInRange(id, kFirstRandomSpot, kLastRandomSpot)) {
        Engine().PlayRandomMisc();
        UnlightSpot(button);
    } else if (IdInRange(id, kFirstBeacon, kLastBeacon)) {
        static_cast<CHighlightButton*>(button)->ShowHighlight(*m_pView);
        PlaySound(id);
    } else if (m_bSustain && IdInRange(id, kFirstRock, kLastRock)) {
        PlaySound(id, 1);
    } else if (id == kPaletteCorner) {
        Engine().PlayGeneralSound(kRecordCornerSound);
    } else if (IdInRange(id, kFirstCrystal, kLastCrystal)) {
        PlaySound(Engine().IsSoundPlaying(id) ? id + 1 : id);
    } else {
        PlaySound(id);
    }
    m_pHoverHotspot = m_pLastHotspot = button;
    RecordRollover(x, y);
}

void CTroidScene::OnLButtonUp(int x, int y) {
    if (m_bNotReady) return;
    if (NavBarTakesClick(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    if (button == nullptr) {
        PlaySound(kBackgroundClick);
    } else {
        const int id = button->m_nId;
        if (id == kLoopSwitch)
            SwitchLoop(kFirstLoop, kLastLoop, kLoopStartClick, kLoopStopClick);
        else if (IdInRange(id, kFirstCrystal, kLastCrystal) || IdInRange(id, kFirstBeacon, kLastBeacon))
            PlaySound(id + 1);
        else if (id == kPaletteCorner)
            ToggleRecordPalette();
        else if (id == kSustainSwitch)
            FlipModeSwitch(button, m_bSustain, "troid sustain");
        else
            PlaySound(id);
    }
    RecordClick(x, y);
}

void CTroidScene::OnTimer(int id) { EndTimedSound(id); }
