// The hub's help screen: the help picture replaces the hub's, and pointing at
// one of its eighteen regions shows that region's explanation picture (the
// two record regions and the two open regions show theirs in pairs). The
// "go" region blinks while pointed at; clicking it returns to the hub.

#include "audio/SoundEngine.h"
#include "graphics/DIB.h"
#include "graphics/SimpleButton.h"
#include "graphics/StageOrigin.h"
#include "platform/Host.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/window/EditControl.h"
#include "platform/window/WindowSystem.h"
#include "scenes/center/CenterScene.h"

namespace {

constexpr int kExitRegion = 200;
// Regions with ids above this come in pairs (even id + 1, odd id - 1).
constexpr int kLastPlainId = 209;
constexpr int kHelpCursor = 7;
constexpr uint32_t kBlinkHalfMs = 500;
constexpr uint32_t kBlinkPeriodMs = 1000;

struct RegionSpec {
    int x, y, id;
    const char* picture;
    const char* mask;
};

constexpr RegionSpec kRegions[] = {
    {75, 353, 0, "Cehp!!.bmp", "Cehp!!mk.bmp"},        {408, 363, 200, "Cehpgo.bmp", "Cehpgomk.bmp"},
    {155, 188, 0, "Cehphelp.bmp", "Cehphpmk.bmp"},     {271, 71, 0, "Cehpk1.bmp", "Cehpk1mk.bmp"},
    {428, 48, 0, "Cehpk2.bmp", "Cehpk2mk.bmp"},        {399, 89, 0, "Cehpk3.bmp", "Cehpk3mk.bmp"},
    {335, 175, 0, "Cehpk4.bmp", "Cehpk4mk.bmp"},       {231, 129, 0, "Cehpk5.bmp", "Cehpk5mk.bmp"},
    {274, 7, 0, "Cehpk6.bmp", "Cehpk6mk.bmp"},         {20, 231, 0, "Cehpkeys.bmp", "Cehpkymk.bmp"},
    {201, 339, 0, "Cehpmisc.bmp", "Cehpmcmk.bmp"},     {341, 144, 0, "Cehpnav.bmp", "Cehpnamk.bmp"},
    {23, 152, 230, "Cehpopn1.bmp", "Cehpo1mk.bmp"},    {68, 0, 231, "Cehpopn2.bmp", "Cehpo2mk.bmp"},
    {148, 211, 0, "Cehpquit.bmp", "Cehpqtmk.bmp"},     {5, 57, 210, "Cehprec1.bmp", "Cehpr1mk.bmp"},
    {5, 266, 211, "Cehprec2.bmp", "Cehpr2mk.bmp"},     {420, 0, 0, "Cehpz3.bmp", "Cehpz3mk.bmp"},
};

int PartnerId(int id) { return id % 2 == 0 ? id + 1 : id - 1; }

}  // namespace

void CCenterScene::CreateHelpRegions() {
    const std::string pictures = m_strDiscImageDir + "Cehp_bmp\\";
    const std::string masks = m_strDiscMaskDir + "Cehp_mk\\";
    for (const RegionSpec& r : kRegions) {
        const plat::Point at{r.x, r.y};
        auto region = std::make_unique<CSimpleButton>(&at, r.id);
        auto* picture = new CDIB;
        picture->Load(pictures + r.picture);
        region->SetImage(picture, 1);
        auto* mask = new CDIB;
        mask->Load(masks + r.mask);
        region->SetMask(mask, 1);
        m_helpHotspots.push_back(std::move(region));
    }
}

