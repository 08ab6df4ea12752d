#pragma once
// The page's sound output through Web Audio: an audio worklet plays the mix
// and asks the page thread for more while less than four buffers wait; each
// ask renders from the source (pp_web_audio_render). The browser keeps the
// output suspended until the user first clicks or presses a key on the page.
// The page counts the frames rendered and those that are not silent
// (Module.ppSound). Page thread: the only thread of the page, so Render never
// runs during the program's own work, only while it waits.

#include <cstdint>
#include <vector>

#include "platform/audio/AudioDevice.h"

namespace plat {

class WebAudioDevice final : public AudioDevice {
public:
    // Opens the output at the configured rate (or the browser's own, when it
    // refuses that one). Ok() is false when the browser has no Web Audio.
    WebAudioDevice(AudioSource& source, const AudioConfig& config);
    ~WebAudioDevice() override;
    WebAudioDevice(const WebAudioDevice&) = delete;
    WebAudioDevice& operator=(const WebAudioDevice&) = delete;

    bool Ok() const { return rate_ > 0; }
    int SampleRate() const override { return rate_; }
    int BufferFrames() const override { return frames_; }

    // Renders `frames` (at most BufferFrames()) interleaved stereo frames
    // from the source into the device's own buffer and returns it.
    const int16_t* Render(int frames);

private:
    AudioSource& source_;
    int rate_ = 0;
    int frames_;
    std::vector<int16_t> buffer_;
};

}  // namespace plat
