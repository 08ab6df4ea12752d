#include "recording/RecordPalette.h"

#include <algorithm>
#include <cstdio>

#include "audio/Random.h"
#include "audio/SoundEngine.h"
#include "graphics/AppPalette.h"
#include "graphics/Cursors.h"
#include "graphics/DIB.h"
#include "graphics/MultiUpstateButton.h"
#include "graphics/SimpleButton.h"
#include "platform/Host.h"
#include "platform/window/Keys.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"

namespace {

constexpr uint32_t kBuildMessage = 0x401;  // WM_USER+1 on the palette's window
constexpr int kRefusalSound = 30;
constexpr uint32_t kFlashMs = 100;  // each light of the waiting flash
constexpr int kDefaultCursor = 1;
constexpr int kPaletteCursor = 7;
// Where the full palette first opens, and the compact palette's client area,
// which holds the pointer while a cut plays (only Stop can be reached).
constexpr plat::Point kFirstPosition{20, 20};
constexpr plat::Rect kPlaybackClip{0, 30, 130, 65};

// The disc's asset tree; the install copy lies under home + "\Assets\".
constexpr std::string_view kDiscAssets = ":\\plinkpad\\assets\\";

struct WorldSkin {
    const char* folder;  // on the disc, after the drive letter
    const char* prefix;  // of every button picture
    const char* fullBack;
    const char* compactBack;
    const char* cutName;  // printf format of a new recording's name
};
constexpr WorldSkin kSkins[] = {
    {":\\plinkpad\\assets\\center\\recpal\\", "Ce", "Cepaback.bmp", "Cebkgd2.bmp", "Center.%d"},
    {":\\plinkpad\\assets\\star\\recpal\\", "St", "Stpaback.bmp", "Stbkgd2.bmp", "Star.%d"},
    {":\\plinkpad\\assets\\day\\recpal\\", "Da", "Dabkgdbw.bmp", "Dabkgd2.bmp", "Day.%d"},
    {":\\plinkpad\\assets\\kbot\\recpal\\", "Kb", "Kbpaback.bmp", "Kbbkgd2.bmp", "kBot.%d"},
    {":\\plinkpad\\Assets\\troid\\recpal\\", "tr", "trbkgrnd.bmp", "trbkgd2.bmp", "Troid.%d"},
    {":\\plinkpad\\assets\\GAMA\\recpal\\", "Ga", "Gabkgdbw.bmp", "Gabkgd2.bmp", "Gama.%d"},
};
constexpr const char* kMaskFolder = ":\\plinkpad\\assets\\all\\masks\\RecPal\\";
constexpr const char* kWavFolder = ":\\plinkpad\\assets\\all\\Rec_wavs\\";

const WorldSkin& SkinOf(int world) { return kSkins[world >= 0 && world < 6 ? world : 0]; }

// The install-directory twin of a disc folder text.
std::string HomeFolder(const std::string& home, std::string_view discFolder) {
    return home + "\\Assets\\" + std::string(discFolder.substr(kDiscAssets.size()));
}

struct SimpleEntry {
    int id;
    plat::Point at;
    const char* picture;
    const char* mask;
};
constexpr SimpleEntry kFullTracksAndPads[] = {
    {2, {55, 10}, "p03up.bmp", "p03mk.bmp"},   {3, {73, 36}, "p04up.bmp", "p04mk.bmp"},
    {4, {61, 62}, "p05up.bmp", "p05mk.bmp"},   {5, {31, 61}, "p06up.bmp", "p06mk.bmp"},
    {6, {12, 37}, "p07up.bmp", "p07mk.bmp"},   {7, {27, 9}, "p08up.bmp", "p08mk.bmp"},
    {12, {11, 110}, "p13up.bmp", "p13mk.bmp"}, {13, {45, 110}, "p14up.bmp", "p13mk.bmp"},
    {14, {79, 110}, "p15up.bmp", "p13mk.bmp"},
};
constexpr SimpleEntry kCompactEntries[] = {
    {2, {10, 6}, "p16up.bmp", "p03mk.bmp"}, {3, {21, 7}, "p17up.bmp", "p03mk.bmp"},
    {4, {31, 6}, "p16up.bmp", "p03mk.bmp"}, {5, {42, 7}, "p17up.bmp", "p03mk.bmp"},
    {6, {53, 6}, "p16up.bmp", "p03mk.bmp"}, {7, {63, 7}, "p17up.bmp", "p03mk.bmp"},
    {8, {78, 8}, "p09up.bmp", "p09mk.bmp"},
};

struct UpstateEntry {
    int id;
    const char* first;
    const char* second;
    plat::Point secondAt;
    const char* mask;
};
constexpr plat::Point kRecordPlayAt{32, 26};
constexpr UpstateEntry kRecordPlay[] = {
    {0, "p01up.bmp", "p12up.bmp", {13, 71}, "p01mk.bmp"},
    {1, "p02up.bmp", "p11up.bmp", {10, 56}, "p02mk.bmp"},
};

struct PaletteSound {
    int id;
    const char* file;
};
constexpr PaletteSound kSounds[] = {
    {1000, "Restop_c.wav"}, {1001, "Rerec_c.wav"}, {1002, "Recone_c.wav"}, {1003, "Resmall.wav"},
    {1004, "Rerolovr.wav"}, {1005, "Replay_c.wav"}, {1006, "Rebutt_c.wav"},
};

const char* PadText(int id) {
    switch (id) {
        case CRecordPalette::kClearCutId: return "Clear Cut";
        case CRecordPalette::kPlayAllId: return "Play all cuts";
        default: return "Help";
    }
}

bool IsTrack(int id) { return id >= CRecordPalette::kFirstTrackId && id <= CRecordPalette::kLastTrackId; }
bool IsPad(int id) {
    return id == CRecordPalette::kClearCutId || id == CRecordPalette::kPlayAllId || id == CRecordPalette::kHelpId;
}

plat::EditStyle CutBoxStyle() {
    plat::EditStyle style;
    style.border = true;
    return style;
}

}  // namespace

