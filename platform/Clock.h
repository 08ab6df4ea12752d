#pragma once
// The millisecond clock every wait, timer, animation and recording reads.
// Values are unsigned 32-bit and wrap after about 49.7 days; always take
// differences as `uint32_t(now - then)`.

#include <cstdint>

namespace plat {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the program started (plus the start offset). Window thread.
    virtual uint32_t NowMs() const = 0;
    // Let `ms` milliseconds pass. A real clock sleeps; a manual clock jumps.
    virtual void Sleep(uint32_t ms) = 0;
};

// Time that moves only when told to: headless runs and tests. Advancing it
// runs the registered listener (the headless audio device mixes in step).
class ManualClock final : public Clock {
public:
    explicit ManualClock(uint32_t startMs = 0) : now_(startMs) {}
    uint32_t NowMs() const override { return now_; }
    void Sleep(uint32_t ms) override { Advance(ms); }
    void Advance(uint32_t ms);
    // Called after every advance with the number of milliseconds that passed.
    // Owned by the caller; pass nullptr to remove.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void OnClockAdvanced(uint32_t elapsedMs) = 0;
    };
    void SetListener(Listener* l) { listener_ = l; }

private:
    uint32_t now_;
    Listener* listener_ = nullptr;
};

// Wall-clock time from std::chrono::steady_clock (people's runs).
class SteadyClock final : public Clock {
public:
    explicit SteadyClock(uint32_t startMs = 0);
    uint32_t NowMs() const override;
    void Sleep(uint32_t ms) override;

private:
    uint64_t originNs_;
    uint32_t startMs_;
};

}  // namespace plat
