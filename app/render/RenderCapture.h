#pragma once
// The sound of a render: from Start to Stop, every frame the headless audio
// device renders goes to the render's file. Window thread.

#include <cstdint>

#include "platform/audio/AudioDevice.h"

class RenderFile;

class RenderCapture final : public plat::AudioSink {
public:
    // `file` is not owned and must outlive the capture.
    explicit RenderCapture(RenderFile& file) : file_(file) {}

    void Write(const int16_t* interleaved, int frames) override;
    void Start() { capturing_ = true; }
    void Stop() { capturing_ = false; }
    // A write failed (the disk is full, say); the file tells why.
    bool Failed() const { return failed_; }

private:
    RenderFile& file_;
    bool capturing_ = false;
    bool failed_ = false;
};