CRecordPalette::CRecordPalette(PaletteHost& view, PaletteScene& scene)
    : plat::Window(view.System()),
      m_pView(&view),
      m_pScene(&scene),
      m_nWorld(scene.SceneNumber()),
      m_edit(view.System(), CutBoxStyle()) {
    const std::string& disc = view.CDDrive();
    const std::string& home = view.HomeDir();
    const WorldSkin& skin = SkinOf(m_nWorld);
    m_strDiscImageDir = disc + skin.folder;
    m_strDiscMaskDir = disc + kMaskFolder;
    m_strDiscWavDir = disc + kWavFolder;
    m_strHomeImageDir = HomeFolder(home, skin.folder);
    m_strHomeMaskDir = HomeFolder(home, kMaskFolder);
    m_strHomeWavDir = HomeFolder(home, kWavFolder);
}

CRecordPalette::~CRecordPalette() { Destroy(); }

std::unique_ptr<ScenePalette> NewRecordPalette(PaletteHost& view, PaletteScene& scene) {
    return std::make_unique<CRecordPalette>(view, scene);
}

// --- Links ---

CSession* CRecordPalette::Session() const { return m_pView->Session(); }
CSoundEngine* CRecordPalette::Engine() const { return m_pView->Engine(); }

void CRecordPalette::PlayPaletteSound(int id) {
    if (CSoundEngine* engine = Engine()) engine->PlaySound(id, 0);
}

void CRecordPalette::PlayRefusal() {
    if (CSoundEngine* engine = Engine()) engine->PlayGeneralSound(kRefusalSound);
}

// --- ScenePalette ---

bool CRecordPalette::Open() {
    const bool resuming = m_pView->m_bReopenPalette != 0;
    plat::WindowParams params;
    params.style = plat::WindowStyle::ToolCaption;
    // A palette that resumes a playback opens compact where compact lives.
    params.rect = resuming ? plat::Rect::FromSize(0, 0, kOuterWidth, kOuterCompactHeight)
                           : plat::Rect::FromSize(kFirstPosition.x, kFirstPosition.y, kOuterWidth, kOuterFullHeight);
    params.title = kTitle;
    params.visible = true;
    params.topmost = true;
    return Create(params);
}

void CRecordPalette::Close() { Destroy(); }

void CRecordPalette::ReselectCut() {
    if (m_pSelected != nullptr) SelectCut(m_pSelected);
}

void CRecordPalette::RecordEvent(int kind, int a, int b) {
    CSession* session = Session();
    if (session == nullptr || session->AddEvent(kind, a, b)) return;
    // The track is full: the recording ends with what it has.
    EndRecording();
}

void CRecordPalette::EndRecording() {
    CSession* session = Session();
    if (session != nullptr && !session->StopRecording()) ShowLabel(m_pSelected);
    SetCompact(false);
}

