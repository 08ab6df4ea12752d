#include "scenes/kbot/KBotScene.h"

#include "audio/SoundEngine.h"
#include "graphics/HighlightButton.h"
#include "platform/gdi/Bitmap.h"
#include "scenes/NavBar.h"
#include "scenes/NavBarTable.h"
#include "scenes/SceneTables.h"

namespace {

constexpr int kStageWidth = 608;
constexpr int kStageHeight = 456;

// Hot-spot ids and their ranges.
constexpr int kFirstBell = 10, kLastBell = 40;
constexpr int kLoopSwitch = 50;  // the last of the bells
constexpr int kFirstTalkPad = 200, kLastTalkPad = 230;
constexpr int kFirstKey = 300, kLastKey = 338;
constexpr int kFirstRow4Key = 330;
constexpr int kRowStep = 10, kColumnStep = 2;
constexpr int kPaletteButton = 400;
constexpr int kAltSwitch = 410;

// Sounds beyond the hot-spot ids.
constexpr int kLoopSwitchOut = 51;
constexpr int kLoopStartClick = 52;
constexpr int kLoopStopClick = 60;
constexpr int kMiscClick = 700;
constexpr int kPaletteButtonSound = 80;  // general

constexpr uint32_t kIntroStepMs = 150;

bool IsKey(int id) { return IdInRange(id, kFirstKey, kLastKey); }

using K = SpotKind;

// Created before the row highlights are loaded.
constexpr SpotSpec kPadsAndBells[] = {
    {200, K::Simple, 304, 28, "kbt1up.bmp", "kbt1mk.bmp"},  {210, K::Simple, 301, 351, "kbt2up.bmp", "kbt2mk.bmp"},
    {220, K::Simple, 134, 346, "kbt3up.bmp", "kbt3mk.bmp"}, {230, K::Simple, 156, 28, "kbt4up.bmp", "kbt4mk.bmp"},
    {100, K::Simple, 316, 109, "kbd1up.bmp", "kbd1mk.bmp"}, {110, K::Simple, 312, 266, "kbd2up.bmp", "kbd2mk.bmp"},
    {120, K::Simple, 251, 261, "kbd3up.bmp", "kbd3mk.bmp"}, {130, K::Simple, 264, 113, "kbd4up.bmp", "kbd4mk.bmp"},
    {10, K::Simple, 290, 50, "kbb1up.bmp", "kbb1mk.bmp"},   {20, K::Simple, 316, 220, "kbb2up.bmp", "kbb2mk.bmp"},
    {30, K::Simple, 288, 240, "kbb3up.bmp", "kbb3mk.bmp"},  {40, K::Simple, 28, 220, "kbb4up.bmp", "kbb4mk.bmp"},
    {50, K::Simple, 288, 217, "kbb5up.bmp", "kbb5mk.bmp"},
};

// The row highlights, shared by the keys.
constexpr const char* kRow12Highlight = "Kb1_2up.bmp";
constexpr const char* kRow3Highlight = "Kb3sup.bmp";
constexpr const char* kRow4Highlight = "Kb4sup.bmp";

constexpr SpotSpec kKeysAndCorners[] = {
    {300, K::Highlight, 54, 44, "kb11up.bmp", "kb11mk.bmp", nullptr, {{kRow12Highlight, 65, 17}}},
    {302, K::Highlight, 109, 55, "kb12up.bmp", "kb12mk.bmp", nullptr, {{kRow12Highlight, 117, 29}}},
    {304, K::Highlight, 152, 78, "kb13up.bmp", "kb13mk.bmp", nullptr, {{kRow12Highlight, 160, 54}}},
    {306, K::Highlight, 198, 98, "kb14up.bmp", "kb14mk.bmp", nullptr, {{kRow12Highlight, 204, 74}}},
    {308, K::Highlight, 241, 126, "kb15up.bmp", "kb15mk.bmp", nullptr, {{kRow12Highlight, 246, 101}}},
    {310, K::Highlight, 358, 137, "kb21up.bmp", "kb21mk.bmp", nullptr, {{kRow12Highlight, 362, 111}}},
    {312, K::Highlight, 400, 116, "kb22up.bmp", "kb22mk.bmp", nullptr, {{kRow12Highlight, 406, 91}}},
    {314, K::Highlight, 445, 96, "kb23up.bmp", "kb23mk.bmp", nullptr, {{kRow12Highlight, 451, 71}}},
    {316, K::Highlight, 491, 72, "kb24up.bmp", "kb24mk.bmp", nullptr, {{kRow12Highlight, 497, 46}}},
    {318, K::Highlight, 538, 60, "kb25up.bmp", "kb25mk.bmp", nullptr, {{kRow12Highlight, 543, 34}}},
    {320, K::Highlight, 42, 241, "kb31up.bmp", "kb31mk.bmp", nullptr, {{kRow3Highlight, 49, 401}}},
    {322, K::Highlight, 88, 241, "kb32up.bmp", "kb32mk.bmp", nullptr, {{kRow3Highlight, 93, 394}}},
    {324, K::Highlight, 134, 241, "kb33up.bmp", "kb33mk.bmp", nullptr, {{kRow3Highlight, 141, 378}}},
    {326, K::Highlight, 178, 242, "kb34up.bmp", "kb34mk.bmp", nullptr, {{kRow3Highlight, 185, 360}}},
    {328, K::Highlight, 227, 241, "kb35up.bmp", "kb35mk.bmp", nullptr, {{kRow3Highlight, 231, 338}}},
    {330, K::Highlight, 341, 242, "kb41up.bmp", "kb41mk.bmp", nullptr, {{kRow4Highlight, 345, 334}}},
    {332, K::Highlight, 381, 242, "kb42up.bmp", "kb42mk.bmp", nullptr, {{kRow4Highlight, 385, 355}}},
    {334, K::Highlight, 425, 242, "kb43up.bmp", "kb43mk.bmp", nullptr, {{kRow4Highlight, 430, 374}}},
    {336, K::Highlight, 471, 243, "kb44up.bmp", "kb44mk.bmp", nullptr, {{kRow4Highlight, 476, 389}}},
    {338, K::Highlight, 518, 242, "kb45up.bmp", "kb45mk.bmp", nullptr, {{kRow4Highlight, 525, 401}}},
    {400, K::Multi, 5, 435, nullptr, "kbzzmk.bmp", nullptr, {{"kbzzup.bmp", 5, 435}, {"kbsun.bmp", 25, 392}}},
    {410, K::Multi, 584, 5, nullptr, "kbzzmk.bmp", nullptr,
     {{"Kbzzup.bmp", 584, 5}, {"Kbalt1.bmp", 525, 5, 1}, {"Kbalt2.bmp", 525, 5, 2}}},
};

// Pans in hundredths of a decibel, negative to the left: rows 1 and 3 on the
// left, rows 2 and 4 on the right, each row's first key the farthest to its side.
constexpr SoundSpec kSounds[] = {
    {50, "Kbb5.wav"},           {51, "Kbb5_out.wav"},       {52, "Kbb5_c.wav"},         {60, "Kbloop2.wav"},
    {100, "kbd1.wav", 1000},    {110, "kbd2.wav", 1000},    {120, "kbd3.wav", -1000},   {130, "kbd4.wav", -1000},
    {900, "kbr1.wav", 0, true}, {905, "kbr2.wav", 0, true}, {910, "kbr3.wav", 0, true}, {915, "kbr4.wav", 0, true},
    {920, "kbr5.wav", 0, true}, {925, "kbr6.wav", 0, true},
    {200, "kbt1.wav", 2000},    {201, "Kbt1_c.wav", 2000},  {210, "kbt2.wav", 2000},    {211, "Kbt2_c.wav", 2000},
    {220, "kbt3.wav", -2000},   {221, "Kbt3_c.wav", -2000}, {230, "kbt4.wav", -2000},   {231, "Kbt4_c.wav", -2000},
    {300, "kb1_1.wav", -7000},  {302, "kb1_2.wav", -6000},  {304, "kb1_3.wav", -5000},  {306, "kb1_4.wav", -4000},
    {308, "kb1_5.wav", -3000},  {310, "kb2_1.wav", 7000},   {312, "kb2_2.wav", 6000},   {314, "kb2_3.wav", 5000},
    {316, "kb2_4.wav", 4000},   {318, "kb2_5.wav", 3000},   {320, "kb3_1.wav", -7500},  {322, "kb3_2.wav", -6500},
    {324, "kb3_3.wav", -5500},  {326, "kb3_4.wav", -4500},  {328, "kb3_5.wav", -3500},  {330, "kb4_1.wav", 7500},
    {332, "kb4_2.wav", 6500},   {334, "kb4_3.wav", 5500},   {336, "kb4_4.wav", 4500},   {338, "kb4_5.wav", 3500},
    {700, "Kbmisc.wav", 3500},
};

constexpr LoopSpec kLoops[] = {
    {500, "Kbloop_1.wav", 0}, {501, "Kbloop_2.wav", 0}, {502, "Kbloop_3.wav", 0}, {503, "Kbloop_4.wav", 0},
    {504, "Kbloop_5.wav", 0}, {505, "Kbloop_6.wav", 0}, {506, "Kbloop_7.wav", 0}, {507, "Kbloop_8.wav", 0},
};

// The keys the intro sweeps: row 1, then row 4.
constexpr int kIntroRows[] = {300, 330};
constexpr int kKeysPerRow = 5;

}  // namespace

