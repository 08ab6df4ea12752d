#include "platform/headless/HeadlessAudioDevice.h"

#include <algorithm>

namespace plat {

HeadlessAudioDevice::HeadlessAudioDevice(ManualClock& clock, AudioSource& source, const AudioConfig& config,
                                         const std::string& wavPath, bool keep, AudioSink* sink)
    : clock_(clock), source_(source), config_(config), keep_(keep), sink_(sink) {
    config_.sampleRate = std::max(1, config_.sampleRate);
    config_.bufferFrames = std::max(1, config_.bufferFrames);
    chunk_.resize(static_cast<size_t>(config_.bufferFrames) * 2);
    if (!wavPath.empty()) wav_ = std::make_unique<WavWriter>(wavPath, config_.sampleRate);
    clock_.SetListener(this);
}

HeadlessAudioDevice::~HeadlessAudioDevice() { clock_.SetListener(nullptr); }

void HeadlessAudioDevice::OnClockAdvanced(uint32_t elapsedMs) {
    uint64_t frames = FramesForMs(elapsedMs, config_.sampleRate, carry_);
    while (frames > 0) {
        const int n = static_cast<int>(std::min<uint64_t>(frames, static_cast<uint64_t>(config_.bufferFrames)));
        source_.Render(chunk_.data(), n, config_.sampleRate);
        if (keep_) mixed_.insert(mixed_.end(), chunk_.begin(), chunk_.begin() + 2 * n);
        if (wav_) wav_->Write(chunk_.data(), n);
        if (sink_ != nullptr) sink_->Write(chunk_.data(), n);
        framesRendered_ += static_cast<uint64_t>(n);
        frames -= static_cast<uint64_t>(n);
    }
}

}  // namespace plat