// --- RecorderPalette ---

void CRecordPalette::ReleaseCursorClip() { System().ClipCursor(nullptr); }
std::string CRecordPalette::CutNameText() const { return m_edit.GetText(); }

void CRecordPalette::ConfineToCompact() { System().ClipCursor(&kPlaybackClip); }

void CRecordPalette::LightTrack(int track) {
    for (const auto& button : m_compactButtons) {
        if (button->m_nId == track + kFirstTrackId) {
            PressOn(button.get());
            m_pLitTrack = button.get();
        } else if (button->m_nId != kStopId) {
            ReleaseOn(button.get());
        }
    }
}

void CRecordPalette::ShowStop() {
    for (const auto& button : m_compactButtons)
        if (button->m_nId == kStopId) PressOn(button.get());
}

void CRecordPalette::SetCompact(bool compact) {
    if (!IsCreated()) return;
    m_pScene->StopLoop();
    PlayPaletteSound(kResizeSound);
    if (compact) {
        m_bCompact = 1;
        SetRect(plat::Rect::FromSize(0, 0, kOuterWidth, kOuterCompactHeight));
        SetTopmost(true);
        Show(true);
        System().SetCursorPos({OuterRect().left, OuterRect().top});
    } else {
        EndFlash();
        if (m_pLitTrack != nullptr) ReleaseOn(m_pLitTrack);
        m_pLitTrack = nullptr;
        m_bCompact = 0;
        const plat::Rect r = OuterRect();
        SetRect(plat::Rect::FromSize(r.left, r.top, kOuterWidth, kOuterFullHeight));
        SetTopmost(true);
    }
}

// --- Buttons ---

bool CRecordPalette::IsOnCompactFace(const CDIBButton* button) const {
    return std::any_of(m_compactButtons.begin(), m_compactButtons.end(),
                       [button](const auto& b) { return b.get() == button; });
}

void CRecordPalette::PressOn(CDIBButton* button) {
    if (button == nullptr) return;
    // A button of the face not shown is only marked lit; it shows when its
    // face is painted.
    if ((m_bCompact != 0) == IsOnCompactFace(button) && IsCreated())
        button->Press(*this);
    else
        button->m_bLit = 1;
}

void CRecordPalette::ReleaseOn(CDIBButton* button) {
    if (button == nullptr) return;
    if ((m_bCompact != 0) == IsOnCompactFace(button) && IsCreated())
        button->Release(*this);
    else if (!button->m_bHeld)
        button->m_bLit = 0;
}

CDIBButton* CRecordPalette::ButtonAt(int x, int y) const {
    for (const auto& button : CurrentButtons())
        if (button->HitTest(x, y)) return button.get();
    return nullptr;
}

CDIBButton* CRecordPalette::FindButton(int id) const {
    if (id == kKnobId) return m_pVolumeKnob.get();
    for (const auto& button : CurrentButtons())
        if (button->m_nId == id) return button.get();
    return nullptr;
}

std::string CRecordPalette::Label(int id) const {
    const CSession* session = Session();
    const SessionCut* cut = session != nullptr ? session->GetCut(id - kFirstTrackId) : nullptr;
    if (cut != nullptr) return cut->name;
    return "Empty Cut." + std::to_string(id - 1);
}

void CRecordPalette::SetBoxText(const std::string& text) {
    m_edit.SetText(text);
    plat::TraceLine("label %s", text.c_str());
}

void CRecordPalette::ShowLabel(const CDIBButton* button) {
    if (button != nullptr) SetBoxText(Label(button->m_nId));
}

void CRecordPalette::SelectCut(CDIBButton* button) {
    if (button == nullptr) return;
    PlayPaletteSound(kTrackSound);
    if (m_pSelected == nullptr) {
        m_pSelected = button;
        button->m_bHeld = 1;
        // Hovering lit it already, unless it was reached without a move.
        if (!button->m_bLit) PressOn(button);
        return;
    }
    CDIBButton* old = m_pSelected;
    // What was typed into the box names the cut of the track left.
    if (CSession* session = Session()) session->RenameCut(old->m_nId - kFirstTrackId, m_edit.GetText());
    old->m_bHeld = 0;
    ReleaseOn(old);
    if (button == old) {
        m_pSelected = nullptr;
        return;
    }
    PressOn(button);
    m_pSelected = button;
    button->m_bHeld = 1;
    ShowLabel(button);
}

