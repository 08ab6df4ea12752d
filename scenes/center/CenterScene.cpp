#include "scenes/center/CenterScene.h"

#include "audio/Random.h"
#include "audio/SoundEngine.h"
#include "graphics/AppPalette.h"
#include "graphics/DIB.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/SimpleButton.h"
#include "graphics/StageOrigin.h"
#include "graphics/ThreeImageButton.h"
#include "platform/Host.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/window/EditControl.h"
#include "platform/window/Keys.h"
#include "platform/window/WindowSystem.h"
#include "scenes/SceneTables.h"
#include "scenes/center/MenuPanel.h"

namespace {

// Hot-spot ids.
constexpr int kHaloId = 9854;
constexpr int kGoId = 10;
constexpr int kOpenId = 30;
constexpr int kHelpId = 34;
constexpr int kQuitId = 38;
constexpr int kRecordId = 60;
constexpr int kFirstWorld = 80;
constexpr int kLastWorld = 120;
constexpr int kWorldStep = 10;
constexpr int kWorldCount = 5;

// Sound ids beyond the hot-spot ids.
constexpr int kGoTravelSound = 11;
constexpr int kGoRefusedSound = 12;
constexpr int kRecordAgainSound = 61;
constexpr int kHaloInSound = 200;
constexpr int kHaloOutSound = 210;
constexpr int kRefusalSound = 30;  // general
constexpr int kFirstAboutLoop = 215;
constexpr int kAboutTunes = 4;  // the menu picks among 215..218

constexpr uint32_t kFlashMs = 200;
constexpr uint32_t kTravelPauseMs = 2500;
constexpr uint32_t kSparkleSlowMs = 333;
constexpr uint32_t kSparkleFastMs = 250;

// Cursor kinds.
constexpr int kArrowCursor = 1;
constexpr int kHotCursor = 2;
constexpr int kWorldCursor = 3;
constexpr int kGoCursor = 6;
constexpr int kOutsideCursor = 7;

struct Place {
    int x, y;
};

struct LevelPicture {
    const char* file;
    Place at;
    int level;
};

struct ControlSpec {
    int id;
    Place at;
    LevelPicture pictures[2];
    const char* mask;
};

constexpr ControlSpec kControls[] = {
    {kOpenId, {99, 246}, {{"ceb1.bmp", {99, 246}, 1}, {"cew1.bmp", {141, 255}, 0}}, "ceb1mk.bmp"},
    {kHelpId, {100, 277}, {{"ceb2.bmp", {100, 277}, 1}, {"cew2.bmp", {143, 282}, 0}}, "ceb2mk.bmp"},
    {kQuitId, {100, 309}, {{"ceb3.bmp", {100, 309}, 1}, {"cew3.bmp", {146, 313}, 0}}, "ceb3mk.bmp"},
    {kRecordId, {87, 97}, {{"cer1.bmp", {87, 97}, 0}, {"cew4.bmp", {92, 160}, 0}}, "cer1mk.bmp"},
};

struct WorldSpec {
    int id;
    Place at;
    const char* lit;
    const char* alternate;
    const char* mask;
};

constexpr WorldSpec kWorlds[kWorldCount] = {
    {80, {333, 38}, "cet1.bmp", "cet12.bmp", "cet1mk.bmp"},
    {90, {434, 114}, "cet2.bmp", "cet22.bmp", "cet2mk.bmp"},
    {100, {414, 291}, "cet3.bmp", "cet32.bmp", "cet3mk.bmp"},
    {110, {228, 287}, "cet4.bmp", "cet42.bmp", "cet4mk.bmp"},
    {120, {197, 119}, "cet5.bmp", "cet52.bmp", "cet5mk.bmp"},
};

struct SpriteSpec {
    int id;
    Place at;
    const char* file;
};

constexpr SpriteSpec kLabels[kWorldCount] = {
    {40, {363, 169}, "cec1.bmp"}, {41, {405, 212}, "cec2.bmp"}, {42, {388, 255}, "cec3.bmp"},
    {43, {327, 252}, "cec4.bmp"}, {44, {310, 212}, "cec5.bmp"},
};

constexpr SpriteSpec kGoSparks[4] = {
    {50, {359, 203}, "ceq1.bmp"}, {51, {389, 220}, "ceq2.bmp"}, {52, {360, 248}, "ceq3.bmp"}, {53, {343, 220}, "ceq4.bmp"},
};

constexpr SpriteSpec kRecordSparks[6] = {
    {61, {121, 82}, "cer2.bmp"}, {62, {138, 113}, "cer3.bmp"}, {63, {122, 141}, "cer4.bmp"},
    {64, {90, 141}, "cer5.bmp"}, {65, {67, 115}, "cer6.bmp"},  {66, {87, 80}, "cer7.bmp"},
};

constexpr SoundSpec kGoSound{kGoId, "cea1.wav", 3000};

// Every scene sound but the go hot-spot's, in loading order.
constexpr SoundSpec kSounds[] = {
    {11, "Cea1_c.wav", 3000},   {30, "ceb1.wav", -3000},    {31, "Ceb1_c.wav", -4333},  {34, "ceb2.wav", -2666},
    {35, "ceb2_c.wav", -4000},  {38, "ceb3.wav", -2333},    {39, "ceb3_c.wav", -3666},  {60, "cer1.wav", -4500},
    {62, "cer1_c.wav", -5000},  {61, "Cer1_2.wav", -4000},  {80, "cet11.wav", 3500},    {81, "cet16.wav", 3500},
    {90, "cet21.wav", 6000},    {91, "cet26.wav", 6000},    {100, "cet31.wav", 4500},   {101, "cet36.wav", 4500},
    {110, "cet41.wav", -1000},  {111, "cet46.wav", -1000},  {120, "cet51.wav", -2000},  {121, "cet56.wav", -2000},
    {200, "Cehaloin.wav", 1000}, {210, "Cehaloot.wav", 500}, {12, "Cea1_no.wav", 3000},
};

constexpr LoopSpec kLoops[] = {
    {82, "cet17.wav", 4000},     {92, "cet27.wav", 6500},     {102, "cet37.wav", 5000},    {112, "cet47.wav", -1500},
    {122, "cet57.wav", -2500},   {215, "ceabout1.wav", 0},    {216, "ceabout2.wav", 0},    {217, "ceabout3.wav", 0},
    {218, "ceabout4.wav", 0},    {219, "ceabout5.wav", 0},
};

}  // namespace

