#pragma once
// Ends a monkey run that stopped answering: a thread of its own that wakes
// every second and, when the window thread has not come back to the monkey
// for `limit` of real time (a handler that never returns, or a loop that
// never gets idle), prints what the monkey did last and ends the program
// with status kHungExit. It reads only what Beat() handed it under its lock.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace monkey {

class Watchdog {
public:
    static constexpr int kHungExit = 3;

    explicit Watchdog(std::chrono::seconds limit);
    ~Watchdog();  // stops the thread
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // The window thread is back for input.
    void Beat();
    // What the monkey is doing now, for the message.
    void Doing(const std::string& doing);

private:
    void Run();

    const std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::chrono::steady_clock::time_point last_;
    std::string doing_;
    std::thread thread_;
};

}  // namespace monkey