void CRecordPalette::SetVolumeKnob(int level) {
    if (!m_pVolumeKnob || level < 1 || level > 5) return;
    CDIBButton& knob = *m_pVolumeKnob;
    // The knob belongs to the full face: drawn only while that shows.
    const bool shown = m_bCompact == 0 && IsCreated();
    if (shown)
        knob.Release(*this);
    else
        knob.m_bLit = 0;
    knob.m_x = 90;
    knob.m_y = 10 * level + 16;
    knob.m_rect = plat::Rect{90, 10 * level + 16, 109, 10 * level + 27};
    if (shown)
        knob.Press(*this);
    else
        knob.m_bLit = 1;
}

// --- Window handlers ---

bool CRecordPalette::OnCreate() {
    return m_edit.CreateChild(*this, plat::Rect{8, 86, 111, 106}, true);
}

void CRecordPalette::OnDestroy() {
    // The session stops what the palette drove while its timers still exist.
    if (CSession* session = Session()) session->OnPaletteClosing();
    KillTimer(CSession::kPlaybackTimer);
    KillTimer(CSession::kFlashTimer);
    m_pSelected = nullptr;
    m_pHover = nullptr;
    m_pLitTrack = nullptr;
    m_pFlashLight = nullptr;
    m_pVolumeKnob.reset();
    m_pFullBack.reset();
    m_pCompactBack.reset();
    m_fullButtons.clear();
    m_compactButtons.clear();
    if (m_pOffscreen) m_pOffscreen->SelectBitmap(nullptr);
    m_pOffscreen.reset();
    m_pOffscreenBitmap.reset();
    if (m_bSoundsLoaded) {
        if (CSoundEngine* engine = Engine())
            for (const PaletteSound& s : kSounds) engine->RemoveSound(s.id);
        m_bSoundsLoaded = false;
    }
}