CCenterScene::CCenterScene(SceneHost* view) : CScene(view) {
    m_nScene = 0;
    SetFolders("center", "ce_bmp", "ce_masks", "ce_wav");
    SetStageSize(kStageWidth, kStageHeight);
}

CCenterScene::~CCenterScene() {
    // Timers of this scene must not tick into the next one.
    if (m_nSparkleTimer != 0) m_pView->KillTimer(m_nSparkleTimer);
    m_pView->KillTimer(kHelpBlinkTimer);
    m_pMenuPanel.reset();
    m_pHalo.reset();
    for (std::unique_ptr<CSimpleButton>& spark : m_goSparks) spark.reset();
    m_recordSparks.clear();
    m_worldLabels.clear();
    m_helpHotspots.clear();
}

// --- Loading ---

void CCenterScene::DrawCover(plat::DeviceContext& dc) {
    CDIB cover;
    cover.Load(m_strHomeImageDir, m_strDiscImageDir, "Cecover.bmp");
    InstallPalette(cover, dc);
    cover.Draw(dc, TheStageOrigin().x, TheStageOrigin().y);
    CSoundEngine& engine = Engine();
    if (engine.IsReady()) {
        auto sound = std::make_unique<CSound>(&engine, kGoSound.id);
        sound->LoadFrom(m_strHomeAudioDir, m_strDiscAudioDir, kGoSound.file);
        sound->SetPan(kGoSound.pan);
        sound->Play(0);
        engine.AddSound(std::move(sound));
    }
    CreateBackBuffer();
    m_pView->Post(kSceneReady);
}

void CCenterScene::Enter(plat::DeviceContext& dc) {
    CDIB background;
    if (m_pView->m_bReturnToCenter)
        background.Load(m_strDiscImageDir + "Cehp_bmp\\Cehpgrnd.bmp");
    else
        background.Load(m_strHomeImageDir, m_strDiscImageDir, "Cebkgrnd.bmp");
    InstallPalette(background, dc);
    ShowBackground(background, dc);
    if (Engine().IsReady()) LoadSound(kGoSound.id, kGoSound.file, kGoSound.pan);
    CreateBackBuffer();
    m_pView->Post(kSceneReady);
}