CKBotScene::CKBotScene(SceneHost* view) : CScene(view) {
    m_nScene = kSceneNumber;
    m_nLoopId = kLastLoop;  // the first switch starts the first loop
    SetFolders("kbot", "kb_bmp", "kb_masks", "kb_wav");
    SetStageSize(kStageWidth, kStageHeight);
}

// The row highlights go before the base drops the keys that borrow them; no
// key is drawn in between.
CKBotScene::~CKBotScene() = default;

void CKBotScene::Enter(plat::DeviceContext& dc) { EnterStage(dc, "Kbbkgrnd.bmp"); }

int CKBotScene::LoadHotspots() { return LoadWorld(kPadsAndBells, kSounds, kLoops); }

// The pads and bells, then the row highlights the keys share, then the keys
// and the two corners.
void CKBotScene::BuildWorldHotspots(std::span<const SpotSpec> padsAndBells) {
    CScene::BuildWorldHotspots(padsAndBells);
    LoadHighlights();
    const SharedPicture highlights[] = {{kRow12Highlight, m_pHighlightRow12.get()},
                                        {kRow3Highlight, m_pHighlightRow3.get()},
                                        {kRow4Highlight, m_pHighlightRow4.get()}};
    BuildHotspots(*this, kKeysAndCorners, highlights);
}

