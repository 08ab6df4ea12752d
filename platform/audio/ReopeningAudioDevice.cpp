#include "platform/audio/ReopeningAudioDevice.h"

#include <algorithm>

namespace plat {

ReopeningAudioDevice::ReopeningAudioDevice(std::unique_ptr<AudioPort> port, AudioSource& source,
                                           const AudioConfig& config, const Clock& clock)
    : port_(std::move(port)), source_(source), config_(config), clock_(clock), bufferFrames_(config.bufferFrames) {
    config_.sampleRate = std::max(1, config_.sampleRate);
    config_.bufferFrames = std::max(1, config_.bufferFrames);
    scratch_.resize(2 * static_cast<size_t>(config_.bufferFrames));
    TryOpen();
}

ReopeningAudioDevice::~ReopeningAudioDevice() { port_->Close(); }

bool ReopeningAudioDevice::TryOpen() {
    const int frames = port_->Open(source_, config_);
    open_ = frames > 0;
    if (open_) bufferFrames_ = frames;
    return open_;
}

void ReopeningAudioDevice::OnRemoved() {
    if (!open_) return;
    port_->Close();
    open_ = false;
    const uint32_t now = clock_.NowMs();
    lastRenderMs_ = now;
    nextRetryMs_ = now + kRetryMs;
    carry_ = 0;
}

void ReopeningAudioDevice::OnAdded() {
    if (open_) return;
    RenderSilently(clock_.NowMs());
    if (!TryOpen()) nextRetryMs_ = clock_.NowMs() + kRetryMs;
}

void ReopeningAudioDevice::Poll() {
    if (open_) return;
    const uint32_t now = clock_.NowMs();
    RenderSilently(now);
    if (static_cast<int32_t>(now - nextRetryMs_) >= 0 && !TryOpen()) nextRetryMs_ = now + kRetryMs;
}

void ReopeningAudioDevice::RenderSilently(uint32_t now) {
    const uint32_t elapsed = std::min(now - lastRenderMs_, kMaxCatchUpMs);
    lastRenderMs_ = now;
    uint64_t frames = FramesForMs(elapsed, config_.sampleRate, carry_);
    while (frames > 0) {
        const int n = static_cast<int>(std::min<uint64_t>(frames, static_cast<uint64_t>(config_.bufferFrames)));
        source_.Render(scratch_.data(), n, config_.sampleRate);
        frames -= static_cast<uint64_t>(n);
    }
}

}  // namespace plat
