#include "app/PlinkpadView.h"

#include <utility>

#include "app/PlinkpadApp.h"
#include "app/SceneTable.h"
#include "audio/Random.h"
#include "audio/SoundEngine.h"
#include "graphics/AppPalette.h"
#include "graphics/Cursors.h"
#include "graphics/DIB.h"
#include "graphics/StageOrigin.h"
#include "platform/Host.h"
#include "platform/window/EditControl.h"
#include "platform/window/Keys.h"
#include "platform/window/WindowSystem.h"
#include "recording/RecordPalette.h"
#include "recording/Session.h"
#include "scenes/Scene.h"

namespace {

// The hub's stage: the splash and the edit box are placed on it.
constexpr int kHubStageWidth = 610;
constexpr int kHubStageHeight = 465;
constexpr uint32_t kSplashMinimumMs = 2500;
// Polls for the end of a modal dialog before a deferred scene switch. Scene
// timers use sound ids (below 32001) and the hub's 992..994 and 1234.
constexpr int kDeferredSwitchTimer = 40000;
constexpr uint32_t kDeferredSwitchPollMs = 10;

struct GeneralSound {
    int id;
    const char* file;
};
constexpr GeneralSound kGeneralSounds[] = {
    {50, "Warning.wav"}, {40, "Save.wav"},  {30, "Nonono.wav"}, {10, "Cancel.wav"}, {20, "Close.wav"},
    {60, "Navup.wav"},   {70, "Nav_c.wav"}, {80, "Recup.wav"},  {82, "Rec_c.wav"},  {90, "Zz_c.wav"},
};

}  // namespace

CPlinkpadView::CPlinkpadView(plat::WindowSystem& system)
    : SceneHost(system),
      m_pEngine(std::make_unique<CSoundEngine>(TheApp().m_nRandomSeed.value_or(audio::CurrentTimeSeconds()))),
      m_pSession(std::make_unique<CSession>(nullptr, nullptr, this, [] { return audio::ProgramRandom().Next(); })),
      m_sceneFactory(MakeScene),
      m_paletteFactory(NewRecordPalette) {
    m_pEngine->SetTimerTarget(this);
    plat::AudioConfig config = m_pEngine->AudioConfig();
    config.bufferFrames = TheApp().m_nAudioBufferFrames;
    if (TheApp().m_nAudioRate > 0) config.sampleRate = TheApp().m_nAudioRate;
    m_pEngine->SetAudioConfig(config);
}

CPlinkpadView::~CPlinkpadView() {
    // The scene first: its closing palette still talks to the session and
    // removes its sounds from the engine.
    m_pScene.reset();
    m_pEngine.reset();
    m_pSession.reset();
    m_editSession.reset();
    Destroy();
}

bool CPlinkpadView::CreateView(plat::Window& frame) {
    plat::WindowParams params;
    params.style = plat::WindowStyle::Child;
    params.parent = &frame;
    params.rect = frame.ClientRect();
    params.visible = true;
    if (!Create(params)) return false;
    SetFocus();
    return true;
}

bool CPlinkpadView::OnCreate() {
    // The edit box sits on the hub's stage; the hub shows it.
    const int a = (ClientRect().Width() - kHubStageWidth) / 2;
    const int b = (ClientRect().Height() - kHubStageHeight) / 2;
    plat::EditStyle style;
    style.centred = true;
    style.whiteOnBlack = true;
    m_editSession = std::make_unique<plat::EditControl>(System(), style);
    if (!m_editSession->CreateChild(*this, plat::Rect{a + 260, b + 436, a + 500, b + 456}, false)) return false;
    m_editSession->SetText("New Session");
    return true;
}

std::unique_ptr<ScenePalette> CPlinkpadView::MakeRecordPalette(CScene& scene) {
    if (!m_paletteFactory) return nullptr;
    return m_paletteFactory(*this, scene);
}

void CPlinkpadView::OnPaint(plat::DeviceContext& dc) {
    if (!m_pScene) {
        if (!m_bSplashDone) {
            m_bSplashDone = true;
            m_bEnterPending = 0;
            RunSplash(dc);
        }
        return;
    }
    if (m_bEnterPending) {
        m_bEnterPending = 0;
        m_pScene->Enter(dc);
    } else {
        m_pScene->Paint(dc);
    }
}

