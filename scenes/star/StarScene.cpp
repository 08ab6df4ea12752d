#include "scenes/star/StarScene.h"

#include <vector>

#include "audio/Random.h"
#include "audio/SoundEngine.h"
#include "graphics/DIBButton.h"
#include "platform/Host.h"
#include "scenes/SceneTables.h"

namespace {

constexpr int kStageWidth = 608;
constexpr int kStageHeight = 456;
constexpr int kBackWidth = 605;
constexpr int kBackHeight = 454;

// Hot-spot ids.
constexpr int kPaletteCorner = 10;
constexpr int kFirstGoldStar = 100, kLastGoldStar = 130;
constexpr int kLoopStar = 140;
constexpr int kFirstNoiseStar = 240, kLastNoiseStar = 270;
constexpr int kLeftMoon = 300;
constexpr int kRightMoon = 310;
constexpr int kLastSpot = 270;  // the cursor is left alone above it, but for the moons

// Sounds beyond the hot-spot ids.
constexpr int kLoopStarOut = 141;
constexpr int kMoonClick = 320;
constexpr int kFirstMiscClick = 800;
constexpr int kMiscClicks = 2;
constexpr int kRecordCornerSound = 80;  // general

// The loop families.
constexpr int kFirstLoopA = 500, kLastLoopA = 504;
constexpr int kFirstLoopC1 = 600, kLastLoopC1 = 604;
constexpr int kFirstLoopC2 = 700, kLastLoopC2 = 704;

constexpr uint32_t kIntroStepMs = 50;

// Cursor kinds.
constexpr int kArrowCursor = 1;
constexpr int kHotCursor = 2;
constexpr int kControlCursor = 3;

bool IsMoon(int id) { return id == kLeftMoon || id == kRightMoon; }

using K = SpotKind;
constexpr SpotSpec kSpots[] = {
    {100, K::Simple, 275, 81, "sta1.bmp", "sta1mk.bmp"},
    {110, K::Simple, 322, 197, "sta2.bmp", "sta2mk.bmp"},
    {120, K::Simple, 281, 247, "sta3.bmp", "sta3mk.bmp"},
    {130, K::Simple, 204, 199, "sta4.bmp", "sta4mk.bmp"},
    {140, K::Simple, 281, 203, "sta5.bmp", "sta5mk.bmp"},
    {240, K::Simple, 327, 160, "stb1.bmp", "stb1mk.bmp"},
    {200, K::Simple, 356, 102, "stb2.bmp", "stb2mk.bmp"},
    {210, K::Simple, 396, 279, "stb3.bmp", "stb3mk.bmp"},
    {250, K::Simple, 322, 252, "stb4.bmp", "stb4mk.bmp"},
    {260, K::Simple, 228, 256, "stb5.bmp", "stb5mk.bmp"},
    {220, K::Simple, 125, 286, "stb6.bmp", "stb6mk.bmp"},
    {230, K::Simple, 118, 107, "stb7.bmp", "stb7mk.bmp"},
    {270, K::Simple, 253, 156, "stb8.bmp", "stb8mk.bmp"},
    {300, K::Simple, 73, 180, "stc1.bmp", "stc1mk.bmp"},
    {310, K::Simple, 442, 189, "stc2.bmp", "stc2mk.bmp"},
    {10, K::Multi, 12, 429, nullptr, "zzmk.bmp", nullptr, {{"stzz.bmp", 12, 429}, {"stsun.bmp", 32, 387}}, true},
};

constexpr SoundSpec kSounds[] = {
    {100, "sta1.wav", -800},         {101, "sta1_c.wav", 800},        {111, "sta2_c.wav", 2500},
    {120, "sta3.wav", -500},         {121, "sta3_c.wav", 500},        {130, "sta4.wav", -2000},
    {140, "sta5_in.wav", -300},      {141, "sta5_out.wav", 300},      {240, "stb1_c.wav", 1500},
    {202, "stb2_c.wav", 6000},       {211, "stb3b.wav", 5000},        {212, "stb3_c.wav", 5000},
    {250, "stb4_c.wav", 1000},       {260, "stb5_c.wav", -1000},      {220, "stb6a.wav", -4500},
    {222, "stb6_c.wav", -5000},      {230, "stb7a.wav", -5000},       {232, "stb7_c.wav", -6000},
    {320, "Stc_c.wav"},              {300, "Stc1.wav", -7000},        {310, "Stc2.wav", 7000},
    {800, "Stmisc_c.wav"},           {801, "Stmisc2c.wav"},           {0, "Stnoiz_1.wav", 0, true},
    {0, "Stnoiz_2.wav", 0, true},    {0, "Stnoiz_3.wav", 0, true},    {0, "Stnoiz_4.wav", 0, true},
    {0, "Stnoiz_5.wav", 0, true},    {0, "Stnoiz_6.wav", 0, true},    {110, "sta2.wav", 2000},
    {131, "sta4_c.wav", -2500},      {200, "stb2a.wav", 5000},        {201, "stb2b.wav", 6000},
    {210, "stb3a.wav", 4500},        {221, "stb6b.wav", -5000},       {231, "stb7b.wav", -6000},
    {270, "stb8_c.wav", -1500},
};

constexpr LoopSpec kLoops[] = {
    {500, "Loops\\Sta1_1.wav", 0},     {501, "Loops\\Sta1_2.wav", 0},     {502, "Loops\\Sta1_3.wav", 0},
    {503, "Loops\\Sta1_4.wav", 0},     {504, "Loops\\Sta1_5.wav", 0},     {600, "Loops\\Stc1_1.wav", -6000},
    {601, "Loops\\Stc1_2.wav", -6000}, {602, "Loops\\Stc1_3.wav", -6000}, {603, "Loops\\Stc1_4.wav", -6000},
    {604, "Loops\\Stc1_5.wav", -6000}, {700, "Loops\\Stc2_1.wav", 6000},  {701, "Loops\\Stc2_2.wav", 6000},
    {702, "Loops\\Stc2_3.wav", 6000},  {703, "Loops\\Stc2_4.wav", 6000},  {704, "Loops\\Stc2_5.wav", 6000},
};

}  // namespace

