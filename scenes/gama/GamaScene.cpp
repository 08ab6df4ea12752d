#include "scenes/gama/GamaScene.h"

#include <string>
#include <utility>

#include "audio/SoundEngine.h"
#include "graphics/StageOrigin.h"
#include "graphics/ThreeImageButton.h"
#include "platform/Host.h"
#include "scenes/NavBar.h"
#include "scenes/NavBarTable.h"
#include "scenes/SceneTables.h"

namespace {

constexpr int kStageWidth = 640;
constexpr int kStageHeight = 480;

// Hot-spot ids and their ranges.
constexpr int kFirstInstrument = 100, kLastInstrument = 430;
constexpr int kPartA = 300, kPartB = 600;  // one instrument: a gong and its drum
constexpr int kFirstCentre = 700, kLastCentre = 706;
constexpr int kPaletteCorner = 800;

// The id range each quarter's button steps (quarters 1..4).
constexpr std::pair<int, int> kQuarterIds[4] = {{100, 150}, {200, 270}, {300, 375}, {400, 465}};
// What the centre buttons 700, 702, 704, 706 sound when entered and left.
constexpr int kCentreEnterSound[4] = {375, 345, 355, 365};
constexpr int kCentreLeaveSound[4] = {435, 465, 455, 445};

// Sounds beyond the hot-spot ids.
constexpr int kBackgroundClick = 950;
constexpr int kLoopStartClick = 952;
constexpr int kLoopStopClick = 954;
constexpr int kRecordCornerSound = 80;  // general

// Cursor kinds.
constexpr int kArrowCursor = 1;
constexpr int kHotCursor = 2;
constexpr int kLoopCursor = 3;
constexpr int kCentreCursor = 7;

bool IsCentre(int id) { return IdInRange(id, kFirstCentre, kLastCentre); }
int CentreIndex(int id) { return (id - kFirstCentre) / 2; }
// Loop bells have odd ids, everything else even ones.
bool IsLoopBell(int id) { return id % 2 != 0; }

struct GamaSpot {
    RegionIndex::Region region;
    SpotSpec spot;
};

using K = SpotKind;
constexpr RegionIndex::Region TL = RegionIndex::kTopLeft, TR = RegionIndex::kTopRight,
                              BL = RegionIndex::kBottomLeft, BR = RegionIndex::kBottomRight,
                              CE = RegionIndex::kCentre;
constexpr GamaSpot kSpots[] = {
    {TL, {100, K::ThreeImage, 67, 21, nullptr, "ga11mk.bmp", nullptr, {{"ga11a.bmp"}, {"ga11b.bmp"}, {"ga11c.bmp"}}}},
    {TL, {110, K::ThreeImage, 71, 176, nullptr, "ga12mk.bmp", nullptr, {{"ga12a.bmp"}, {"ga12b.bmp"}, {"ga12c.bmp"}}}},
    {TL, {120, K::ThreeImage, 139, 187, nullptr, "ga13mk.bmp", nullptr, {{"ga13a.bmp"}, {"ga13b.bmp"}, {"ga13c.bmp"}}}},
    {TL, {130, K::ThreeImage, 185, 153, nullptr, "ga14mk.bmp", nullptr, {{"ga14a.bmp"}, {"ga14b.bmp"}, {"ga14c.bmp"}}}},
    {TL, {140, K::ThreeImage, 214, 75, nullptr, "ga15mk.bmp", nullptr, {{"ga15a.bmp"}, {"ga15b.bmp"}, {"ga15c.bmp"}}}},
    {TL, {150, K::ThreeImage, 213, 15, nullptr, "ga16mk.bmp", nullptr, {{"ga16a.bmp"}, {"ga16b.bmp"}, {"ga16c.bmp"}}}},
    {TR, {200, K::ThreeImage, 452, 20, nullptr, "ga21mk.bmp", nullptr, {{"ga21a.bmp"}, {"ga21b.bmp"}, {"ga21c.bmp"}}}},
    {TR, {210, K::ThreeImage, 331, 16, nullptr, "ga22mk.bmp", nullptr, {{"ga22a.bmp"}, {"ga22b.bmp"}, {"ga22c.bmp"}}}},
    {TR, {220, K::ThreeImage, 335, 53, nullptr, "ga23mk.bmp", nullptr, {{"ga23a.bmp"}, {"ga23b.bmp"}, {"ga23c.bmp"}}}},
    {TR, {230, K::ThreeImage, 352, 100, nullptr, "ga24mk.bmp", nullptr, {{"ga24a.bmp"}, {"ga24b.bmp"}, {"ga24c.bmp"}}}},
    {TR, {240, K::ThreeImage, 359, 158, nullptr, "ga25mk.bmp", nullptr, {{"ga25a.bmp"}, {"ga25b.bmp"}, {"ga25c.bmp"}}}},
    {TR, {250, K::ThreeImage, 458, 186, nullptr, "ga26mk.bmp", nullptr, {{"ga26a.bmp"}, {"ga26b.bmp"}, {"ga26c.bmp"}}}},
    {TR, {260, K::ThreeImage, 510, 153, nullptr, "ga27mk.bmp", nullptr, {{"ga27a.bmp"}, {"ga27b.bmp"}, {"ga27c.bmp"}}}},
    {TR, {270, K::ThreeImage, 460, 132, nullptr, "ga28mk.bmp", nullptr, {{"ga28a.bmp"}, {"ga28b.bmp"}, {"ga28c.bmp"}}}},
    {BL, {300, K::ThreeImage, 31, 245, nullptr, "ga31amk.bmp", nullptr, {{"ga31a.bmp"}, {"ga31b.bmp"}, {"ga31c_a.bmp"}}}},
    {BL, {600, K::Simple, 92, 305, "ga31c_b.bmp", "ga31bmk.bmp"}},
    {BL, {310, K::ThreeImage, 43, 244, nullptr, "ga32mk.bmp", nullptr, {{"ga32a.bmp"}, {"ga32b.bmp"}, {"ga32c.bmp"}}}},
    {BL, {320, K::ThreeImage, 174, 245, nullptr, "ga33mk.bmp", nullptr, {{"ga33a.bmp"}, {"ga33b.bmp"}, {"ga33c.bmp"}}}},
    {BL, {330, K::ThreeImage, 226, 337, nullptr, "ga34mk.bmp", nullptr, {{"ga34a.bmp"}, {"ga34b.bmp"}, {"ga34c.bmp"}}}},
    {BL, {340, K::ThreeImage, 145, 358, nullptr, "ga35mk.bmp", nullptr, {{"ga35a.bmp"}, {"ga35b.bmp"}, {"ga35c.bmp"}}}},
    {BL, {345, K::ThreeImage, 19, 417, nullptr, "ga36mk.bmp", nullptr, {{"ga36a.bmp"}, {"ga36b.bmp"}, {"ga36c.bmp"}}}},
    {BL, {355, K::ThreeImage, 78, 412, nullptr, "ga37mk.bmp", nullptr, {{"ga37a.bmp"}, {"ga37b.bmp"}, {"ga37c.bmp"}}}},
    {BL, {365, K::ThreeImage, 140, 430, nullptr, "ga38mk.bmp", nullptr, {{"ga38a.bmp"}, {"ga38b.bmp"}, {"ga38c.bmp"}}}},
    {BL, {375, K::ThreeImage, 229, 415, nullptr, "ga39mk.bmp", nullptr, {{"ga39a.bmp"}, {"ga39b.bmp"}, {"ga39c.bmp"}}}},
    {BR, {400, K::ThreeImage, 391, 312, nullptr, "ga41amk.bmp", nullptr,
          {{"ga41a_a.bmp"}, {"ga41b_a.bmp"}, {"ga41c_a.bmp"}}}},
    {BR, {404, K::ThreeImage, 492, 253, nullptr, "ga41bmk.bmp", nullptr,
          {{"ga41a_b.bmp"}, {"ga41b_b.bmp"}, {"ga41c_b.bmp"}}}},
    {BR, {410, K::ThreeImage, 365, 242, nullptr, "ga42mk.bmp", nullptr, {{"ga42a.bmp"}, {"ga42b.bmp"}, {"ga42c.bmp"}}}},
    {BR, {420, K::ThreeImage, 339, 346, nullptr, "ga43mk.bmp", nullptr, {{"ga43a.bmp"}, {"ga43b.bmp"}, {"ga43c.bmp"}}}},
    {BR, {430, K::ThreeImage, 490, 361, nullptr, "ga44mk.bmp", nullptr, {{"ga44a.bmp"}, {"ga44b.bmp"}, {"ga44c.bmp"}}}},
    {BR, {435, K::ThreeImage, 316, 415, nullptr, "ga45mk.bmp", nullptr, {{"ga45a.bmp"}, {"ga45b.bmp"}, {"ga45c.bmp"}}}},
    {BR, {445, K::ThreeImage, 401, 420, nullptr, "ga46mk.bmp", nullptr, {{"ga46a.bmp"}, {"ga46b.bmp"}, {"ga46c.bmp"}}}},
    {BR, {455, K::ThreeImage, 470, 421, nullptr, "ga47mk.bmp", nullptr, {{"ga47a.bmp"}, {"ga47b.bmp"}, {"ga47c.bmp"}}}},
    {BR, {465, K::ThreeImage, 556, 412, nullptr, "ga48mk.bmp", nullptr, {{"ga48a.bmp"}, {"ga48b.bmp"}, {"ga48c.bmp"}}}},
    {CE, {700, K::ThreeImage, 290, 143, nullptr, "Gabx_mk.bmp", nullptr, {{}, {"gab1b.bmp"}, {"gab1c.bmp"}}}},
    {CE, {702, K::ThreeImage, 290, 286, nullptr, "Gabx_mk.bmp", nullptr, {{}, {"gab2b.bmp"}, {"gab2c.bmp"}}}},
    {CE, {704, K::ThreeImage, 290, 237, nullptr, "Gabx_mk.bmp", nullptr, {{}, {"gab3b.bmp"}, {"gab3c.bmp"}}}},
    {CE, {706, K::ThreeImage, 290, 192, nullptr, "Gabx_mk.bmp", nullptr, {{}, {"gab4b.bmp"}, {"gab4c.bmp"}}}},
    {BL, {800, K::Multi, 5, 459, nullptr, "zzmk.bmp", nullptr, {{"Gazz_up.bmp", 5, 459}, {"ga_sun.bmp", 26, 407}}, true}},
};

constexpr SoundSpec kSounds[] = {
    {100, "Ga1_1a.wav", -5000},  {110, "Ga1_2a.wav", -6000},  {120, "Ga1_3a.wav", -4500},  {130, "Ga1_4a.wav", -3000},
    {140, "Ga1_5a.wav", -2500},  {150, "Ga1_6a.wav", -2000},  {200, "Ga2_1a.wav", 5000},   {210, "Ga2_2a.wav", 1000},
    {220, "Ga2_3a.wav", 1500},   {230, "Ga2_4a.wav", 2000},   {240, "Ga2_5a.wav", 2500},   {250, "Ga2_6a.wav", 5500},
    {260, "Ga2_7a.wav", 7000},   {270, "Ga2_8a.wav", 7000},   {300, "Ga3_1aa.wav", -6000}, {600, "Ga3_1ba.wav", -5000},
    {310, "Ga3_2a.wav", -6500},  {320, "Ga3_3a.wav", -3000},  {330, "Ga3_4a.wav", -2000},  {340, "Ga3_5a.wav", -4000},
    {345, "Ga3_6a.wav", -7000},  {355, "Ga3_7a.wav", -5500},  {365, "Ga3_8a.wav", -3000},  {375, "Ga3_9a.wav", -1500},
    {400, "Ga4_1aa.wav", 6500},  {404, "Ga4_1ba.wav", 4000},  {410, "Ga4_2a.wav", 1500},   {420, "Ga4_3a.wav", 2000},
    {430, "Ga4_4a.wav", 7000},   {435, "Ga4_5a.wav", 1000},   {445, "Ga4_6a.wav", 3000},   {455, "Ga4_7a.wav", 5500},
    {465, "Ga4_8a.wav", 7000},   {950, "Gamisc.wav"},         {952, "Galoop_c.wav"},       {954, "Galoop2.wav"},
};

constexpr LoopSpec kLoops[] = {
    {345, "Galp1.wav", -1750}, {355, "Galp2.wav", -1750}, {365, "Galp3.wav", -1750}, {375, "Galp4.wav", -1750},
    {435, "Galp5.wav", 1750},  {445, "Galp6.wav", 1750},  {455, "Galp7.wav", 1750},  {465, "Galp8.wav", 1750},
};

}  // namespace

