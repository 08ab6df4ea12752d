#pragma once
// Drives the running program through "Play all cuts" of one session, the way
// a person would, for a render. Once the hub has arrived it takes the session
// (as the Open command does), opens the Record/Play palette with Tab, waits
// until nothing sounds, clicks "Play all cuts" and lets program time pass,
// timer by timer, until the playback has ended. Then the program stands still
// while the sound rings out: one-shots play to their end, loops fade out over
// 2 seconds. Sound is captured from the click to the end of the ring-out.
//
// It is the window system's input script for the run (so message boxes take
// their default answers) and ends the run when it is done or fails.
// Window thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/Geometry.h"
#include "platform/window/InputScript.h"

namespace plat {
class WindowSystem;
}

class CPlinkpadView;
class CSession;
class RenderCapture;
class RenderProgress;

class SessionRender final : public plat::InputScript {
public:
    enum class Outcome {
        Running,
        Done,
        NoHub,        // the program never showed its hub (its messages tell why)
        NoPalette,    // the Record/Play palette did not open
        Stuck,        // the playback did not end in the time its cuts allow
        WriteFailed,  // the sound file could not take the sound
        Interrupted,  // `interrupted` said so
    };
    static constexpr uint32_t kLoopFadeMs = 2000;

    // `playMs`: how long the cuts play by their event times, `events` how
    // many events they hold (the time limit of the playback comes from both).
    // `interrupted` is asked at every step. Everything must outlive the run.
    SessionRender(plat::WindowSystem& windows, plat::ManualClock& clock, RenderCapture& capture,
                  RenderProgress& progress, std::unique_ptr<CSession> session, std::string title, uint64_t playMs,
                  uint64_t events, std::function<bool()> interrupted);
    ~SessionRender() override;

    bool Step(std::optional<uint32_t> nextTimerDue) override;

    Outcome Result() const { return outcome_; }
    // Program time captured: from the click on "Play all cuts" to the end of
    // the ring-out.
    uint64_t RenderedMs() const { return renderedMs_; }

private:
    enum class Phase { Arriving, OpeningPalette, Settling, Playing, Over };

    CPlinkpadView* View() const;
    bool HubArrived() const;
    // The desktop point of the built palette's "Play all cuts"; none before.
    std::optional<plat::Point> PlayAllPoint() const;
    bool PlaybackOver() const;
    // The phase has run for `limitMs` of program time.
    bool Overdue(uint32_t limitMs) const;
    // Lets program time pass up to the next timer (at most a step), as a
    // script's wait does.
    void Wait(std::optional<uint32_t> nextTimerDue);
    void Enter(Phase phase);
    void LoadAndOpenPalette();
    void ClickPlayAll(plat::Point at);
    void RingOut();
    void Finish(Outcome outcome);

    plat::WindowSystem& windows_;
    plat::ManualClock& clock_;
    RenderCapture& capture_;
    RenderProgress& progress_;
    std::unique_ptr<CSession> session_;
    std::string title_;
    uint32_t playLimitMs_;
    std::function<bool()> interrupted_;
    Phase phase_ = Phase::Arriving;
    uint32_t phaseStartMs_;  // for Playing: the click on "Play all cuts"
    uint64_t renderedMs_ = 0;
    Outcome outcome_ = Outcome::Running;
};
