#include "app/monkey/Watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace monkey {

Watchdog::Watchdog(std::chrono::seconds limit)
    : limit_(limit), last_(std::chrono::steady_clock::now()), thread_([this] { Run(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::Beat() {
    std::lock_guard<std::mutex> lock(mutex_);
    last_ = std::chrono::steady_clock::now();
}

void Watchdog::Doing(const std::string& doing) {
    std::lock_guard<std::mutex> lock(mutex_);
    doing_ = doing;
}

void Watchdog::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        wake_.wait_for(lock, std::chrono::seconds(1));
        if (stop_) return;
        const auto silent = std::chrono::steady_clock::now() - last_;
        if (silent < limit_) continue;
        std::fprintf(stderr, "monkey: FAILED: the program stopped answering: %lld s of real time without coming back for input, during %s",
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(silent).count()), doing_.c_str());
        std::fflush(stderr);
        std::_Exit(kHungExit);
    }
}

}  // namespace monkey