CGamaScene::CGamaScene(SceneHost* view) : CScene(view) {
    m_nScene = kSceneNumber;
    SetFolders("GAMA", "ga_bmp", "ga_masks", "ga_wav");
    SetStageSize(kStageWidth, kStageHeight);
    m_regions = RegionIndex({TheStageOrigin().x, TheStageOrigin().y});
}

CGamaScene::~CGamaScene() = default;

CDIBButton* CGamaScene::HitTest(int x, int y) { return m_regions.HitTest(x, y); }

void CGamaScene::Enter(plat::DeviceContext& dc) { EnterStage(dc, "Gabkgrnd.bmp"); }

int CGamaScene::LoadHotspots() { return LoadWorld({}, kSounds, kLoops); }

// Gama's rows carry the region each hot-spot is filed under, so it builds
// from its own table.
void CGamaScene::BuildWorldHotspots(std::span<const SpotSpec>) {
    for (const GamaSpot& row : kSpots) {
        m_hotspots.push_back(MakeHotspot(*this, row.spot));
        m_regions.File(row.region, m_hotspots.back().get());
        ToggleWaitCursor();
    }
}

void CGamaScene::Paint(plat::DeviceContext& dc) { PaintStage(dc); }

void CGamaScene::UpdateCursor(CDIBButton* hotspot) {
    if (hotspot == nullptr) {
        if (m_pView->CursorKind() != kArrowCursor) m_pView->SetCursorKind(kArrowCursor);
        return;
    }
    const int id = hotspot->m_nId;
    m_pView->SetCursorKind(IsCentre(id) ? kCentreCursor : IsLoopBell(id) ? kLoopCursor : kHotCursor);
}

