#pragma once
// The sound of a render: from Start to Stop, every frame the headless audio
// device renders goes to the sound file. Window thread.

#include <cstdint>

#include "platform/audio/AudioDevice.h"

namespace audio {
class SoundFileWriter;
}

class RenderCapture final : public plat::AudioSink {
public:
    // `writer` is not owned and must outlive the capture.
    explicit RenderCapture(audio::SoundFileWriter& writer) : writer_(writer) {}

    void Write(const int16_t* interleaved, int frames) override;
    void Start() { capturing_ = true; }
    void Stop() { capturing_ = false; }
    // A write failed (the disk is full, say); the writer tells why.
    bool Failed() const { return failed_; }

private:
    audio::SoundFileWriter& writer_;
    bool capturing_ = false;
    bool failed_ = false;
};
