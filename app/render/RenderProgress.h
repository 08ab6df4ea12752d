#pragma once
// The progress bar of a render on standard error, for a person watching a
// terminal: the part of the program time done and the time left, redrawn in
// place a few times a second. Window thread.

#include <chrono>
#include <cstdint>
#include <cstdio>

class RenderProgress {
public:
    // Draws on `out` only when `shown`; `expectedMs` is the program time the
    // render is expected to take (the bar stops short of the end until Finish).
    RenderProgress(std::FILE* out, bool shown, uint64_t expectedMs);

    // `doneMs` of program time are rendered (the first call starts the clock
    // that the time left is reckoned from).
    void Update(uint64_t doneMs);
    // Clears the bar.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    std::FILE* out_;
    bool shown_;
    uint64_t expectedMs_;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
    bool started_ = false;
    bool drawn_ = false;
};
