#include "app/render/RenderProgress.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr double kMostBeforeEnd = 0.99;  // the end comes only with Finish

// The bar for a part done (0..1) and the seconds left (negative: not known
// yet), e.g. "[##########....................]  35%  0:12 left".
std::string Line(double part, double secondsLeft) {
    part = std::clamp(part, 0.0, 1.0);
    const int filled = static_cast<int>(part * kBarWidth);
    std::string line = "[" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(kBarWidth - filled), '.') + "]";
    char tail[48];
    if (secondsLeft < 0) {
        std::snprintf(tail, sizeof tail, " %3d%%  -:-- left", static_cast<int>(part * 100));
    } else {
        const long s = std::lround(secondsLeft);
        std::snprintf(tail, sizeof tail, " %3d%%  %ld:%02ld left", static_cast<int>(part * 100), s / 60, s % 60);
    }
    return line + tail;
}

}  // namespace

RenderProgress::RenderProgress(std::FILE* out, bool shown, uint64_t expectedMs)
    : out_(out), shown_(shown), expectedMs_(std::max<uint64_t>(expectedMs, 1)) {}

void RenderProgress::Update(uint64_t doneMs) {
    if (!shown_) return;
    const Clock::time_point now = Clock::now();
    if (!started_) {
        started_ = true;
        start_ = now;
    }
    if (drawn_ && now - lastDrawn_ < kRedrawEvery) return;
    const double part = std::min(kMostBeforeEnd, static_cast<double>(doneMs) / static_cast<double>(expectedMs_));
    const double spent = std::chrono::duration<double>(now - start_).count();
    // The rate so far holds for the rest; unknown until some time was rendered.
    const double left = part > 0.01 ? spent * (1 - part) / part : -1;
    std::fprintf(out_, "\r%s", Line(part, left).c_str());
    std::fflush(out_);
    lastDrawn_ = now;
    drawn_ = true;
}

void RenderProgress::Finish() {
    if (!shown_ || !drawn_) return;
    std::fprintf(out_, "\r%*s\r", kBarWidth + 20, "");
    std::fflush(out_);
    drawn_ = false;
}
