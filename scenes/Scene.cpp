#include "scenes/Scene.h"

#include "audio/SoundEngine.h"
#include "graphics/AppPalette.h"
#include "graphics/DIB.h"
#include "graphics/DIBButton.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/StageOrigin.h"
#include "platform/Host.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/window/Keys.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"
#include "scenes/NavBar.h"
#include "scenes/NavBarTable.h"

namespace {

constexpr int kRolloverEvent = 1;
constexpr int kPressEvent = 2;
constexpr int kClickEvent = 3;
constexpr int kKeyDownEvent = 4;
constexpr int kKeyUpEvent = 5;

constexpr int kRefusalSound = 30;
constexpr int kPaletteOpenSound = 82;
constexpr int kModeSwitchSound = 90;
constexpr uint32_t kTriggerFlashMs = 100;

// Cursor kinds.
constexpr int kArrowCursor = 1;
constexpr int kHotCursor = 2;
constexpr int kControlCursor = 3;

bool IsLetter(int key) { return key >= plat::vk::kA && key <= plat::vk::kA + 25; }

}  // namespace

CScene::CScene(SceneHost* view) : m_pView(view) {}

CScene::~CScene() {
    m_pNavBar.reset();
    if (m_pPalette) ClosePalette();
    m_pClosedPalette.reset();
    m_pBackground.reset();
    m_pHoverHotspot = nullptr;
    m_pLastHotspot = nullptr;
    m_hotspots.clear();
    m_keyMap = {};
    if (m_pBackDC) m_pBackDC->SelectBitmap(nullptr);
    m_pBackDC.reset();
    m_pBackBitmap.reset();
}

void CScene::ClosePalette() {
    m_pPalette->Close();
    // The palette may be running one of its own handlers right now (Tab in
    // the palette closes it), so the object itself is freed later.
    m_pClosedPalette = std::move(m_pPalette);
}

CDIBButton* CScene::HitTest(int x, int y) {
    const StageOrigin& origin = TheStageOrigin();
    if (x < origin.x || y < origin.y) return nullptr;
    for (const std::unique_ptr<CDIBButton>& h : m_hotspots)
        if (h->HitTest(x, y)) return h.get();
    return nullptr;
}

CDIBButton* CScene::FindHotspot(int id) {
    for (const std::unique_ptr<CDIBButton>& h : m_hotspots)
        if (h->m_nId == id) return h.get();
    return nullptr;
}

bool CScene::RecorderRecording() const {
    const CSession* session = m_pView->Session();
    return m_pPalette != nullptr && session != nullptr && session->IsRecording();
}

bool CScene::RecorderPlaying() const {
    const CSession* session = m_pView->Session();
    return m_pPalette != nullptr && session != nullptr && session->IsPlaying();
}

bool CScene::IsRecorderBusy() { return RecorderRecording() || RecorderPlaying(); }
bool CScene::IsRecording() { return RecorderRecording(); }
bool CScene::IsPlayingBack() { return RecorderPlaying(); }

void CScene::Record(int kind, int a, int b) {
    if (RecorderRecording()) m_pPalette->RecordEvent(kind, a, b);
}

void CScene::RecordRollover(int x, int y) { Record(kRolloverEvent, x, y); }
void CScene::RecordClick(int x, int y) { Record(kClickEvent, x, y); }
void CScene::RecordPress(int x, int y) { Record(kPressEvent, x, y); }
void CScene::RecordKeyUp(int key) { Record(kKeyUpEvent, key, 0); }
void CScene::RecordKeyDown(int key) { Record(kKeyDownEvent, key, 0); }

void CScene::TriggerHotspot(int id) {
    CDIBButton* h = FindHotspot(id);
    std::optional<int> sound = TriggerSoundFor(id);
    if (h == nullptr) return;
    h->Press(*m_pView);
    if (CSoundEngine* engine = m_pView->Engine()) {
        if (sound)
            engine->PlaySound(*sound, 0);
        else
            engine->PlayRandomMisc();
    }
    m_pView->System().BusyWait(kTriggerFlashMs);
    h->Release(*m_pView);
}

void CScene::ToggleWaitCursor() { m_pView->SetCursorKind(m_pView->CursorKind() == 4 ? 5 : 4); }

void CScene::ToggleRecordPalette() {
    if (m_pPalette) {
        if (IsRecording()) return;  // a recording is never cut short by closing
        ClosePalette();
        return;
    }
    m_pClosedPalette.reset();
    if (CSoundEngine* engine = m_pView->Engine()) engine->PlayGeneralSound(kPaletteOpenSound);
    m_pPalette = m_pView->MakeRecordPalette(*this);
    CSession* session = m_pView->Session();
    if (m_pPalette && m_pPalette->Open()) {
        if (session != nullptr) session->Attach(this, m_pPalette.get());
    } else {
        m_pPalette.reset();
    }
}

