#include "app/render/SessionRender.h"

#include <algorithm>
#include <limits>

#include "app/MainFrame.h"
#include "app/PlinkpadApp.h"
#include "app/PlinkpadView.h"
#include "app/render/RenderCapture.h"
#include "app/render/RenderPalette.h"
#include "app/render/RenderProgress.h"
#include "audio/SoundEngine.h"
#include "graphics/DIBButton.h"
#include "platform/window/InputEvent.h"
#include "platform/window/Keys.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"
#include "scenes/Scene.h"

namespace {

// Program time each phase may take before the render gives up. Start-up
// (splash and the hub's intro) and opening the palette take a few seconds.
constexpr uint32_t kArriveLimitMs = 60000;
constexpr uint32_t kOpenLimitMs = 10000;
// Waiting for the program to fall quiet before the click; it goes on after
// this anyway.
constexpr uint32_t kSettleLimitMs = 10000;
// The playback takes the cuts' own time plus what the program spends between
// events (handlers that wait, a timer tick per event, world switches and
// their intros); beyond this it is taken as stuck.
constexpr uint64_t kPlaySlackMs = 10 * 60 * 1000;
constexpr uint64_t kPlaySlackPerEventMs = 200;
// The longest step of program time between two looks at the program.
constexpr uint32_t kMaxStepMs = 250;
// Ring-out in steps of this much; the loops' gain changes once a step.
constexpr uint32_t kRingOutStepMs = 10;
// One-shots end by themselves; this only bounds a ring-out that would not.
constexpr uint32_t kMaxRingOutMs = 5 * 60 * 1000;

plat::InputEvent Input(plat::InputEvent::Type type, plat::Point at = {}, int key = 0) {
    plat::InputEvent e;
    e.type = type;
    e.pos = at;
    e.key = key;
    return e;
}

}  // namespace

SessionRender::SessionRender(plat::WindowSystem& windows, plat::ManualClock& clock, RenderCapture& capture,
                             RenderProgress& progress, std::unique_ptr<CSession> session, std::string title,
                             uint64_t playMs, uint64_t events, std::function<bool()> interrupted)
    : windows_(windows),
      clock_(clock),
      capture_(capture),
      progress_(progress),
      session_(std::move(session)),
      title_(std::move(title)),
      playLimitMs_(static_cast<uint32_t>(std::min<uint64_t>(
          playMs + kPlaySlackMs + kPlaySlackPerEventMs * events, std::numeric_limits<int32_t>::max()))),
      interrupted_(std::move(interrupted)),
      phaseStartMs_(clock.NowMs()) {}

SessionRender::~SessionRender() = default;

CPlinkpadView* SessionRender::View() const {
    CMainFrame* frame = TheApp().MainFrame();
    return frame != nullptr ? frame->View() : nullptr;
}

bool SessionRender::HubArrived() const {
    const CPlinkpadView* view = View();
    const CScene* scene = view != nullptr ? view->Scene() : nullptr;
    // The hub lets the pointer go once its intro is over.
    return scene != nullptr && scene->m_nScene == 0 && !scene->m_bNotReady && !windows_.CursorClip();
}

std::optional<plat::Point> SessionRender::PlayAllPoint() const {
    CPlinkpadView* view = View();
    CScene* scene = view != nullptr ? view->Scene() : nullptr;
    if (scene == nullptr || scene->Palette() == nullptr) return std::nullopt;
    // The view makes every palette of a render (NewRenderPalette).
    CRecordPalette& palette = static_cast<RenderPalette*>(scene->Palette())->Palette();
    CDIBButton* button = palette.FindButton(CRecordPalette::kPlayAllId);
    if (button == nullptr) return std::nullopt;
    // The point of the button's mask nearest the middle of its rectangle.
    const plat::Rect r = button->m_rect;
    const plat::Point middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    std::optional<plat::Point> best;
    long bestDistance = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            if (!button->HitTest(x, y)) continue;
            const long d = long(x - middle.x) * (x - middle.x) + long(y - middle.y) * (y - middle.y);
            if (!best || d < bestDistance) {
                best = plat::Point{x, y};
                bestDistance = d;
            }
        }
    if (!best) return std::nullopt;
    return palette.ClientToDesktop(*best);
}

bool SessionRender::PlaybackOver() const {
    const CPlinkpadView* view = View();
    const CSession* session = view != nullptr ? view->Session() : nullptr;
    return session == nullptr || (!session->IsPlaying() && !session->IsSwitchingWorld());
}