void CGamaScene::OnHotspotLeave(CDIBButton* hotspot) {
    const int id = hotspot->m_nId;
    PlaySound(IsCentre(id) ? kCentreLeaveSound[CentreIndex(id)] : id);
}

void CGamaScene::PressCentre(CDIBButton* button, int slot) {
    const int was = button->m_bLit;
    static_cast<CThreeImageButton*>(button)->PressWithImage(*m_pView, slot);
    if (!was) plat::TraceLine("spot lit %d", button->m_nId);
}

void CGamaScene::OnMouseMove(int x, int y) {
    if (m_bNotReady) return;  // input that came before the first paint
    if (NavBarTakesMove(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    UpdateCursor(button);

    if (m_pHoverHotspot != nullptr && m_pHoverHotspot != button) {
        UnlightSpot(m_pHoverHotspot);
        if (m_bCtrl || IsCentre(m_pHoverHotspot->m_nId)) OnHotspotLeave(m_pHoverHotspot);
        m_pHoverHotspot = nullptr;
        RecordRollover(x, y);
    }

    if (button == nullptr || button == m_pHoverHotspot) return;
    const int id = button->m_nId;
    int sound = id;
    if (IsCentre(id)) {
        PressCentre(button, 2);
        sound = kCentreEnterSound[CentreIndex(id)];
    } else {
        LightSpot(button);
    }
    if (sound == kPaletteCorner)
        Engine().PlayGeneralSound(kRecordCornerSound);
    else
        PlaySound(sound);
    m_pHoverHotspot = m_pLastHotspot = button;
    RecordRollover(x, y);
}

void CGamaScene::OnLButtonDown(int x, int y) {
    if (m_bNotReady) return;
    CDIBButton* button = HitTest(x, y);
    if (button == nullptr || !IsCentre(button->m_nId)) return;
    PressCentre(button, 3);
    m_pHoverHotspot = m_pPressedCentre = button;
    RecordPress(x, y);
}

void CGamaScene::OnLButtonUp(int x, int y) {
    if (m_bNotReady) return;
    // A centre button acts only when the left button also went down on it.
    CDIBButton* const pressed = std::exchange(m_pPressedCentre, nullptr);
    if (NavBarTakesClick(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    const int forward = !m_bCtrl;
    if (button == nullptr) {
        PlaySound(kBackgroundClick);
    } else {
        const int id = button->m_nId;
        if (IsLoopBell(id)) {
            ClickLoopBell(button);
        } else if (IsCentre(id)) {
            if (button == pressed && button == m_pHoverHotspot) {
                const int row = CentreIndex(id) + 1;
                PlaySound(row * 100);
                CycleRow(row, forward);
                UnlightSpot(button);
            }
        } else if (id == kPartA) {
            CycleVariant(button, forward, 0);
            // Repainted unlit, so that the new look shows under the pointer.
            const int wasLit = std::exchange(button->m_bLit, 0);
            RedrawParts();
            button->m_bLit = wasLit;
        } else if (id == kPartB) {
            CycleVariant(FindHotspot(kPartA), forward, 0);
            RedrawParts();
        } else if (IdInRange(id, kFirstInstrument, kLastInstrument)) {
            CycleVariant(button, forward, 1);
        } else if (id == kPaletteCorner) {
            ToggleRecordPalette();
        }
    }
    RecordClick(x, y);
}

void CGamaScene::RedrawParts() {
    plat::Rect area{};
    for (const int id : {kPartA, kPartB})
        if (CDIBButton* part = FindHotspot(id)) area = area.Union(part->m_rect);
    RedrawNow(&area);
}

void CGamaScene::ClickLoopBell(CDIBButton* bell) {
    CSoundEngine& engine = Engine();
    if (engine.IsLoopPlaying(m_nLoopId)) {
        // Any bell stops the loop that plays; its own bell also steps its look.
        PlaySound(kLoopStopClick);
        engine.StopLoop(m_nLoopId);
        if (m_nLoopId == bell->m_nId) CycleVariant(bell, 1, 0);
        ReleaseLoopBell();
        return;
    }
    ReleaseLoopBell();  // a bell still held for a loop that never started
    m_nLoopId = bell->m_nId;
    PlaySound(kLoopStartClick);
    engine.StartLoop(m_nLoopId);
    LightSpot(bell);  // it may have gone dark when its loop last stopped
    bell->m_bHeld = 1;
    m_pLoopHotspot = bell;
}

void CGamaScene::ReleaseLoopBell() {
    if (m_pLoopHotspot == nullptr) return;
    m_pLoopHotspot->m_bHeld = 0;
    UnlightSpot(m_pLoopHotspot);
    m_pLoopHotspot = nullptr;
}

void CGamaScene::StopLoop() {
    CScene::StopLoop();
    ReleaseLoopBell();
}

void CGamaScene::CycleVariant(CDIBButton* hotspot, int forward, int redraw) {
    auto* button = dynamic_cast<CThreeImageButton*>(hotspot);
    if (button == nullptr) return;
    ToggleWaitCursor();
    button->CycleMode(forward);
    const int id = button->m_nId;
    CSound* sound = Engine().FindSound(id);
    if (sound != nullptr && sound->Path().size() >= 5) {
        const int pan = sound->GetPan();
        std::string path = sound->Path();
        path.replace(path.size() - 5, 5, std::string(1, "abc"[button->m_nMode - 1]) + ".wav");
        const std::string file = SoundFileName(path);
        sound->LoadFrom(m_strHomeAudioDir, m_strDiscAudioDir, file);
        sound->SetPan(pan);
        plat::TraceLine("gama look %d %d %s", id, button->m_nMode, file.c_str());
    } else {
        plat::TraceLine("gama look %d %d", id, button->m_nMode);
    }
    if (redraw) RedrawNow(&button->m_rect);
}

void CGamaScene::CycleRow(int row, int forward) {
    const auto [first, last] = kQuarterIds[row - 1];
    plat::Rect area{};
    for (const std::unique_ptr<CDIBButton>& h : m_hotspots) {
        if (!IdInRange(h->m_nId, first, last)) continue;
        CycleVariant(h.get(), forward, 0);
        area = area.Union(h->m_rect);
    }
    RedrawNow(&area);
}

void CGamaScene::OnTimer(int id) {
    m_pView->KillTimer(id);
    Engine().StopSound(id);
}