void CScene::OnHotspotLeave(CDIBButton*) {}
void CScene::UpdateCursor(CDIBButton*) {}
void CScene::Enter(plat::DeviceContext&) {}
void CScene::Paint(plat::DeviceContext&) {}
void CScene::OnTimer(int) {}
void CScene::OnMouseMove(int, int) {}
void CScene::OnLButtonUp(int, int) {}
void CScene::OnLButtonDown(int, int) {}
int CScene::LoadHotspots() { return 0; }
void CScene::DrawCover(plat::DeviceContext&) {}
void CScene::ShowHelp() {}
void CScene::SetMenuVolumeLevel(int) {}
void CScene::DrawExtras(plat::DeviceContext&) {}

void CScene::DrawBackdrop(plat::DeviceContext& backBuffer) {
    if (!m_pBackground) return;
    plat::DeviceContext source(backBuffer.GetDisplay());
    source.SelectBitmap(m_pBackground.get());
    backBuffer.BitBlt(0, 0, m_pBackBitmap->Width(), m_pBackBitmap->Height(), source, 0, 0, plat::Rop::Copy);
}

void CScene::StopLoop() {
    CSoundEngine* engine = m_pView->Engine();
    if (engine != nullptr && engine->IsLoopPlaying(m_nLoopId)) engine->StopLoop(m_nLoopId);
}

std::optional<int> CScene::BoundId(char letter) const {
    if (letter < 'A' || letter > 'Z') return std::nullopt;
    return m_keyMap[static_cast<size_t>(letter - 'A')];
}

void CScene::OnHelpKey() {
    if (IsRecorderBusy()) {
        if (CSoundEngine* engine = m_pView->Engine()) engine->PlayGeneralSound(kRefusalSound);
        return;
    }
    if (m_nScene != 0) {
        // The hub opens its help screen when it is entered with this flag.
        m_pView->m_bReturnToCenter = 1;
        m_pView->Post(kSwitchScene, 0);
    } else {
        ShowHelp();
    }
}

void CScene::OnKeyDown(int key, uint32_t) {
    if (m_bCtrl) {
        switch (key) {
            case 'N': m_pView->NewSession(); break;
            case 'O': m_pView->OpenSession(); break;
            case 'S': m_pView->SaveSession(); break;
            case 'Q': m_pView->QuitProgram(); break;
            case 'H': OnHelpKey(); break;
            default: break;
        }
        return;
    }
    if (IsLetter(key)) {
        if (IgnoresLetters()) return;
        RecordKeyDown(key);
        std::optional<int>& binding = m_keyMap[static_cast<size_t>(key - plat::vk::kA)];
        if (m_bShift && m_pLastHotspot != nullptr)
            binding = m_pLastHotspot->m_nId;
        else if (binding)
            TriggerHotspot(*binding);
        return;
    }
    switch (key) {
        case plat::vk::kShift:
            RecordKeyDown(key);
            m_bShift = 1;
            break;
        case plat::vk::kControl:
            RecordKeyDown(key);
            m_bCtrl = 1;
            break;
        case plat::vk::k0 + 1:
            if (m_bShift) {
                RecordKeyDown(key);
                if (CSoundEngine* engine = m_pView->Engine()) engine->ToggleMute();
            }
            break;
        case plat::vk::kHelp:
            OnHelpKey();
            break;
        default:
            break;
    }
}

void CScene::OnKeyUp(int key, uint32_t) {
    switch (key) {
        case plat::vk::kTab:
            ToggleRecordPalette();
            break;
        case plat::vk::kShift:
            RecordKeyUp(key);
            m_bShift = 0;
            break;
        case plat::vk::kControl:
            RecordKeyUp(key);
            m_bCtrl = 0;
            break;
        default:
            break;
    }
}

// --- Shared by the hub and the worlds ---

void CScene::SetFolders(const std::string& world, const std::string& images, const std::string& masks,
                        const std::string& audio) {
    const std::string disc = m_pView->CDDrive() + ":\\plinkpad\\Assets\\" + world + "\\";
    const std::string home = m_pView->HomeDir() + "\\Assets\\" + world + "\\";
    m_strDiscImageDir = disc + images + "\\";
    m_strDiscMaskDir = disc + masks + "\\";
    m_strDiscAudioDir = disc + audio + m_pView->AudioDir();
    m_strHomeImageDir = home + images + "\\";
    m_strHomeMaskDir = home + masks + "\\";
    m_strHomeAudioDir = home + audio + "\\";
}

void CScene::SetStageSize(int width, int height) {
    m_nStageWidth = m_nBackWidth = width;
    m_nStageHeight = m_nBackHeight = height;
    const plat::Rect client = m_pView->ClientRect();
    TheStageOrigin() = StageOrigin{(client.Width() - width) / 2, (client.Height() - height) / 2};
}

