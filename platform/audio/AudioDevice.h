#pragma once
// The audio output. A device pulls stereo frames from an AudioSource: on its
// own thread for SDL2, in step with the manual clock for headless runs.

#include <cstdint>

namespace plat {

struct AudioConfig {
    int sampleRate = 48000;   // device frames per second
    int bufferFrames = 512;   // frames per device callback
};

// Produces sound. Render is called on the device's thread (SDL2) or the window
// thread (headless): it must not block, allocate or take a lock that the
// window thread holds while working.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills `frames` interleaved stereo frames (left, right) at `sampleRate`.
    virtual void Render(int16_t* out, int frames, int sampleRate) = 0;
};

// Takes the frames a headless device renders, in order, as they are rendered
// (a render of a session into a sound file). Window thread.
class AudioSink {
public:
    virtual ~AudioSink() = default;
    virtual void Write(const int16_t* interleaved, int frames) = 0;
};

// The frames `elapsedMs` more milliseconds make at `rate`, with the part
// below a frame carried in `carry` (thousandths of a frame), so that any
// split of the same time gives the same frames.
inline uint64_t FramesForMs(uint32_t elapsedMs, int rate, uint64_t& carry) {
    const uint64_t total = static_cast<uint64_t>(elapsedMs) * static_cast<uint64_t>(rate) + carry;
    carry = total % 1000;
    return total / 1000;
}

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    virtual int SampleRate() const = 0;
    virtual int BufferFrames() const = 0;
};

}  // namespace plat
