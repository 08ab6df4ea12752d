#pragma once
// The audio output of headless runs: it renders from the source in step with
// the manual clock, so a scripted run hears exactly what a person would in
// the same program time. Each advance of n ms renders n * rate / 1000 frames,
// carrying the fraction to the next advance, so any split of the same time
// gives the same frames. Everything rendered is kept in memory (tests read
// it), optionally written to a WAV file and handed to a sink. Window thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/audio/AudioDevice.h"
#include "platform/headless/WavWriter.h"

namespace plat {

class HeadlessAudioDevice final : public AudioDevice, public ManualClock::Listener {
public:
    // Registers itself as the clock's listener until destroyed. `wavPath`
    // empty: no file. `keep` false: nothing kept in memory (long runs).
    // `sink` (not owned, may be null) gets every frame rendered.
    HeadlessAudioDevice(ManualClock& clock, AudioSource& source, const AudioConfig& config,
                        const std::string& wavPath = {}, bool keep = true, AudioSink* sink = nullptr);
    ~HeadlessAudioDevice() override;

    int SampleRate() const override { return config_.sampleRate; }
    int BufferFrames() const override { return config_.bufferFrames; }
    void OnClockAdvanced(uint32_t elapsedMs) override;

    // Interleaved stereo samples rendered so far (when kept).
    const std::vector<int16_t>& Mixed() const { return mixed_; }
    uint64_t FramesRendered() const { return framesRendered_; }
    bool WavOpen() const { return wav_ != nullptr && wav_->IsOpen(); }

private:
    ManualClock& clock_;
    AudioSource& source_;
    AudioConfig config_;
    bool keep_;
    AudioSink* sink_;
    uint64_t carry_ = 0;  // rate * ms remainder below one frame, in 1/1000 frames
    uint64_t framesRendered_ = 0;
    std::vector<int16_t> chunk_;
    std::vector<int16_t> mixed_;
    std::unique_ptr<WavWriter> wav_;
};

}  // namespace plat