void CPlinkpadView::RunSplash(plat::DeviceContext& dc) {
    CDIB splash;
    splash.Load(TheApp().m_strCDDrive + ":\\plinkpad\\assets\\all\\heronix.bmp");
    TheStageOrigin() = StageOrigin{(ClientRect().Width() - kHubStageWidth) / 2,
                                   (ClientRect().Height() - kHubStageHeight) / 2};
    // The picture brings its own colours: realise them before drawing it.
    SetAppPalette(splash.CreatePalette());
    if (const plat::Palette* palette = TheAppPalette()) {
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    splash.Draw(dc, TheStageOrigin().x, TheStageOrigin().y);

    plat::Clock& clock = System().GetClock();
    const uint32_t start = clock.NowMs();
    if (m_pEngine->Create()) LoadGeneralSounds();
    LoadCursors();
    const uint32_t spent = uint32_t(clock.NowMs() - start);
    if (spent < kSplashMinimumMs) System().BusyWait(kSplashMinimumMs - spent);

    m_pScene = m_sceneFactory(*this, 0);
    if (!m_pScene) return;
    plat::TraceLine("scene 0");

    // Hold the pointer on the cover's start control until the hub lets it go.
    const plat::Point corner = ClientToDesktop({TheStageOrigin().x + 291, TheStageOrigin().y + 408});
    const plat::Rect clip = plat::Rect::FromSize(corner.x, corner.y, 2, 2);
    System().ClipCursor(&clip);
    System().SetCursorPos({corner.x, corner.y + 1});
    m_pScene->DrawCover(dc);
}

void CPlinkpadView::LoadGeneralSounds() {
    if (!m_pEngine->IsReady()) return;
    const std::string folder = TheApp().m_strCDDrive + ":\\plinkpad\\assets\\all\\Gen_wavs\\";
    for (const GeneralSound& g : kGeneralSounds) {
        auto sound = std::make_unique<CSound>(m_pEngine.get(), g.id);
        sound->Load(folder + g.file);
        m_pEngine->AddGeneralSound(std::move(sound));
    }
}

void CPlinkpadView::LoadCursors() {
    m_bCursorsLoaded = true;
    SetCursorKind(1);
}

void CPlinkpadView::SetCursorKind(int kind) {
    if (kind >= 1 && kind <= kCursorKinds && kind != m_nCursorKind) {
        m_nCursorKind = kind;
        plat::TraceLine("cursor %d", kind);
    }
    if (m_bCursorsLoaded) System().SetCursor(&AppCursor(m_nCursorKind));
}

void CPlinkpadView::OnMouseMove(int x, int y) {
    if (m_pScene) m_pScene->OnMouseMove(x, y);
}

void CPlinkpadView::OnLButtonDown(int x, int y) {
    if (m_pScene) m_pScene->OnLButtonDown(x, y);
}

void CPlinkpadView::OnLButtonUp(int x, int y) {
    if (m_pScene) m_pScene->OnLButtonUp(x, y);
}

void CPlinkpadView::OnKeyDown(int key, uint32_t flags) {
    if (m_pScene) m_pScene->OnKeyDown(key, flags);
}

void CPlinkpadView::OnKeyUp(int key, uint32_t flags) {
    if (m_pScene) m_pScene->OnKeyUp(key, flags);
}

void CPlinkpadView::OnFocus(bool gained) {
    // Keys let go while another window has the keyboard never come here: the
    // scene lets go of Shift and Ctrl now, as their release would (a
    // recording notes it), or a later plain Q would quit.
    if (gained || !m_pScene) return;
    if (m_pScene->m_bShift) m_pScene->OnKeyUp(plat::vk::kShift, 0);
    if (m_pScene->m_bCtrl) m_pScene->OnKeyUp(plat::vk::kControl, 0);
    m_pScene->m_bShift = m_pScene->m_bCtrl = 0;
}

void CPlinkpadView::OnTimer(int id) {
    if (id == kDeferredSwitchTimer) {
        if (System().IsModalRunning()) return;
        KillTimer(id);
        const int number = *m_nDeferredScene;
        m_nDeferredScene.reset();
        SwitchScene(number);
        return;
    }
    if (m_pScene) m_pScene->OnTimer(id);
}

intptr_t CPlinkpadView::OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    (void)lParam;
    switch (msg) {
        case kSceneReady:
            OnSceneReady();
            return 1;
        case kSwitchScene:
            // A modal dialog's loop also dispatches posted messages, and the
            // scene that opened the dialog is still inside its handler (an
            // About box, a session command's question or file chooser while a
            // playback asks for another world). Deleting it now would pull the
            // scene from under that handler: switch once the dialog has closed.
            if (System().IsModalRunning()) {
                m_nDeferredScene = static_cast<int>(wParam);
                SetTimer(kDeferredSwitchTimer, kDeferredSwitchPollMs);
                return 1;
            }
            SwitchScene(static_cast<int>(wParam));
            return 1;
        default:
            return 0;
    }
}

void CPlinkpadView::OnSceneReady() {
    if (!m_pScene) return;
    m_pScene->LoadHotspots();
    if (m_bReopenPalette) m_pScene->ToggleRecordPalette();
    if (m_pScene->m_nScene == 0 && !m_strOpenOnArrival.empty()) OpenSessionFile(std::exchange(m_strOpenOnArrival, {}));
}

void CPlinkpadView::SwitchScene(int number) {
    if (m_pScene && m_pScene->m_nScene == 0) m_editSession->Show(false);
    m_pScene.reset();
    m_pEngine->Clear();
    m_bEnterPending = 1;
    m_pScene = m_sceneFactory(*this, number);
    if (!m_pScene && number != 0) {
        // Never leave a blank, dead screen: a number outside 0..5 falls back
        // to the hub. A playback that asked for it cannot go on there: it
        // ends, or the hub's palette would ask for the same world again,
        // round and round.
        if (m_bReopenPalette) {
            m_bReopenPalette = 0;
            m_nResumeCut = 0;
            m_pSession->StopPlayback();
        }
        number = 0;
        m_pScene = m_sceneFactory(*this, number);
    }
    if (m_pScene) plat::TraceLine("scene %d", number);
    Invalidate();
}

const std::string& CPlinkpadView::CDDrive() const { return TheApp().m_strCDDrive; }
const std::string& CPlinkpadView::HomeDir() const { return TheApp().m_strHomeDir; }
const std::string& CPlinkpadView::AudioDir() const { return TheApp().m_strAudioDir; }

void CPlinkpadView::SetSoundTimer(int id, uint32_t periodMs) { SetTimer(id, periodMs); }

void CPlinkpadView::ResumeInWorld(int world, int resumeCut) {
    m_bReopenPalette = 1;
    m_nResumeCut = resumeCut;
    Post(kSwitchScene, static_cast<uintptr_t>(world));
}
