#pragma once
// One loaded sound's samples, immutable once made and shared (by shared_ptr)
// between a sound and its duplicates. Samples are kept as signed 16-bit in
// the file's channel layout at the mixer's rate, kMixRate: a file at another
// rate is converted once, when it is loaded (band-limited, Resampler), so
// the mixer only ever sums frames one for one. Created and released on the
// window thread; read by the mixer's Render.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "audio/WavReader.h"

namespace audio {

// The rate the voices are summed at: the program's own sounds' rate.
inline constexpr int kMixRate = 22050;

class SampleBuffer {
public:
    // Converts `data` (PCM bytes in `format`) to a buffer; a trailing partial
    // frame is dropped. Null when the format is not playable (IsPlayablePcm),
    // there is not one whole frame, the rate is below 1000 Hz, or the sound
    // would be longer than ten minutes at kMixRate.
    static std::shared_ptr<const SampleBuffer> Create(const WavFormat& format, std::span<const uint8_t> data);

    int Channels() const { return channels_; }
    // Frames at kMixRate.
    uint32_t Frames() const { return frames_; }
    // Frames() * Channels() samples, interleaved.
    const int16_t* Samples() const { return samples_.data(); }
    // Where `frame` (at kMixRate) lies in the file's data, in bytes, so play
    // positions read as the file's.
    uint32_t FileBytesAt(uint32_t frame) const {
        return static_cast<uint32_t>(static_cast<uint64_t>(frame) * fileRate_ / kMixRate) * bytesPerFrame_;
    }

private:
    SampleBuffer() = default;

    int channels_ = 0;
    uint32_t fileRate_ = 0;
    uint32_t frames_ = 0;
    uint32_t bytesPerFrame_ = 0;
    std::vector<int16_t> samples_;
};

}  // namespace audio