void CScene::SetBackBufferSize(int width, int height) {
    m_nBackWidth = width;
    m_nBackHeight = height;
}

CDIB* CScene::LoadImage(const std::string& name) const {
    auto* dib = new CDIB;
    dib->Load(m_strHomeImageDir, m_strDiscImageDir, name);
    return dib;
}

CDIB* CScene::LoadMask(const std::string& name) const {
    auto* dib = new CDIB;
    dib->Load(m_strHomeMaskDir, m_strDiscMaskDir, name);
    return dib;
}

CDIB* CScene::LoadSharedMask(const std::string& name) const {
    auto* dib = new CDIB;
    dib->Load(NavMaskFolder(m_pView->CDDrive()) + name);
    return dib;
}

CSoundEngine& CScene::Engine() const { return *m_pView->Engine(); }

void CScene::PlaySound(int id, int withTimer) { Engine().PlaySound(id, withTimer); }

void CScene::LoadSound(int id, const std::string& file, int pan, bool random) {
    CSoundEngine& engine = Engine();
    auto sound = std::make_unique<CSound>(&engine, id);
    sound->LoadFrom(m_strHomeAudioDir, m_strDiscAudioDir, file);
    if (pan != 0) sound->SetPan(pan);
    if (random)
        engine.AddRandomSound(std::move(sound));
    else
        engine.AddSound(std::move(sound));
}

void CScene::AddLoop(const std::string& file, int id, int pan) { Engine().AddLoop(m_strDiscAudioDir + file, id, pan); }

void CScene::Wait(uint32_t ms) { m_pView->System().BusyWait(ms); }

void CScene::RedrawNow(const plat::Rect* area) {
    m_pView->Invalidate(area);
    m_pView->UpdateNow();
}

void CScene::EndTimedSound(int id) {
    m_pView->KillTimer(id);
    if (CDIBButton* h = FindHotspot(id)) UnlightSpot(h);
    Engine().StopSound(id);
}

void CScene::LightSpot(CDIBButton* h) {
    const int was = h->m_bLit;
    h->Press(*m_pView);
    if (!was && h->m_bLit) plat::TraceLine("spot lit %d", h->m_nId);
}

void CScene::EnterModeSwitch(CDIBButton* h, int mode) {
    Engine().PlayGeneralSound(kModeSwitchSound);
    const int was = h->m_bLit;
    static_cast<CMultiUpstateButton*>(h)->PressLevel(*m_pView, mode ? 2 : 1, 1);
    if (!was && h->m_bLit) plat::TraceLine("spot lit %d", h->m_nId);
}

void CScene::FlipModeSwitch(CDIBButton* h, int& mode, const char* name) {
    mode = !mode;
    EnterModeSwitch(h, mode);
    plat::TraceLine("%s %s", name, mode ? "on" : "off");
}

void CScene::SweepSpot(int id, uint32_t ms) {
    CDIBButton* h = FindHotspot(id);
    if (h == nullptr) return;
    LightSpot(h);
    PlaySound(id);
    Wait(ms);
    UnlightSpot(h);
}

void CScene::UnlightSpot(CDIBButton* h) {
    const int was = h->m_bLit;
    h->Release(*m_pView);
    if (was && !h->m_bLit) plat::TraceLine("spot unlit %d", h->m_nId);
}

void CScene::InstallPalette(const CDIB& dib, plat::DeviceContext& dc) {
    SetAppPalette(dib.CreatePalette());
    dc.SelectPalette(TheAppPalette());
    dc.RealizePalette();
}

void CScene::ShowBackground(CDIB& dib, plat::DeviceContext& dc) {
    m_pBackground = CDIBButton::MakeBitmap(&dib, 0);
    if (!m_pBackground) return;
    plat::DeviceContext source(dc.GetDisplay());
    source.SelectBitmap(m_pBackground.get());
    dc.BitBlt(TheStageOrigin().x, TheStageOrigin().y, m_nBackWidth, m_nBackHeight, source, 0, 0, plat::Rop::Copy);
}

void CScene::CreateBackBuffer(int width, int height) {
    if (m_pBackDC) m_pBackDC->SelectBitmap(nullptr);
    m_pBackBitmap = std::make_unique<plat::Bitmap>(width > 0 ? width : m_nBackWidth,
                                                   height > 0 ? height : m_nBackHeight, 8);
    m_pBackDC = std::make_unique<plat::DeviceContext>(m_pView->System().GetDisplay());
    m_pBackDC->SelectBitmap(m_pBackBitmap.get());
}