CStarScene::CStarScene(SceneHost* view) : CScene(view), m_strips(*view) {
    m_nScene = kSceneNumber;
    SetFolders("star", "St_bmp", "Stmk_bmp", "st_wav");
    SetStageSize(kStageWidth, kStageHeight);
    SetBackBufferSize(kBackWidth, kBackHeight);
}

CStarScene::~CStarScene() = default;

void CStarScene::Enter(plat::DeviceContext& dc) { EnterStage(dc, "Stbkgrnd.bmp"); }

int CStarScene::LoadHotspots() { return LoadWorld(kSpots, kSounds, kLoops); }

void CStarScene::LoadExtras() { m_strips.Load(*this); }

void CStarScene::PlayIntro() {
    PlaySound(kLoopStarOut);
    // Every strip lights in a random order, 50 ms apart; then every strip
    // goes dark in another random order.
    audio::CRandom& random = audio::ProgramRandom();
    std::vector<int> left;
    for (int i = 0; i < CStarStrips::kCount; ++i) left.push_back(i);
    while (!left.empty()) {
        const auto pick = left.begin() + random.Choose(static_cast<int>(left.size()));
        m_strips.PressStrip(*pick);
        Wait(kIntroStepMs);
        left.erase(pick);
    }
    for (int i = 0; i < CStarStrips::kCount; ++i) left.push_back(i);
    while (!left.empty()) {
        const auto pick = left.begin() + random.Choose(static_cast<int>(left.size()));
        Wait(kIntroStepMs);
        m_strips.ReleaseStrip(*pick);
        left.erase(pick);
    }
}

void CStarScene::Paint(plat::DeviceContext& dc) { PaintStage(dc); }

void CStarScene::UpdateCursor(CDIBButton* hotspot) {
    if (hotspot == nullptr) {
        if (m_pView->CursorKind() != kArrowCursor) m_pView->SetCursorKind(kArrowCursor);
        return;
    }
    const int id = hotspot->m_nId;
    if (id == kLoopStar || IdInRange(id, kLeftMoon, kRightMoon))
        m_pView->SetCursorKind(kControlCursor);
    else if (id <= kLastSpot)
        m_pView->SetCursorKind(kHotCursor);
}

void CStarScene::OnHotspotLeave(CDIBButton* hotspot) {
    const int id = hotspot->m_nId;
    PlaySound(IdInRange(id, kFirstNoiseStar, kLastNoiseStar) || IsMoon(id) ? id : ClickSound(id));
}

