#pragma once
// The last stage of the mix: a look-ahead peak limiter that keeps the sum of
// the voices under kCeiling (just below -1 dBFS) without clipping it. Frames
// are delayed by LookAheadFrames() (about 1.3 ms); over that time the gain
// glides down to what the loudest frame ahead needs, by at most
// 1 / (LookAheadFrames() + 1) per frame, and comes back up with a release of
// about 100 ms. A mix that stays below the ceiling passes with a gain of
// exactly 1, so single sounds keep their levels.
//
// Built on the window thread; Process runs on the device thread with no
// allocation, lock or wait. Integer gain arithmetic: the same input gives the
// same bytes.

#include <cstdint>
#include <vector>

namespace audio {

class Limiter {
public:
    static constexpr float kCeiling = 0.8810f;  // -1.1 dBFS, full scale 1.0
    static constexpr uint32_t kUnity = 1u << 24;  // gain 1.0

    // `rate` in frames per second.
    explicit Limiter(int rate);

    int LookAheadFrames() const { return window_ - 1; }
    // The gain that the latest frame left with, kUnity = 1.0 (tests).
    uint32_t Gain() const { return static_cast<uint32_t>(boxSum_ >> windowShift_); }

    // Limits `frames` interleaved stereo frames (full scale 1.0) into 16-bit
    // samples.
    void Process(const float* in, int16_t* out, int frames);

private:
    int window_;        // a power of two: look-ahead + 1 frames
    int windowShift_;   // log2(window_)
    uint32_t release_;  // share of the way back to unity per frame, in 1 / kUnity
    uint64_t frame_ = 0;
    uint32_t envelope_ = kUnity;
    uint64_t boxSum_;
    std::vector<float> delay_;       // window_ stereo frames
    std::vector<uint32_t> box_;      // the envelope's last window_ values
    // The smallest gain needed over the last window_ frames: a queue of
    // (frame, gain) with rising gains, in a ring of window_ entries.
    std::vector<uint64_t> minFrames_;
    std::vector<uint32_t> minGains_;
    int minHead_ = 0;
    int minCount_ = 0;
};

}  // namespace audio