void CRecordPalette::OnPaint(plat::DeviceContext& dc) {
    if (m_bFirstPaint) {
        m_bFirstPaint = 0;
        FirstPaint(dc);
        return;
    }
    if (!m_pOffscreen) return;
    if (const plat::Palette* palette = TheAppPalette()) {
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    plat::DeviceContext& off = *m_pOffscreen;
    plat::DeviceContext back(dc.GetDisplay());
    const int height = m_bCompact ? kCompactHeight : kFullHeight;
    if (m_bCompact) {
        back.SelectBitmap(m_pCompactBack.get());
        off.BitBlt(0, 0, kWidth, kCompactHeight, back, 0, 0, plat::Rop::Copy);
        // Stop always shows on the compact face.
        for (const auto& button : m_compactButtons)
            if (button->m_nId == kStopId) button->m_bLit = 1;
        for (const auto& button : m_compactButtons) button->Draw(off, 0);
    } else {
        back.SelectBitmap(m_pFullBack.get());
        off.BitBlt(0, 0, kWidth, kFullHeight, back, 0, 0, plat::Rop::Copy);
        for (const auto& button : m_fullButtons) button->Draw(off, 0);
        if (m_pVolumeKnob) m_pVolumeKnob->Draw(off, 0);
    }
    dc.BitBlt(0, 0, kWidth, height, off, 0, 0, plat::Rop::Copy);
}

void CRecordPalette::FirstPaint(plat::DeviceContext& dc) {
    const WorldSkin& skin = SkinOf(m_nWorld);
    CDIB full, compact;
    full.Load(m_strHomeImageDir, m_strDiscImageDir, skin.fullBack);
    compact.Load(m_strHomeImageDir, m_strDiscImageDir, skin.compactBack);
    // The skin's colours become the stage's palette.
    SetAppPalette(full.CreatePalette());
    if (const plat::Palette* palette = TheAppPalette()) {
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    m_pFullBack = CDIBButton::MakeBitmap(&full, 0);
    m_pCompactBack = CDIBButton::MakeBitmap(&compact, 0);
    if (m_pView->m_bReopenPalette) SetCompact(true);
    // The window may have been resized just now: draw through a fresh context.
    {
        plat::DeviceContext window = GetDC();
        plat::DeviceContext back(window.GetDisplay());
        back.SelectBitmap(m_bCompact ? m_pCompactBack.get() : m_pFullBack.get());
        window.BitBlt(0, 0, kWidth, m_bCompact ? kCompactHeight : kFullHeight, back, 0, 0, plat::Rop::Copy);
    }
    m_pOffscreenBitmap = std::make_unique<plat::Bitmap>(kWidth, kFullHeight, 8);
    m_pOffscreen = std::make_unique<plat::DeviceContext>(dc.GetDisplay());
    m_pOffscreen->SelectBitmap(m_pOffscreenBitmap.get());
    // The buttons come next, so the empty skin shows at once.
    Post(kBuildMessage);
}

intptr_t CRecordPalette::OnMessage(uint32_t msg, uintptr_t, intptr_t) {
    if (msg != kBuildMessage || m_bBuilt) return 0;
    Build();
    return 1;
}

void CRecordPalette::Build() {
    m_bBuilt = true;
    m_pScene->ToggleWaitCursor();
    const std::string prefix = SkinOf(m_nWorld).prefix;
    m_strDiscImageDir += prefix;
    m_strHomeImageDir += prefix;
    BuildFullButtons();
    BuildKnob();
    BuildCompactButtons();
    LoadSounds();
    const plat::Rect all{0, 0, kOuterWidth, kOuterFullHeight};
    Invalidate(&all);
    UpdateNow();
    m_pView->SetCursorKind(kDefaultCursor);

    if (!m_pView->m_bReopenPalette) return;
    // A playback that switched worlds goes on here.
    m_pView->SetFocus();
    ConfineToCompact();
    m_pView->m_bReopenPalette = 0;
    ShowStop();
    CSession* session = Session();
    const int resume = m_pView->m_nResumeCut;
    m_pView->m_nResumeCut = 0;
    if (session != nullptr) session->Resume(resume);
    if (IsCreated() && (session == nullptr || !session->IsPlaying())) {
        // Nothing to resume (or it ended at once): never stay confined.
        ReleaseCursorClip();
        if (m_bCompact) SetCompact(false);
    }
}

namespace {

// A picture: install copy first, disc second (only the disc's failure is shown).
CDIB* LoadPicture(const std::string& home, const std::string& disc, const char* file) {
    auto dib = std::make_unique<CDIB>();
    dib->Load(home, disc, file);
    return dib.release();
}

}  // namespace

void CRecordPalette::BuildFullButtons() {
    for (const UpstateEntry& e : kRecordPlay) {
        auto button = std::make_unique<CMultiUpstateButton>(&kRecordPlayAt, e.id);
        button->m_bStageRelative = 0;
        button->AddUpstate(LoadPicture(m_strHomeImageDir, m_strDiscImageDir, e.first), kRecordPlayAt.x,
                           kRecordPlayAt.y, 0);
        button->AddUpstate(LoadPicture(m_strHomeImageDir, m_strDiscImageDir, e.second), e.secondAt.x, e.secondAt.y,
                           0);
        button->SetMask(LoadPicture(m_strHomeMaskDir, m_strDiscMaskDir, e.mask));
        m_fullButtons.push_back(std::move(button));
        m_pScene->ToggleWaitCursor();
    }
    for (const SimpleEntry& e : kFullTracksAndPads) {
        auto button = std::make_unique<CSimpleButton>(&e.at, e.id);
        button->m_bStageRelative = 0;
        button->SetImage(LoadPicture(m_strHomeImageDir, m_strDiscImageDir, e.picture), 1);
        button->SetMask(LoadPicture(m_strHomeMaskDir, m_strDiscMaskDir, e.mask), 1);
        m_fullButtons.push_back(std::move(button));
        m_pScene->ToggleWaitCursor();
    }
}

void CRecordPalette::BuildKnob() {
    CSoundEngine* engine = Engine();
    if (engine != nullptr && engine->VolumeLevel() == CSoundEngine::kMuted) engine->ToggleMute();
    const int level = engine != nullptr ? std::clamp(engine->VolumeLevel(), 1, 5) : 1;
    const plat::Point at{90, 16 + 10 * level};
    auto knob = std::make_unique<CSimpleButton>(&at, kKnobId);
    knob->m_bStageRelative = 0;
    knob->SetImage(LoadPicture(m_strHomeImageDir, m_strDiscImageDir, "p10up.bmp"), 1);
    knob->SetMask(LoadPicture(m_strHomeMaskDir, m_strDiscMaskDir, "p10mk.bmp"), 1);
    knob->m_bLit = 1;
    m_pVolumeKnob = std::move(knob);
}

void CRecordPalette::BuildCompactButtons() {
    for (const SimpleEntry& e : kCompactEntries) {
        auto button = std::make_unique<CSimpleButton>(&e.at, e.id);
        button->m_bStageRelative = 0;
        button->SetImage(LoadPicture(m_strHomeImageDir, m_strDiscImageDir, e.picture), 1);
        button->SetMask(LoadPicture(m_strHomeMaskDir, m_strDiscMaskDir, e.mask), 1);
        m_compactButtons.push_back(std::move(button));
    }
}

void CRecordPalette::LoadSounds() {
    CSoundEngine* engine = Engine();
    if (engine == nullptr || !engine->IsReady()) return;  // the palette works silently
    for (const PaletteSound& s : kSounds) {
        auto sound = std::make_unique<CSound>(engine, s.id);
        sound->LoadFrom(m_strHomeWavDir, m_strDiscWavDir, s.file);
        engine->AddSound(std::move(sound));
    }
    m_bSoundsLoaded = true;
}

// --- Input ---

void CRecordPalette::OnMouseMove(int x, int y) {
    if (System().GetCursor() != &AppCursor(kPaletteCursor)) m_pView->SetCursorKind(kPaletteCursor);
    CDIBButton* button = ButtonAt(x, y);
    if (m_pHover != nullptr && m_pHover != button) {
        if (m_pSelected == nullptr) SetBoxText("");
        ReleaseOn(m_pHover);
        m_pHover = nullptr;
    }
    if (button == nullptr || button == m_pHover) return;
    const int id = button->m_nId;
    if (IsTrack(id)) {
        if (m_bCompact || m_pSelected != nullptr) return;
        PlayPaletteSound(kRolloverSound);
        ShowLabel(button);
        if (!button->m_bHeld) {
            PressOn(button);
            m_pHover = button;
        }
    } else if (id == kStopId) {
        // Stop shows always; it does not light on hovering.
    } else if (IsPad(id)) {
        if (m_pSelected == nullptr && m_edit.GetText() != PadText(id)) SetBoxText(PadText(id));
    } else {
        PlayPaletteSound(kRolloverSound);
        PressOn(button);
        m_pHover = button;
    }
}

void CRecordPalette::OnLButtonDown(int x, int y) {
    CDIBButton* button = ButtonAt(x, y);
    if (button == nullptr || !IsPad(button->m_nId)) return;
    PressOn(button);
    m_pHover = button;
}

void CRecordPalette::OnLButtonUp(int x, int y) {
    // The keys may have gone elsewhere since Ctrl went down or up here (the
    // stage, a playback): the key itself decides.
    m_bCtrl = System().IsKeyDown(plat::vk::kControl) ? 1 : 0;
    CDIBButton* button = ButtonAt(x, y);
    if (button == nullptr) {
        // The slider belongs to the full face only.
        if (!m_bCompact && m_rcVolume.Contains({x, y})) OnVolume(x, y);
        return;
    }
    const int id = button->m_nId;
    if (IsTrack(id)) {
        SelectCut(button);
        return;
    }
    switch (id) {
        case kRecordId: OnRecord(); break;
        case kPlayId: OnPlay(); break;
        case kStopId: OnStop(); break;
        case kClearCutId: OnClearCut(*button); break;
        case kPlayAllId: OnPlayAll(*button); break;
        case kHelpId: OnHelp(*button); break;
        default: break;
    }
}

void CRecordPalette::OnKeyDown(int key, uint32_t) {
    if (key == plat::vk::kControl) m_bCtrl = 1;
}

void CRecordPalette::OnKeyUp(int key, uint32_t) {
    if (key == plat::vk::kTab) {
        // The scene closes the palette (unless it records); nothing of this
        // palette may be touched afterwards.
        if (!m_pView->m_bModal) m_pScene->ToggleRecordPalette();
        return;
    }
    if (key == plat::vk::kControl) m_bCtrl = 0;
}

void CRecordPalette::OnTimer(int id) {
    if (id == CSession::kPlaybackTimer) {
        KillTimer(id);
        if (CSession* session = Session()) session->PlayEvent();
    } else if (id == CSession::kFlashTimer) {
        Flash();
    }
}

void CRecordPalette::Flash() {
    // One random light at a time, each for one tick. The light changes on
    // the next tick instead of in a blocking wait, so input that arrives
    // meanwhile (the first event of the recording) is handled at once.
    EndFlash();
    const int lightId = audio::ProgramRandom().Next() % 6 + kFirstTrackId;
    for (const auto& button : m_compactButtons)
        if (button->m_nId == lightId) m_pFlashLight = button.get();
    PressOn(m_pFlashLight);
}

void CRecordPalette::EndFlash() {
    if (m_pFlashLight != nullptr && m_pFlashLight != m_pLitTrack) ReleaseOn(m_pFlashLight);
    m_pFlashLight = nullptr;
}

void CRecordPalette::OnShowWindow(bool shown) {
    if (shown) TracePosition();
}

void CRecordPalette::OnRectChanged() {
    if (IsVisible()) TracePosition();
}

void CRecordPalette::TracePosition() {
    const plat::Point client = ClientOrigin();
    plat::TraceLine("palette %d %d", client.x, client.y);
}

void CRecordPalette::OnFocus(bool gained) {
    if (!gained || m_bFirstPaint) return;
    // Activated: the stage palette is realised again and the face redrawn.
    if (const plat::Palette* palette = TheAppPalette()) {
        plat::DeviceContext dc = GetDC();
        dc.SelectPalette(palette);
        dc.RealizePalette();
    }
    const plat::Rect face{0, 0, kWidth, kFullHeight};
    Invalidate(&face);
    UpdateNow();
}

void CRecordPalette::OnPaletteChanged() {
    if (!m_bFirstPaint) Invalidate();
}

// --- Click actions ---

void CRecordPalette::OnRecord() {
    PlayPaletteSound(kRecordSound);
    CSession* session = Session();
    if (m_pSelected == nullptr || session == nullptr) {
        PlayRefusal();
        return;
    }
    const int n = m_pSelected->m_nId - 1;
    char name[32];
    std::snprintf(name, sizeof name, SkinOf(m_nWorld).cutName, n);
    SetBoxText(name);
    SetCompact(true);
    m_pView->SetFocus();
    session->StartRecording(n);
    SetTimer(CSession::kFlashTimer, kFlashMs);
}

void CRecordPalette::OnPlay() {
    CSession* session = Session();
    if (m_pSelected == nullptr || session == nullptr || !session->PlayCut(m_pSelected->m_nId - 1)) {
        PlayRefusal();
        return;
    }
    PlayPaletteSound(kPlaySound);
    FollowPlayback(true);
}

void CRecordPalette::FollowPlayback(bool singleCut) {
    CSession* session = Session();
    // A cut of one event has played whole already; nothing to follow.
    if (session == nullptr || !session->IsPlaying()) return;
    if (singleCut) {
        m_pView->SetFocus();
        ConfineToCompact();
    }
    SetCompact(true);
}

void CRecordPalette::OnStop() {
    PlayPaletteSound(kStopSound);
    CDIBButton* stop = FindButton(kStopId);
    ReleaseOn(stop);
    CSession* session = Session();
    if (session == nullptr) return;
    if (session->IsRecording()) {
        EndRecording();
    } else if (session->IsPlaying()) {
        session->StopPlayback();
    }
}

void CRecordPalette::OnClearCut(CDIBButton& button) {
    PlayPaletteSound(kPadSound);
    CSession* session = Session();
    if (session != nullptr && m_bCtrl) {
        session->ClearAll();
    } else if (session != nullptr && m_pSelected != nullptr) {
        session->ClearCut(m_pSelected->m_nId - kFirstTrackId);
    } else {
        PlayRefusal();
    }
    if (m_pSelected != nullptr) ShowLabel(m_pSelected);
    ReleaseOn(&button);
}

void CRecordPalette::OnPlayAll(CDIBButton& button) {
    PlayPaletteSound(kPadSound);
    CSession* session = Session();
    if (session != nullptr && session->PlayAll(m_bCtrl)) {
        FollowPlayback(false);
    } else {
        PlayRefusal();
    }
    if (IsCreated()) ReleaseOn(&button);
}

void CRecordPalette::OnHelp(CDIBButton& button) {
    PlayPaletteSound(kPadSound);
    ReleaseOn(&button);
    m_pView->ShowRecordHelp(m_strDiscImageDir);
}

void CRecordPalette::OnVolume(int, int y) {
    const int level = (y - m_rcVolume.top) / 10 + 1;
    if (CSoundEngine* engine = Engine()) engine->SetVolumeLevel(level);
    // The hub's menu shows the level too.
    m_pScene->SetMenuVolumeLevel(level);
    SetVolumeKnob(level);
}
