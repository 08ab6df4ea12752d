#include "app/monkey/Sight.h"

#include "app/MainFrame.h"
#include "app/PlinkpadApp.h"
#include "app/PlinkpadView.h"
#include "graphics/DIBButton.h"
#include "graphics/StageOrigin.h"
#include "platform/window/EditControl.h"
#include "platform/window/WindowSystem.h"
#include "recording/RecordPalette.h"
#include "scenes/Scene.h"
#include "scenes/center/CenterScene.h"
#include "scenes/center/MenuPanel.h"

namespace monkey {

namespace {
constexpr int kTries = 40;        // random points tried inside a button's rectangle
constexpr int kHubQuitSpot = 38;  // the hub's quit control
constexpr int kMenuQuitEntry = 60;
// The palette's volume slider: level k answers from y = 26 + 10 (k - 1), 10 pixels high.
constexpr int kVolumeX = 98, kVolumeTop = 26, kVolumeStep = 10;
}  // namespace

CPlinkpadView* Sight::View() const {
    CMainFrame* frame = TheApp().MainFrame();
    return frame != nullptr ? frame->View() : nullptr;
}

CScene* Sight::Scene() const {
    CPlinkpadView* view = View();
    CScene* scene = view != nullptr ? view->Scene() : nullptr;
    return scene != nullptr && !scene->m_bNotReady ? scene : nullptr;
}

CCenterScene* Sight::Hub() const { return dynamic_cast<CCenterScene*>(Scene()); }

CRecordPalette* Sight::Palette() const {
    CScene* scene = Scene();
    auto* palette = scene != nullptr ? dynamic_cast<CRecordPalette*>(scene->Palette()) : nullptr;
    if (palette == nullptr || !palette->IsCreated() || !palette->IsVisible()) return nullptr;
    const int anyButton = palette->IsCompact() ? CRecordPalette::kStopId : CRecordPalette::kRecordId;
    return palette->FindButton(anyButton) != nullptr ? palette : nullptr;
}

CSession* Sight::Session() const {
    CPlinkpadView* view = View();
    return view != nullptr ? view->Session() : nullptr;
}

bool Sight::Modal() const { return windows_.IsModalRunning(); }

std::optional<plat::Point> Sight::In(CDIBButton* b, const plat::Window& w) {
    if (b == nullptr || b->m_rect.IsEmpty()) return std::nullopt;
    const plat::Rect& r = b->m_rect;
    for (int i = 0; i < kTries; ++i) {
        const plat::Point p{r.left + rng_.Below(r.Width()), r.top + rng_.Below(r.Height())};
        if (b->HitTest(p.x, p.y)) return w.ClientToDesktop(p);
    }
    return std::nullopt;
}

std::optional<plat::Point> Sight::InSpot(CDIBButton* b) {
    CPlinkpadView* view = View();
    return view != nullptr ? In(b, *view) : std::nullopt;
}

std::optional<plat::Point> Sight::PaletteControl(int id) {
    CRecordPalette* palette = Palette();
    return palette != nullptr ? In(palette->FindButton(id), *palette) : std::nullopt;
}

std::optional<plat::Point> Sight::PaletteCaption() {
    CRecordPalette* palette = Palette();
    if (palette == nullptr) return std::nullopt;
    const plat::Rect outer = palette->OuterRect();
    const int captionBottom = palette->ClientOrigin().y;
    if (captionBottom <= outer.top + 1) return std::nullopt;
    return plat::Point{outer.left + 10 + rng_.Below(outer.Width() - 20), outer.top + 1 + rng_.Below(captionBottom - outer.top - 1)};
}

std::optional<plat::Point> Sight::PaletteNameBox() {
    CRecordPalette* palette = Palette();
    if (palette == nullptr || palette->IsCompact() || !palette->Edit().IsVisible()) return std::nullopt;
    const plat::Rect r = palette->Edit().OuterRect();
    return palette->ClientToDesktop({r.left + 2 + rng_.Below(r.Width() - 4), r.top + r.Height() / 2});
}

std::optional<plat::Point> Sight::PaletteVolume(int level) {
    CRecordPalette* palette = Palette();
    if (palette == nullptr || palette->IsCompact()) return std::nullopt;
    return palette->ClientToDesktop({kVolumeX, kVolumeTop + kVolumeStep * (level - 1) + kVolumeStep / 2});
}

plat::Point Sight::OnStage() {
    CPlinkpadView* view = View();
    CScene* scene = Scene();
    if (view == nullptr || scene == nullptr) return OnScreen();
    const StageOrigin& o = TheStageOrigin();
    return view->ClientToDesktop(
        {o.x + rng_.Below(scene->m_nStageWidth), o.y + rng_.Below(scene->m_nStageHeight)});
}

plat::Point Sight::OnScreen() {
    const plat::Display& d = windows_.GetDisplay();
    return {rng_.Below(d.Width()), rng_.Below(d.Height())};
}

int Sight::PaletteButtonAt(plat::Point p) const {
    CRecordPalette* palette = Palette();
    if (palette == nullptr || Modal()) return -1;
    const plat::Point local = palette->DesktopToClient(p);
    if (!palette->ClientRect().Contains(local)) return -1;
    using P = CRecordPalette;
    static constexpr int kFull[] = {P::kRecordId, P::kPlayId, 2, 3, 4, 5, 6, 7, P::kClearCutId, P::kPlayAllId, P::kHelpId};
    static constexpr int kCompact[] = {2, 3, 4, 5, 6, 7, P::kStopId};
    auto firstTaker = [&](const auto& ids) {
        for (int id : ids)
            if (CDIBButton* b = palette->FindButton(id); b != nullptr && b->HitTest(local.x, local.y)) return id;
        return -1;
    };
    return palette->IsCompact() ? firstTaker(kCompact) : firstTaker(kFull);
}

bool Sight::QuitsAt(plat::Point p) const {
    CCenterScene* hub = Hub();
    if (hub == nullptr || hub->m_bHelpShown) return false;
    const plat::Point local = View()->DesktopToClient(p);
    if (CDIBButton* h = hub->HitTest(local.x, local.y); h != nullptr && h->m_nId == kHubQuitSpot) return true;
    if (hub->m_pMenuPanel == nullptr) return false;
    for (const auto& group : hub->m_pMenuPanel->m_groups)
        for (const auto& entry : group->entries)
            if (entry->m_nId == kMenuQuitEntry && entry->m_rect.Contains(local)) return true;
    return false;
}

}  // namespace monkey
