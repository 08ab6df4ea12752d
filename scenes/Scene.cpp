#include "scenes/Scene.h"

#include "app/PlinkpadView.h"
#include "audio/SoundEngine.h"
#include "graphics/DIBButton.h"
#include "graphics/StageOrigin.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/window/Keys.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"

namespace {

constexpr int kRolloverEvent = 1;
constexpr int kPressEvent = 2;
constexpr int kClickEvent = 3;
constexpr int kKeyDownEvent = 4;
constexpr int kKeyUpEvent = 5;

constexpr int kRefusalSound = 30;
constexpr int kPaletteOpenSound = 82;
constexpr uint32_t kTriggerFlashMs = 100;

bool IsLetter(int key) { return key >= plat::vk::kA && key <= plat::vk::kA + 25; }

}  // namespace

CScene::CScene(CPlinkpadView* view) : m_pView(view) {}

CScene::~CScene() {
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

void CScene::OnPlaybackEnded() {
    const plat::WindowSystem& keys = m_pView->System();
    m_bShift = keys.IsKeyDown(plat::vk::kShift) ? 1 : 0;
    m_bCtrl = keys.IsKeyDown(plat::vk::kControl) ? 1 : 0;
}