void SessionRender::Enter(Phase phase) {
    phase_ = phase;
    phaseStartMs_ = clock_.NowMs();
}

bool SessionRender::Overdue(uint32_t limitMs) const { return uint32_t(clock_.NowMs() - phaseStartMs_) >= limitMs; }

void SessionRender::Wait(std::optional<uint32_t> nextTimerDue) {
    uint32_t step = kMaxStepMs;
    if (nextTimerDue) {
        const int32_t toTimer = static_cast<int32_t>(*nextTimerDue - clock_.NowMs());
        if (toTimer <= 0) return;  // the loop delivers that tick first
        step = std::min(step, static_cast<uint32_t>(toTimer));
    }
    clock_.Advance(step);
}

void SessionRender::LoadAndOpenPalette() {
    CPlinkpadView& view = *View();
    view.SetPaletteFactory(NewRenderPalette);
    view.AdoptSession(std::move(session_), title_);
    windows_.QueueInput(Input(plat::InputEvent::Type::KeyDown, {}, plat::vk::kTab));
    windows_.QueueInput(Input(plat::InputEvent::Type::KeyUp, {}, plat::vk::kTab));
}

void SessionRender::ClickPlayAll(plat::Point at) {
    capture_.Start();
    windows_.QueueInput(Input(plat::InputEvent::Type::MouseMove, at));
    windows_.QueueInput(Input(plat::InputEvent::Type::LButtonDown, at));
    windows_.QueueInput(Input(plat::InputEvent::Type::LButtonUp, at));
}

bool SessionRender::Step(std::optional<uint32_t> nextTimerDue) {
    if (phase_ == Phase::Over) return true;
    if (interrupted_ && interrupted_()) {
        Finish(Outcome::Interrupted);
        return true;
    }
    if (capture_.Failed()) {
        Finish(Outcome::WriteFailed);
        return true;
    }
    switch (phase_) {
        case Phase::Arriving:
            if (HubArrived()) {
                LoadAndOpenPalette();
                Enter(Phase::OpeningPalette);
            } else if (Overdue(kArriveLimitMs)) {
                Finish(Outcome::NoHub);
            } else {
                Wait(nextTimerDue);
            }
            break;
        case Phase::OpeningPalette:
            if (PlayAllPoint()) {
                Enter(Phase::Settling);
            } else if (Overdue(kOpenLimitMs)) {
                Finish(Outcome::NoPalette);
            } else {
                Wait(nextTimerDue);
            }
            break;
        case Phase::Settling: {
            const audio::Mixer::PlayingVoices playing = View()->Engine()->Mixer().CountPlaying();
            if ((playing.oneShots > 0 || playing.loops > 0) && !Overdue(kSettleLimitMs)) {
                Wait(nextTimerDue);
            } else if (const std::optional<plat::Point> at = PlayAllPoint()) {
                ClickPlayAll(*at);
                Enter(Phase::Playing);
            } else {
                Finish(Outcome::NoPalette);
            }
            break;
        }
        case Phase::Playing:
            progress_.Update(uint32_t(clock_.NowMs() - phaseStartMs_));
            if (PlaybackOver()) {
                RingOut();
                Finish(capture_.Failed() ? Outcome::WriteFailed : Outcome::Done);
            } else if (Overdue(playLimitMs_)) {
                Finish(Outcome::Stuck);
            } else {
                Wait(nextTimerDue);
            }
            break;
        case Phase::Over:
            break;
    }
    return true;
}

void SessionRender::RingOut() {
    // The program stands still now: only the mixer goes on.
    audio::Mixer& mixer = View()->Engine()->Mixer();
    const uint32_t fadeMs = mixer.CountPlaying().loops > 0 ? kLoopFadeMs : 0;
    for (uint32_t t = 0; t < kMaxRingOutMs && (t < fadeMs || mixer.CountPlaying().oneShots > 0);
         t += kRingOutStepMs) {
        const double middle = t + kRingOutStepMs / 2.0;
        mixer.SetLoopGain(t < fadeMs ? 1.0 - middle / fadeMs : 0.0);
        clock_.Advance(kRingOutStepMs);
    }
}

void SessionRender::Finish(Outcome outcome) {
    capture_.Stop();
    if (phase_ == Phase::Playing) renderedMs_ = uint32_t(clock_.NowMs() - phaseStartMs_);
    progress_.Finish();
    outcome_ = outcome;
    phase_ = Phase::Over;
    windows_.PostQuit(0);
}
