#include "platform/headless/HeadlessBackend.h"

#include "platform/headless/HeadlessAudioDevice.h"

namespace plat {

HeadlessBackend::HeadlessBackend(ManualClock& clock, HeadlessOptions options)
    : clock_(clock), options_(std::move(options)) {}

void HeadlessBackend::Present(const uint32_t* xrgb, int width, int height) {
    frame_.assign(xrgb, xrgb + static_cast<size_t>(width) * static_cast<size_t>(height));
    width_ = width;
    height_ = height;
    ++presented_;
}

std::unique_ptr<AudioDevice> HeadlessBackend::OpenAudio(AudioSource& source, const AudioConfig& config) {
    return std::make_unique<HeadlessAudioDevice>(clock_, source, config, options_.audioOutPath, options_.keepAudio,
                                                 options_.audioSink);
}

bool HeadlessBackend::ReadScreen(std::vector<uint32_t>& xrgb, int& width, int& height) {
    if (presented_ == 0) return false;
    xrgb = frame_;
    width = width_;
    height = height_;
    return true;
}

}  // namespace plat
