#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace plat {

void ManualClock::Advance(uint32_t ms) {
    now_ += ms;  // wraps like the host's millisecond counter
    if (listener_ != nullptr && ms != 0) listener_->OnClockAdvanced(ms);
}

namespace {
uint64_t SteadyNs() {
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}
}  // namespace

SteadyClock::SteadyClock(uint32_t startMs) : originNs_(SteadyNs()), startMs_(startMs) {}

uint32_t SteadyClock::NowMs() const {
    return startMs_ + static_cast<uint32_t>((SteadyNs() - originNs_) / 1000000u);
}

void SteadyClock::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace plat
