#include "scenes/NavBar.h"

#include "audio/SoundEngine.h"
#include "graphics/DIB.h"
#include "graphics/SimpleButton.h"
#include "platform/Host.h"
#include "platform/window/WindowSystem.h"
#include "scenes/SceneHost.h"

namespace {

constexpr int kLightSound = 60;
constexpr int kClickSound = 70;
constexpr int kHubButton = 1;
constexpr uint32_t kBlinkStepMs = 150;
constexpr int kHotCursor = 6;
constexpr int kArrowCursor = 1;

}  // namespace

std::string NavMaskFolder(const std::string& cdDrive) { return cdDrive + ":\\plinkpad\\assets\\all\\masks\\nav\\"; }

CNavBar::CNavBar(SceneHost* view, int world)
    : m_nWorld(world), m_strDiscMaskDir(NavMaskFolder(view->CDDrive())), m_pView(view) {}

CNavBar::~CNavBar() = default;

void CNavBar::AddHubButton(int x, int y, CDIB* picture) {
    const plat::Point at{x, y};
    auto hub = std::make_unique<CSimpleButton>(&at, kHubButton);
    hub->SetImage(picture, 1);
    CDIB* mask = new CDIB;
    mask->Load(m_strDiscMaskDir + "n1mk.bmp");
    hub->SetMask(mask, 1);
    m_buttons.push_back(std::move(hub));
}

void CNavBar::AddWorldButtons(const plat::Point (&p)[5], CDIB* picture) {
    std::unique_ptr<CDIB> image(picture);
    CDIB mask;
    mask.Load(m_strDiscMaskDir + "nxmk.bmp");
    for (int i = 0; i < 5; ++i) {
        // Each button converts its own copy; the DIBs go with this call.
        auto button = std::make_unique<CSimpleButton>(&p[i], i + 2);
        button->SetImage(image.get(), 0);
        button->SetMask(&mask, 0);
        if (i + 1 == m_nWorld) {
            m_pCurrent = button.get();
            button->m_bLit = 1;
        }
        m_buttons.push_back(std::move(button));
    }
}

void CNavBar::SetBar(int x, int y, CDIB* picture) {
    const plat::Point at{x, y};
    m_pBar = std::make_unique<CSimpleButton>(&at, 0);
    m_pBar->SetImage(picture, 1);
    m_pBar->m_bLit = 1;
}

void CNavBar::SetToggle(int x, int y, CDIB* picture) {
    const plat::Point at{x, y};
    m_pToggle = std::make_unique<CSimpleButton>(&at, 0);
    m_pToggle->SetImage(picture, 1);
    CDIB* mask = new CDIB;
    mask->Load(m_strDiscMaskDir + "zzmk.bmp");
    m_pToggle->SetMask(mask, 1);
    m_pToggle->m_bLit = 1;
}

bool CNavBar::HitTestToggle(int x, int y) { return m_pToggle && m_pToggle->HitTest(x, y); }

void CNavBar::Light(plat::Window& view) {
    if (CSoundEngine* engine = m_pView->Engine()) engine->PlayGeneralSound(kLightSound);
    m_bLit = 1;
    plat::TraceLine("nav light");
    plat::DeviceContext dc = view.GetDC();
    Draw(dc, 1);
}

void CNavBar::Unlight(plat::Window& view) {
    if (m_bOpen || !m_bLit) return;
    m_bLit = 0;
    plat::TraceLine("nav unlight");
    const plat::Rect r = GetRect();
    view.Invalidate(&r);
    view.UpdateNow();
}

void CNavBar::Draw(plat::DeviceContext& dc, int addOrigin) {
    if (m_pToggle) m_pToggle->Draw(dc, addOrigin);
    if (m_pBar) m_pBar->Draw(dc, addOrigin);
    for (const std::unique_ptr<CSimpleButton>& b : m_buttons) b->Draw(dc, addOrigin);
}

CDIBButton* CNavBar::Control(int id) const {
    if (id == 0) return m_pToggle.get();
    for (const std::unique_ptr<CSimpleButton>& b : m_buttons)
        if (b->m_nId == id) return b.get();
    return nullptr;
}

CDIBButton* CNavBar::ButtonAt(int x, int y) {
    for (const std::unique_ptr<CSimpleButton>& b : m_buttons)
        if (b->HitTest(x, y)) return b.get();
    return nullptr;
}

void CNavBar::Press(CDIBButton* b) {
    const int was = b->m_bLit;
    b->Press(*m_pView);
    if (!was) plat::TraceLine("nav lit %d", b->m_nId);
}

void CNavBar::Release(CDIBButton* b) {
    const int was = b->m_bLit;
    b->Release(*m_pView);
    if (was && !b->m_bLit) plat::TraceLine("nav unlit %d", b->m_nId);
}

void CNavBar::Hover(int x, int y) {
    CDIBButton* b = ButtonAt(x, y);
    if (b != m_pCurrent) m_pView->SetCursorKind(b != nullptr ? kHotCursor : kArrowCursor);
    if (m_pHover != nullptr && m_pHover != b) {
        if (m_pHover != m_pCurrent) Release(m_pHover);
        m_pHover = nullptr;
        return;
    }
    if (b != nullptr && b != m_pHover) {
        Press(b);
        m_pHover = b;
    }
}

int CNavBar::Click(int x, int y) {
    CDIBButton* b = ButtonAt(x, y);
    if (b == nullptr) return 0;
    if (CSoundEngine* engine = m_pView->Engine()) engine->PlayGeneralSound(kClickSound);
    plat::TraceLine("nav blink %d", b->m_nId);
    plat::WindowSystem& system = m_pView->System();
    const uint32_t start = system.GetClock().NowMs();
    uint32_t step = 0;
    // Waits until `step` 150 ms periods have passed since the click.
    auto waitStep = [&] {
        step += kBlinkStepMs;
        const uint32_t spent = system.GetClock().NowMs() - start;
        if (spent < step) system.BusyWait(step - spent);
    };
    if (m_pCurrent != nullptr) Release(m_pCurrent);
    Release(b);
    for (int i = 0; i < 3; ++i) {
        waitStep();
        Press(b);
        if (i == 2) break;
        waitStep();
        Release(b);
    }
    waitStep();
    const int world = b->m_nId - 1;
    if (b->m_nId == kHubButton)
        m_pView->Post(kSwitchScene, 0);
    else if (world != m_nWorld)
        m_pView->Post(kSwitchScene, static_cast<uintptr_t>(world));
    return 1;
}

plat::Rect CNavBar::GetRect() const {
    const plat::Rect toggle = m_pToggle ? m_pToggle->m_rect : plat::Rect{};
    return m_pBar ? toggle.Union(m_pBar->m_rect) : toggle;
}
