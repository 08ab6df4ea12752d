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

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    virtual int SampleRate() const = 0;
    virtual int BufferFrames() const = 0;
};

}  // namespace plat