int CCenterScene::LoadHotspots() {
    LoadContents();
    Arrive();
    return 1;
}

void CCenterScene::LoadContents() {
    m_pView->SetCursorKind(4);

    const plat::Point haloAt{195, 38};
    m_pHalo = std::make_unique<CSimpleButton>(&haloAt, kHaloId);
    m_pHalo->SetMask(LoadMask("Cehalomk.bmp"), 1);
    ToggleWaitCursor();

    const plat::Point goAt{362, 221};
    auto go = std::make_unique<CSimpleButton>(&goAt, kGoId);
    go->SetImage(LoadImage("cea1.bmp"), 1);
    go->SetMask(LoadMask("cea1mk.bmp"), 1);
    m_hotspots.push_back(std::move(go));
    ToggleWaitCursor();

    for (const ControlSpec& c : kControls) {
        const plat::Point at{c.at.x, c.at.y};
        auto control = std::make_unique<CMultiUpstateButton>(&at, c.id);
        for (const LevelPicture& p : c.pictures) control->AddUpstate(LoadImage(p.file), p.at.x, p.at.y, p.level);
        control->SetMask(LoadMask(c.mask));
        m_hotspots.push_back(std::move(control));
        ToggleWaitCursor();
    }

    for (const WorldSpec& w : kWorlds) {
        const plat::Point at{w.at.x, w.at.y};
        auto world = std::make_unique<CThreeImageButton>(&at, w.id, 1);
        world->SetImage(1, LoadImage(w.lit));
        world->SetImage(2, LoadImage(w.alternate));
        world->SetMask(LoadMask(w.mask));
        m_hotspots.push_back(std::move(world));
        ToggleWaitCursor();
    }

    auto sprite = [this](const SpriteSpec& s) {
        const plat::Point at{s.at.x, s.at.y};
        auto button = std::make_unique<CSimpleButton>(&at, s.id);
        button->SetImage(LoadImage(s.file), 1);
        ToggleWaitCursor();
        return button;
    };
    m_worldLabels.clear();
    for (const SpriteSpec& s : kLabels) m_worldLabels.push_back(sprite(s));
    for (size_t i = 0; i < m_goSparks.size(); ++i) m_goSparks[i] = sprite(kGoSparks[i]);
    m_recordSparks.clear();
    for (const SpriteSpec& s : kRecordSparks) m_recordSparks.push_back(sprite(s));

    // Enter may have shown the help picture; the hub's own is kept beneath it.
    std::unique_ptr<CDIB> background(LoadImage("Cebkgrnd.bmp"));
    m_pBackground = CDIBButton::MakeBitmap(background.get(), 0);

    CSoundEngine& engine = Engine();
    m_pMenuPanel = std::make_unique<CMenuPanel>(TheStageOrigin().x, TheStageOrigin().y, m_pView);
    m_pMenuPanel->LoadImages();
    m_pMenuPanel->m_nVolumeLevel = engine.VolumeLevel();

    if (engine.IsReady()) {
        LoadSounds(*this, kSounds);
        for (const LoopSpec& l : kLoops) AddLoop(l.file, l.id, l.pan);
    }
    m_bNotReady = 0;
}

void CCenterScene::Arrive() {
    if (m_pView->m_bReturnToCenter) {
        ShowHelp();
        m_pView->System().ClipCursor(nullptr);
        m_pView->SetCursorKind(kArrowCursor);
        m_pView->m_bReturnToCenter = 0;
    } else {
        m_pView->SessionEdit().Show(true);
        m_pView->Invalidate();
        m_pView->UpdateNow();
        PlayIntro();
        m_pView->System().ClipCursor(nullptr);
        m_pView->SetCursorKind(kArrowCursor);
    }
}

// --- Drawing ---