void CScene::EnterStage(plat::DeviceContext& dc, const std::string& file) {
    CDIB background;
    background.Load(m_strHomeImageDir, m_strDiscImageDir, file);
    InstallPalette(background, dc);
    // The view's background is black: nothing of the last scene stays
    // around a smaller stage.
    if (const plat::Palette* palette = TheAppPalette())
        dc.FillRect(m_pView->ClientRect(), static_cast<uint8_t>(palette->NearestIndex(plat::Rgb{0, 0, 0})));
    ShowBackground(background, dc);
    CreateBackBuffer();
    m_pView->Post(kSceneReady);
}

int CScene::LoadWorld(std::span<const SpotSpec> spots, std::span<const SoundSpec> sounds,
                      std::span<const LoopSpec> loops) {
    LoadWorldContents(spots, sounds, loops);
    PlayIntro();
    m_pView->SetCursorKind(1);
    return 1;
}

void CScene::LoadWorldContents(std::span<const SpotSpec> spots, std::span<const SoundSpec> sounds,
                               std::span<const LoopSpec> loops) {
    m_pView->SetCursorKind(4);
    BuildWorldHotspots(spots);
    m_pNavBar = MakeNavBar(*this);
    ToggleWaitCursor();
    LoadExtras();
    if (Engine().IsReady()) {
        LoadSounds(*this, sounds);
        RegisterLoops(*this, loops);
    }
    m_bNotReady = 0;
    RedrawNow();
}

void CScene::BuildWorldHotspots(std::span<const SpotSpec> spots) { BuildHotspots(*this, spots); }
void CScene::LoadExtras() {}
void CScene::PlayIntro() {}

void CScene::PaintStage(plat::DeviceContext& dc) {
    if (m_bNotReady || !m_pBackDC) return;
    dc.SelectPalette(TheAppPalette());
    dc.RealizePalette();
    const int w = m_pBackBitmap->Width(), h = m_pBackBitmap->Height();
    DrawBackdrop(*m_pBackDC);
    for (const std::unique_ptr<CDIBButton>& spot : m_hotspots) spot->Draw(*m_pBackDC, 0);
    DrawExtras(*m_pBackDC);
    if (m_pNavBar && m_pNavBar->m_bOpen) m_pNavBar->Draw(*m_pBackDC, 0);
    dc.BitBlt(TheStageOrigin().x, TheStageOrigin().y, w, h, *m_pBackDC, 0, 0, plat::Rop::Copy);
}

bool CScene::NavBarTakesMove(int x, int y) {
    if (!m_pNavBar || IsRecorderBusy()) return false;
    CNavBar& bar = *m_pNavBar;
    if (bar.m_bOpen) {
        bar.Hover(x, y);
        return true;
    }
    if (bar.HitTestToggle(x, y)) {
        if (!bar.m_bLit) bar.Light(*m_pView);
    } else if (bar.m_bLit) {
        bar.Unlight(*m_pView);
    }
    return false;
}

bool CScene::NavBarTakesClick(int x, int y) {
    if (!m_pNavBar || IsRecorderBusy()) return false;
    CNavBar& bar = *m_pNavBar;
    if (bar.HitTestToggle(x, y)) {
        if (bar.m_bOpen) {
            bar.m_bOpen = 0;
            plat::TraceLine("nav close");
            bar.Unlight(*m_pView);
        } else {
            bar.m_bOpen = 1;
            plat::TraceLine("nav open");
        }
        return true;
    }
    if (bar.m_bOpen) {
        bar.Click(x, y);
        return true;
    }
    return false;
}

void CScene::SetWorldCursor(CDIBButton* hotspot, int controlId) {
    if (hotspot == nullptr) {
        if (m_pView->CursorKind() != kArrowCursor) m_pView->SetCursorKind(kArrowCursor);
    } else {
        m_pView->SetCursorKind(hotspot->m_nId == controlId ? kControlCursor : kHotCursor);
    }
}

void CScene::SwitchLoop(int firstLoop, int lastLoop, int startSound, int stopSound) {
    CSoundEngine& engine = Engine();
    if (engine.IsLoopPlaying(m_nLoopId)) {
        engine.StopLoop(m_nLoopId);
        PlaySound(stopSound);
        return;
    }
    PlaySound(startSound);
    StepLoopId(firstLoop, lastLoop);
    engine.StartLoop(m_nLoopId);
}

int CScene::NextLoopId(int current, int first, int last) const {
    if (m_bCtrl) return current == first ? last : current - 1;
    return current == last ? first : current + 1;
}

void CScene::StepLoopId(int first, int last) { m_nLoopId = NextLoopId(m_nLoopId, first, last); }

void CScene::OnPlaybackEnded() {
    const plat::WindowSystem& keys = m_pView->System();
    m_bShift = keys.IsKeyDown(plat::vk::kShift) ? 1 : 0;
    m_bCtrl = keys.IsKeyDown(plat::vk::kControl) ? 1 : 0;
}