void CCenterScene::ShowHelp() {
    if (m_bHelpShown) return;
    m_bHelpShown = 1;
    ToggleWaitCursor();
    m_pView->SessionEdit().Show(false);

    CDIB help;
    help.Load(m_strDiscImageDir + "Cehp_bmp\\Cehpgrnd.bmp");
    m_pSavedBackground = std::move(m_pBackground);
    m_pBackground = CDIBButton::MakeBitmap(&help, 0);
    plat::DeviceContext dc = m_pView->GetDC();
    plat::DeviceContext source(dc.GetDisplay());
    source.SelectBitmap(m_pBackground.get());
    dc.BitBlt(TheStageOrigin().x, TheStageOrigin().y, kStageWidth, kStageHeight, source, 0, 0, plat::Rop::Copy);

    CreateHelpRegions();
    m_pView->SetCursorKind(kHelpCursor);
    plat::TraceLine("help on");
}

CSimpleButton* CCenterScene::HelpHitTest(int x, int y) {
    for (const std::unique_ptr<CSimpleButton>& r : m_helpHotspots)
        if (r->HitTest(x, y)) return r.get();
    return nullptr;
}

namespace {

// The region's number in the table, 1..18, for the trace.
int RegionNumber(const std::vector<std::unique_ptr<CSimpleButton>>& regions, const CDIBButton* r) {
    for (size_t i = 0; i < regions.size(); ++i)
        if (regions[i].get() == r) return static_cast<int>(i) + 1;
    return 0;
}

CSimpleButton* FindRegion(const std::vector<std::unique_ptr<CSimpleButton>>& regions, int id) {
    for (const std::unique_ptr<CSimpleButton>& r : regions)
        if (r->m_nId == id) return r.get();
    return nullptr;
}

}  // namespace

void CCenterScene::HelpMouseMove(int x, int y) {
    CSimpleButton* h = HelpHitTest(x, y);
    if (m_pView->CursorKind() != kHelpCursor) m_pView->SetCursorKind(kHelpCursor);

    auto show = [this](CDIBButton* r, bool shown) {
        if (shown)
            r->Press(*m_pView);
        else
            r->Release(*m_pView);
        if (const int n = RegionNumber(m_helpHotspots, r))
            plat::TraceLine("help %s %d", shown ? "show" : "hide", n);
    };

    if (m_pHoverHotspot != nullptr && m_pHoverHotspot != h) {
        if (m_pHoverHotspot->m_nId > kLastPlainId) {
            if (CSimpleButton* partner = FindRegion(m_helpHotspots, PartnerId(m_pHoverHotspot->m_nId)))
                show(partner, false);
        } else {
            m_pView->KillTimer(kHelpBlinkTimer);
        }
        show(m_pHoverHotspot, false);
        m_pHoverHotspot = nullptr;
    }
    if (h != nullptr && h != m_pHoverHotspot) {
        m_pView->Engine()->PlayRandomSound();
        if (h->m_nId > kLastPlainId) {
            if (CSimpleButton* partner = FindRegion(m_helpHotspots, PartnerId(h->m_nId))) show(partner, true);
        } else if (h->m_nId == kExitRegion) {
            m_pView->SetTimer(kHelpBlinkTimer, kBlinkPeriodMs);
        }
        show(h, true);
        m_pHoverHotspot = h;
    }
}

void CCenterScene::HelpBlink() {
    CSimpleButton* exit = FindRegion(m_helpHotspots, kExitRegion);
    if (exit == nullptr) return;
    exit->Release(*m_pView);
    Wait(kBlinkHalfMs);
    exit->Press(*m_pView);
    Wait(kBlinkHalfMs);
}

void CCenterScene::HelpClick(int x, int y) {
    CSimpleButton* h = HelpHitTest(x, y);
    if (h != nullptr && h->m_nId == kExitRegion) {
        m_pHoverHotspot = nullptr;
        m_bHelpShown = 0;
        m_pBackground = std::move(m_pSavedBackground);
        m_helpHotspots.clear();
        m_pView->Invalidate();
        m_pView->UpdateNow();
        m_pView->SessionEdit().Show(true);
        plat::TraceLine("help off");
    }
    m_pView->Engine()->PlayRandomSound();
}