void CCenterScene::Paint(plat::DeviceContext& dc) {
    if (m_bNotReady || !m_pBackDC) return;
    if (const plat::Palette* palette = TheAppPalette()) {
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    plat::DeviceContext source(dc.GetDisplay());
    source.SelectBitmap(m_pBackground.get());
    m_pBackDC->BitBlt(0, 0, kStageWidth, kStageHeight, source, 0, 0, plat::Rop::Copy);
    if (!m_bHelpShown) {
        for (const std::unique_ptr<CDIBButton>& h : m_hotspots) h->Draw(*m_pBackDC, 0);
        if (m_pMenuPanel) m_pMenuPanel->Draw(*m_pBackDC, 0);
    }
    dc.BitBlt(TheStageOrigin().x, TheStageOrigin().y, kStageWidth, kStageHeight, *m_pBackDC, 0, 0, plat::Rop::Copy);
}

// --- Helpers ---

bool CCenterScene::IsWorld(const CDIBButton* h) {
    return h != nullptr && h->m_nId >= kFirstWorld && h->m_nId <= kLastWorld && h->m_nId % kWorldStep == 0;
}

CThreeImageButton* CCenterScene::AsWorld(CDIBButton* h) const {
    return IsWorld(h) ? static_cast<CThreeImageButton*>(h) : nullptr;
}

CSimpleButton* CCenterScene::LabelOf(const CDIBButton* world) const {
    const size_t k = static_cast<size_t>((world->m_nId - kFirstWorld) / kWorldStep);
    return k < m_worldLabels.size() ? m_worldLabels[k].get() : nullptr;
}

void CCenterScene::DarkenWorld(CThreeImageButton* h) {
    h->m_nMode = 1;
    h->Release(*m_pView);
    if (CSimpleButton* label = LabelOf(h)) label->Release(*m_pView);
    plat::TraceLine("hub unlight %d", h->m_nId);
}

// --- Sparkle and intro ---

void CCenterScene::SetSparkleTimer(int code) {
    if (m_nSparkleTimer != 0) m_pView->KillTimer(m_nSparkleTimer);
    m_nSparklePhase = 1;
    switch (code) {
        case kSparkleSlowTimer:
            m_pView->SetTimer(kSparkleSlowTimer, kSparkleSlowMs);
            m_nSparkleTimer = code;
            break;
        case kSparkleFastTimer:
            m_pView->SetTimer(kSparkleFastTimer, kSparkleFastMs);
            m_nSparkleTimer = code;
            break;
        default:
            for (std::unique_ptr<CSimpleButton>& spark : m_goSparks)
                if (spark) spark->Release(*m_pView);
            m_nSparkleTimer = 0;
            break;
    }
}

void CCenterScene::SparkleTick() {
    auto pair = [this](size_t first, bool press) {
        for (size_t i : {first, first + 2}) {
            CSimpleButton* spark = m_goSparks[i].get();
            if (spark == nullptr) continue;
            if (press)
                spark->Press(*m_pView);
            else
                spark->Release(*m_pView);
        }
    };
    constexpr size_t kPairA = 0, kPairB = 1;
    switch (m_nSparklePhase) {
        case 1: case 6: pair(kPairB, true); break;
        case 2: case 5: pair(kPairA, true); break;
        case 3: case 8: pair(kPairA, false); break;
        default: pair(kPairB, false); break;  // 4 and 7
    }
    m_nSparklePhase = m_nSparklePhase == 8 ? 1 : m_nSparklePhase + 1;
}

void CCenterScene::PlayIntro() {
    SetSparkleTimer(kSparkleSlowTimer);
    PlaySound(kRecordId, 1);
    FlashRecordSparks(1);
    FlashWorlds();
    SetSparkleTimer(kSparkleStop);
}

void CCenterScene::FlashRecordSparks(int release60) {
    CDIBButton* record = FindHotspot(kRecordId);
    if (record == nullptr) return;
    record->Press(*m_pView);
    for (std::unique_ptr<CSimpleButton>& spark : m_recordSparks) {
        spark->Press(*m_pView);
        spark->Release(*m_pView);
    }
    if (release60) record->Release(*m_pView);
}

void CCenterScene::FlashWorlds() {
    std::vector<CThreeImageButton*> left;
    for (int id = kFirstWorld; id <= kLastWorld; id += kWorldStep)
        if (CThreeImageButton* w = AsWorld(FindHotspot(id))) left.push_back(w);
    while (!left.empty()) {
        const size_t i = static_cast<size_t>(audio::ProgramRandom().Choose(static_cast<int>(left.size())));
        CThreeImageButton* w = left[i];
        CSimpleButton* label = LabelOf(w);
        w->m_nMode = 2;
        w->Press(*m_pView);
        if (label != nullptr) label->Press(*m_pView);
        plat::TraceLine("hub flash %d", w->m_nId);
        Wait(kFlashMs);
        w->m_nMode = 1;
        w->Release(*m_pView);
        if (label != nullptr) label->Release(*m_pView);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void CCenterScene::FlashLabels() {
    std::vector<CSimpleButton*> left;
    for (std::unique_ptr<CSimpleButton>& label : m_worldLabels) left.push_back(label.get());
    while (!left.empty()) {
        const size_t i = static_cast<size_t>(audio::ProgramRandom().Choose(static_cast<int>(left.size())));
        left[i]->Press(*m_pView);
        Wait(kFlashMs);
        left[i]->Release(*m_pView);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

// --- Worlds ---

void CCenterScene::LightWorld(CThreeImageButton* h) {
    // Another world lit by a roll-over goes dark; h itself stays lit.
    if (m_pLitWorld != nullptr && m_pLitWorld != m_pChosenWorld && m_pLitWorld != h) {
        DarkenWorld(m_pLitWorld);
        m_pLitWorld = nullptr;
    }
    // Until a world is chosen in this visit, each world introduces itself
    // with its own variant; afterwards the sound reloaded by ChooseWorld.
    const int sound = m_bWorldChosen == 0 ? h->m_nId + 1 : h->m_nId;
    if (h->m_bLit) {
        PlaySound(sound);
        h->m_nMode = 3;
        h->Press(*m_pView);
        Wait(kFlashMs);
        h->m_nMode = 2;
        h->Press(*m_pView);
    } else {
        m_pLitWorld = h;
        h->m_nMode = 2;
        PlaySound(sound);
        h->Press(*m_pView);
    }
    if (CSimpleButton* label = LabelOf(h)) label->Press(*m_pView);
    plat::TraceLine("hub light %d", h->m_nId);
}

void CCenterScene::UnlightWorld(CThreeImageButton* h) {
    if (m_pChosenWorld == nullptr || h == m_pChosenWorld) return;
    DarkenWorld(h);
    m_pLitWorld = m_pChosenWorld;
}

void CCenterScene::LeaveHalo() {
    if (m_pLitWorld != nullptr && m_pLitWorld != m_pChosenWorld) {
        DarkenWorld(m_pLitWorld);
        m_pLitWorld = nullptr;
    }
    if (CDIBButton* go = FindHotspot(kGoId)) go->Release(*m_pView);
}

void CCenterScene::RestoreWorldImages() {
    for (int id = kFirstWorld; id <= kLastWorld; id += kWorldStep) {
        CThreeImageButton* w = AsWorld(FindHotspot(id));
        if (w == nullptr || !w->m_bSwapped) continue;
        w->RestoreImages();
        plat::TraceLine("hub restore %d", id);
    }
}

void CCenterScene::DropChosenWorld() {
    Engine().StopLoop(m_nLoopId);
    DarkenWorld(m_pChosenWorld);
    if (m_bImagesSwapped) {
        RestoreWorldImages();
        m_bImagesSwapped = 0;
    }
    m_pChosenWorld = nullptr;
}

void CCenterScene::ChooseWorld(CThreeImageButton* h) {
    ToggleWaitCursor();
    const int n = (h->m_nId - kFirstWorld) / kWorldStep + 1;
    if (m_pChosenWorld != nullptr) DropChosenWorld();
    if (CDIBButton* go = FindHotspot(kGoId)) go->Release(*m_pView);
    m_pChosenWorld = m_pLitWorld = h;
    m_bWorldChosen = h->m_nId - 79;
    plat::TraceLine("hub choose %d", h->m_nId);

    // Every world's roll-over sound becomes its variant for the chosen world:
    // "cetW1.wav" -> "cetW" + n + ".wav".
    CSoundEngine& engine = Engine();
    for (int k = kFirstWorld; k <= kLastWorld; k += kWorldStep) {
        if (CSound* sound = engine.FindSound(k)) {
            const int pan = sound->GetPan();
            std::string name = SoundFileName(sound->Path());
            if (name.size() >= 5) {
                name = name.substr(0, name.size() - 5) + std::to_string(n) + ".wav";
                sound->LoadFrom(m_strHomeAudioDir, m_strDiscAudioDir, name);
                sound->SetPan(pan);
            }
        }
        ToggleWaitCursor();
    }
}

void CCenterScene::TravelTo(int id) {
    if (id < kFirstWorld || id > kLastWorld || id % kWorldStep != 0) return;
    m_pView->Post(kSwitchScene, static_cast<uintptr_t>((id - kFirstWorld) / kWorldStep + 1));
}

void CCenterScene::StopLoop() {
    if (m_pChosenWorld != nullptr) DropChosenWorld();
}

// --- Input ---

void CCenterScene::UpdateCursor(CDIBButton* hotspot) {
    if (!m_bCursorInHalo) {
        m_pView->SetCursorKind(kOutsideCursor);
    } else if (hotspot == nullptr) {
        m_pView->SetCursorKind(kArrowCursor);
    } else if (hotspot->m_nId == kGoId) {
        m_pView->SetCursorKind(m_pLitWorld != nullptr ? kGoCursor : kHotCursor);
    } else if (IsWorld(hotspot)) {
        m_pView->SetCursorKind(kWorldCursor);
    }
}

void CCenterScene::OnHotspotLeave(CDIBButton* hotspot) { PlaySound(hotspot->m_nId + 1); }

void CCenterScene::OnMouseMove(int x, int y) {
    if (m_bHelpShown) {
        HelpMouseMove(x, y);
        return;
    }
    // Input can arrive between the switch and the first paint.
    if (m_bNotReady) return;
    if (!IsRecording() && m_pMenuPanel && m_pMenuPanel->OnMouseMove(x, y)) return;

    CDIBButton* h = HitTest(x, y);
    const bool inside = m_pHalo->HitTest(x, y) != 0;
    m_bCursorInHalo = inside;
    UpdateCursor(h);
    if (m_bInHalo && !inside) {
        m_bInHalo = 0;
        LeaveHalo();
        PlaySound(kHaloOutSound);
        RecordRollover(x, y);
        return;
    }
    if (!m_bInHalo && inside) {
        m_bInHalo = 1;
        PlaySound(kHaloInSound);
        RecordRollover(x, y);
    }

    if (m_pHoverHotspot != nullptr && m_pHoverHotspot != h) {
        if (CThreeImageButton* world = AsWorld(m_pHoverHotspot))
            UnlightWorld(world);
        else if (m_pHoverHotspot->m_nId == kGoId)
            SetSparkleTimer(kSparkleStop);
        else
            m_pHoverHotspot->Release(*m_pView);
        if (m_bCtrl) OnHotspotLeave(m_pHoverHotspot);
        m_pHoverHotspot = nullptr;
        RecordRollover(x, y);
    }

    if (h != nullptr && h != m_pHoverHotspot) {
        if (h->m_nId == kGoId) {
            h->Press(*m_pView);
            PlaySound(kGoId);
            if (m_pLitWorld != nullptr) SetSparkleTimer(kSparkleFastTimer);
        } else if (h->m_nId == kRecordId) {
            h->Press(*m_pView);
            if (Engine().IsSoundPlaying(kRecordId)) {
                PlaySound(kRecordAgainSound, 1);
                if (m_pChosenWorld == nullptr) FlashLabels();
            } else {
                PlaySound(kRecordId, 1);
            }
            FlashRecordSparks(0);
        } else if (CThreeImageButton* world = AsWorld(h)) {
            LightWorld(world);
        } else {
            h->Press(*m_pView);
            PlaySound(h->m_nId);
            m_pLitWorld = nullptr;
        }
        m_pHoverHotspot = m_pLastHotspot = h;
        RecordRollover(x, y);
    }
}

void CCenterScene::OnLButtonDown(int x, int y) {
    if (m_bHelpShown || m_bNotReady) return;
    if (m_pMenuPanel && m_pMenuPanel->OnLButtonDown(x, y)) return;
    CDIBButton* h = HitTest(x, y);
    if (h == nullptr) return;
    if (h->m_nId == kOpenId || h->m_nId == kHelpId || h->m_nId == kQuitId) {
        static_cast<CMultiUpstateButton*>(h)->PressLevel(*m_pView, 1, 0);
    } else if (CThreeImageButton* world = AsWorld(h)) {
        world->m_nMode = 3;
        world->Press(*m_pView);
    }
}

void CCenterScene::OnLButtonUp(int x, int y) {
    if (m_bHelpShown) {
        HelpClick(x, y);
        return;
    }
    if (m_bNotReady) return;
    if (m_pMenuPanel) {
        if (const int code = m_pMenuPanel->OnLButtonUp(x, y)) {
            OnMenuCommand(code);
            return;
        }
    }
    CSoundEngine& engine = Engine();
    CDIBButton* h = HitTest(x, y);
    if (h == nullptr) {
        engine.PlayRandomSound();
        RecordClick(x, y);
        return;
    }
    switch (h->m_nId) {
        case kGoId:
            if (m_pLitWorld != nullptr) {
                // Travel is refused silently while the palette records or plays.
                if (IsRecorderBusy()) return;
                h->Release(*m_pView);
                PlaySound(kGoTravelSound);
                Wait(kTravelPauseMs);
                TravelTo(m_pLitWorld->m_nId);
            } else {
                PlaySound(kGoRefusedSound);
                FlashWorlds();
            }
            return;
        case kOpenId:
            PlaySound(kOpenId + 1);
            if (m_pView->OpenSession()) m_pView->SessionEdit().Show(true);
            h->Release(*m_pView);
            return;
        case kHelpId:
            h->Release(*m_pView);
            PlaySound(kHelpId + 1);
            if (IsRecorderBusy()) {
                engine.PlayGeneralSound(kRefusalSound);
                return;
            }
            if (m_pPalette) ToggleRecordPalette();  // not recording, so this closes it
            ShowHelp();
            return;
        case kQuitId:
            PlaySound(kQuitId + 1);
            h->Release(*m_pView);
            m_pView->QuitProgram();
            return;
        case kRecordId:
            FlashRecordSparks(0);
            ToggleRecordPalette();
            return;
        default:
            break;
    }
    CThreeImageButton* world = AsWorld(h);
    if (world == nullptr) return;
    RestoreWorldImages();
    const int loop = world->m_nId + 2;
    if (engine.IsLoopPlaying(loop)) {
        engine.StopLoop(loop);
        if (world == m_pChosenWorld) m_pChosenWorld = nullptr;
        m_bImagesSwapped = 0;
    } else {
        ChooseWorld(world);
        world->SwapImages(1, 2);
        m_bImagesSwapped = 1;
        plat::TraceLine("hub swap %d", world->m_nId);
        engine.StopLoop(m_nLoopId);
        m_nLoopId = loop;
        engine.StartLoop(loop);
    }
    RecordClick(x, y);
}

void CCenterScene::OnKeyUp(int key, uint32_t flags) {
    if (key == plat::vk::kTab) {
        if (m_bHelpShown)
            Engine().PlayGeneralSound(kRefusalSound);
        else
            ToggleRecordPalette();
        return;
    }
    CScene::OnKeyUp(key, flags);
}

void CCenterScene::OnTimer(int id) {
    if (id >= kSparkleSlowTimer && id <= kSparkleFastTimer + 1) {
        SparkleTick();
        return;
    }
    Engine().StopSound(id);
    if (id == kRecordId) {
        if (CDIBButton* record = FindHotspot(kRecordId)) record->Release(*m_pView);
    }
    if (id == kHelpBlinkTimer && m_bHelpShown) {
        HelpBlink();
        return;
    }
    m_pView->KillTimer(id);
}

// --- Menu ---

void CCenterScene::OnMenuCommand(int code) {
    CSoundEngine& engine = Engine();
    switch (code) {
        case 1: case 2: case 3: case 4: case 5:
            engine.SetVolumeLevel(code);
            if (m_pPalette) m_pPalette->SetVolumeKnob(code);
            break;
        case 10: {
            // The chosen world's loop pauses for the About tune and goes on
            // afterwards; a loop that was not playing stays silent.
            const bool wasPlaying = engine.IsLoopPlaying(m_nLoopId) != 0;
            if (wasPlaying) engine.StopLoop(m_nLoopId);
            const int tune = kFirstAboutLoop + audio::ProgramRandom().Choose(kAboutTunes);
            engine.StartLoop(tune);
            m_pView->ShowAbout();
            engine.StopLoop(tune);
            if (wasPlaying) engine.StartLoop(m_nLoopId);
            break;
        }
        case 20: m_pView->NewSession(); break;
        case 30: m_pView->OpenSession(); break;
        case 40: case 50: m_pView->SaveSession(); break;
        case 60: m_pView->QuitProgram(); break;
        default: break;
    }
}

void CCenterScene::SetMenuVolumeLevel(int level) {
    if (m_pMenuPanel) m_pMenuPanel->m_nVolumeLevel = level;
}