void CStarScene::OnMouseMove(int x, int y) {
    if (m_bNotReady) return;  // input that came before the first paint
    if (NavBarTakesMove(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    UpdateCursor(button);

    if (m_pHoverHotspot != nullptr && m_pHoverHotspot != button) {
        const int id = m_pHoverHotspot->m_nId;
        m_strips.FlashExitStrips(id);
        UnlightSpot(m_pHoverHotspot);
        if (id == kLoopStar || IsMoon(id)) Engine().PlayRandomMisc();
        if (m_bCtrl) OnHotspotLeave(m_pHoverHotspot);
        m_pHoverHotspot = nullptr;
        RecordRollover(x, y);
    }

    if (button == nullptr || button == m_pHoverHotspot) return;
    const int id = button->m_nId;
    if (id == kPaletteCorner) {
        Engine().PlayGeneralSound(kRecordCornerSound);
        LightSpot(button);
    } else if (IdInRange(id, kFirstNoiseStar, kLastNoiseStar)) {
        if (button->m_bLit) {
            m_strips.ShowAltStrips(id);
            Engine().PlayRandomMisc();
            m_strips.HideAltStrips(id);
        } else {
            m_strips.ShowStrips(id);
            LightSpot(button);
            Engine().PlayRandomMisc();
            m_strips.HideStrips(id);
        }
    } else if (IsMoon(id)) {
        EnterMoon(button);
    } else {
        EnterSpot(button);
    }
    m_pHoverHotspot = m_pLastHotspot = button;
    RecordRollover(x, y);
}

void CStarScene::EnterMoon(CDIBButton* button) {
    const int id = button->m_nId;
    const int mode = id == kRightMoon ? 1 : 0;
    const bool changed = mode != m_bStc2Mode;
    if (changed) {
        m_bStc2Mode = mode;
        plat::TraceLine("star mode %d", m_bStc2Mode);
    }
    if (button->m_bLit) {
        m_strips.ShowAltStrips(id);
        m_strips.HideAltStrips(id);
        return;
    }
    // Entered again in its own mode, a moon flashes only its few strips.
    const int set = changed ? id : id + 1;
    m_strips.ShowStrips(set);
    LightSpot(button);
    PlaySound(id);
    m_strips.HideStrips(set);
}

void CStarScene::EnterSpot(CDIBButton* button) {
    const int id = button->m_nId;
    LightSpot(button);
    if (Engine().IsSoundPlaying(RolloverSound(id))) {
        m_strips.ShowAltStrips(id);
        PlaySound(ClickSound(id));
        m_strips.HideAltStrips(id);
    } else {
        m_strips.ShowStrips(id);
        PlaySound(RolloverSound(id));
        m_strips.HideStrips(id);
    }
}

void CStarScene::OnLButtonUp(int x, int y) {
    if (m_bNotReady) return;
    if (NavBarTakesClick(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    if (button == nullptr) {
        PlaySound(kFirstMiscClick + audio::ProgramRandom().Choose(kMiscClicks));
    } else {
        const int id = button->m_nId;
        if (id == kPaletteCorner) {
            ToggleRecordPalette();
        } else if (id == kLoopStar || IsMoon(id)) {
            ClickLoopStar(id);
        } else {
            // sta1..sta4 play their click sound of the mode, the noise stars
            // their own, stb2, stb3, stb6 and stb7 their third ("_c") sound.
            const bool noiseStar = IdInRange(id, kFirstNoiseStar, kLastNoiseStar);
            PlaySound(noiseStar ? id : IdInRange(id, kFirstGoldStar, kLastGoldStar) ? ClickSound(id) : id + 2);
            m_strips.FlashClickStrips(id);
        }
    }
    RecordClick(x, y);
}

void CStarScene::StopLoopIfPlaying(int id) {
    if (Engine().IsLoopPlaying(id)) Engine().StopLoop(id);
}

void CStarScene::ClickLoopStar(int id) {
    CSoundEngine& engine = Engine();
    if (id == kLoopStar) {
        StopLoopIfPlaying(m_nLoopC1);
        StopLoopIfPlaying(m_nLoopC2);
        PlaySound(kLoopStarOut);
        m_strips.FlashClickStrips(id);
        if (engine.IsLoopPlaying(m_nLoopA)) {
            engine.StopLoop(m_nLoopA);
        } else {
            m_nLoopA = NextLoopId(m_nLoopA, kFirstLoopA, kLastLoopA);
            engine.StartLoop(m_nLoopA);
        }
        return;
    }
    int& loop = id == kLeftMoon ? m_nLoopC1 : m_nLoopC2;
    StopLoopIfPlaying(m_nLoopA);
    PlaySound(kMoonClick);
    if (engine.IsLoopPlaying(loop)) {
        engine.StopLoop(loop);
        m_strips.FlashExitStrips(id);
    } else {
        m_strips.FlashClickStrips(id);
        loop = id == kLeftMoon ? NextLoopId(loop, kFirstLoopC1, kLastLoopC1) : NextLoopId(loop, kFirstLoopC2, kLastLoopC2);
        engine.StartLoop(loop);
    }
}

void CStarScene::StopLoop() {
    StopLoopIfPlaying(m_nLoopA);
    StopLoopIfPlaying(m_nLoopC1);
    StopLoopIfPlaying(m_nLoopC2);
}

void CStarScene::OnTimer(int id) {
    // A timed sound ended: the hot-spot it belongs to (id, or id - 1 for a
    // click version) goes dark.
    m_pView->KillTimer(id);
    const unsigned r = static_cast<unsigned>(id) % 10;
    if (r == 0 || r == 1) {
        if (CDIBButton* h = FindHotspot(id - static_cast<int>(r))) UnlightSpot(h);
    }
    Engine().StopSound(id);
}