void CKBotScene::LoadHighlights() {
    m_pHighlightRow12 = CDIBButton::MakeBitmap(LoadImage(kRow12Highlight), 1);
    m_pHighlightRow3 = CDIBButton::MakeBitmap(LoadImage(kRow3Highlight), 1);
    m_pHighlightRow4 = CDIBButton::MakeBitmap(LoadImage(kRow4Highlight), 1);
    ToggleWaitCursor();
}

void CKBotScene::PlayIntro() {
    for (const int first : kIntroRows)
        for (int id = first; id < first + kKeysPerRow * kColumnStep; id += kColumnStep) SweepSpot(id, kIntroStepMs);
}

void CKBotScene::Paint(plat::DeviceContext& dc) { PaintStage(dc); }

void CKBotScene::UpdateCursor(CDIBButton* hotspot) { SetWorldCursor(hotspot, kLoopSwitch); }

void CKBotScene::OnHotspotLeave(CDIBButton* hotspot) {
    const int id = hotspot->m_nId;
    if (IdInRange(id, kFirstBell, kLastBell))
        Engine().PlayRandomMisc();
    else if (IdInRange(id, kFirstTalkPad, kLastTalkPad))
        PlaySound(id + 1);
    else if (IsKey(id))
        PlaySound(id < kFirstRow4Key ? id + kRowStep : id - 3 * kRowStep);
    else
        PlaySound(id);
}

void CKBotScene::OnMouseMove(int x, int y) {
    if (m_bNotReady) return;  // input that came before the first paint
    if (NavBarTakesMove(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    UpdateCursor(button);

    if (m_pHoverHotspot != nullptr && m_pHoverHotspot != button) {
        const int id = m_pHoverHotspot->m_nId;
        if (m_bAltMode && IsKey(id)) {
            // stays lit until its sound ends
        } else if (id == kLoopSwitch) {
            PlaySound(kLoopSwitchOut);  // flashed dark on entry already
        } else {
            UnlightSpot(m_pHoverHotspot);
        }
        if (m_bCtrl) {
            OnHotspotLeave(m_pHoverHotspot);
            if (IsKey(id)) static_cast<CHighlightButton*>(m_pHoverHotspot)->ShowHighlight(*m_pView);
        }
        m_pHoverHotspot = nullptr;
        RecordRollover(x, y);
    }

    if (button == nullptr || button == m_pHoverHotspot) return;
    const int id = button->m_nId;
    const bool bell = IdInRange(id, kFirstBell, kLoopSwitch);
    if (id == kAltSwitch) {
        EnterModeSwitch(button, m_bAltMode);
    } else {
        LightSpot(button);
    }
    if (Engine().IsSoundPlaying(id)) {
        // A second copy, or a talking pad's click version.
        PlaySound(IdInRange(id, kFirstTalkPad, kLastTalkPad) ? id + 1 : id);
    } else if (id == kPaletteButton) {
        Engine().PlayGeneralSound(kPaletteButtonSound);
    } else {
        if (bell) {
            Engine().PlayRandomMisc();
            UnlightSpot(button);
        }
        // In alt mode the key's end timer takes its light away.
        PlaySound(id, m_bAltMode && IsKey(id) ? 1 : 0);
    }
    if (bell) UnlightSpot(button);
    m_pHoverHotspot = m_pLastHotspot = button;
    RecordRollover(x, y);
}

void CKBotScene::OnLButtonUp(int x, int y) {
    if (m_bNotReady) return;
    if (NavBarTakesClick(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    if (button == nullptr) {
        PlaySound(kMiscClick);
    } else {
        const int id = button->m_nId;
        if (IdInRange(id, kFirstBell, kLastBell))
            Engine().PlayRandomMisc();
        else if (id == kLoopSwitch)
            SwitchLoop(kFirstLoop, kLastLoop, kLoopStartClick, kLoopStopClick);
        else if (IdInRange(id, kFirstTalkPad, kLastTalkPad))
            PlaySound(id + 1);
        else if (id == kPaletteButton)
            ToggleRecordPalette();
        else if (id == kAltSwitch)
            FlipModeSwitch(button, m_bAltMode, "kbot alt");
        else
            PlaySound(id);
    }
    RecordClick(x, y);
}

void CKBotScene::OnTimer(int id) { EndTimedSound(id); }
