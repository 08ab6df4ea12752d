#pragma once
// The backend of tests, tools and scripted runs: no screen and no person.
// It keeps the last presented frame (ReadScreen returns it), takes no input
// of its own (scripts queue input on the window system) and plays sound into
// memory and optionally a WAV file, in step with the manual clock.
// Window thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/Clock.h"

namespace plat {

class AudioSink;

struct HeadlessOptions {
    std::string audioOutPath;  // WAV file of everything played; empty: none
    bool keepAudio = true;     // keep the played samples in memory
    AudioSink* audioSink = nullptr;  // gets every frame played; not owned
    bool showFrames = true;    // compose the frames the loop shows (false: sound only)
};

class HeadlessBackend final : public Backend {
public:
    explicit HeadlessBackend(ManualClock& clock, HeadlessOptions options = {});

    void Present(const uint32_t* xrgb, int width, int height) override;
    void PollInput(std::vector<InputEvent>& out) override { (void)out; }
    void WaitInput(uint32_t timeoutMs) override { (void)timeoutMs; }
    // Returns a HeadlessAudioDevice.
    std::unique_ptr<AudioDevice> OpenAudio(AudioSource& source, const AudioConfig& config) override;
    bool ReadScreen(std::vector<uint32_t>& xrgb, int& width, int& height) override;
    bool Interactive() const override { return false; }
    bool ShowsFrames() const override { return options_.showFrames; }

    const std::vector<uint32_t>& LastFrame() const { return frame_; }
    uint64_t FramesPresented() const { return presented_; }

private:
    ManualClock& clock_;
    HeadlessOptions options_;
    std::vector<uint32_t> frame_;
    int width_ = 0;
    int height_ = 0;
    uint64_t presented_ = 0;
};

}  // namespace plat
