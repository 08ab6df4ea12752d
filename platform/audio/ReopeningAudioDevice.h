#pragma once
// A sound output that survives its device going away (headphones unplugged,
// the sound server restarted). While the host's output is lost, the program
// runs on silently: Poll renders the mix on the window thread as the clock
// passes, and throws it away, so that sounds still end when they should; and
// it opens the default output again when the host says one was added, or
// every kRetryMs anyway. Never waits for the host beyond one open attempt.
//
// Window thread. The source's Render runs on the host's audio thread while
// the output is open and on the window thread while it is lost, never on
// both: the port is closed before the window thread takes over.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Clock.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioPort.h"

namespace plat {

class ReopeningAudioDevice final : public AudioDevice {
public:
    static constexpr uint32_t kRetryMs = 2000;
    // The most a Poll renders in one go, after a long stall (a suspended machine).
    static constexpr uint32_t kMaxCatchUpMs = 10000;

    // Opens `port` (owned) at once; Ok() tells whether it did. `source` and
    // `clock` must outlive the device.
    ReopeningAudioDevice(std::unique_ptr<AudioPort> port, AudioSource& source, const AudioConfig& config,
                         const Clock& clock);
    ~ReopeningAudioDevice() override;
    ReopeningAudioDevice(const ReopeningAudioDevice&) = delete;
    ReopeningAudioDevice& operator=(const ReopeningAudioDevice&) = delete;

    bool Ok() const { return open_; }
    int SampleRate() const override { return config_.sampleRate; }
    int BufferFrames() const override { return bufferFrames_; }

    // The host reports that the open output went away.
    void OnRemoved();
    // The host reports a new output device: try the default one now.
    void OnAdded();
    // Call often (every turn of the event loop): while lost, renders the
    // time passed since the last call and retries when it is time.
    void Poll();

private:
    bool TryOpen();
    void RenderSilently(uint32_t now);

    std::unique_ptr<AudioPort> port_;
    AudioSource& source_;
    AudioConfig config_;
    const Clock& clock_;
    bool open_ = false;
    int bufferFrames_;
    uint32_t lastRenderMs_ = 0;
    uint32_t nextRetryMs_ = 0;
    uint64_t carry_ = 0;  // rate * ms below one frame, in 1/1000 frames
    std::vector<int16_t> scratch_;
};

}  // namespace plat
