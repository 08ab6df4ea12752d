#pragma once
// One loaded sound's samples, immutable once made and shared (by shared_ptr)
// between a sound and its duplicates. Samples are kept as signed 16-bit in
// the file's channel layout and rate; the mixer converts while it plays.
// Created and released on the window thread; read by the mixer's Render.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "audio/WavReader.h"

namespace audio {

class SampleBuffer {
public:
    // Converts `data` (PCM bytes in `format`) to a buffer; a trailing partial
    // frame is dropped. Null when the format is not playable (IsPlayablePcm)
    // or there is not one whole frame.
    static std::shared_ptr<const SampleBuffer> Create(const WavFormat& format, std::span<const uint8_t> data);

    int Channels() const { return channels_; }
    uint32_t SampleRate() const { return sampleRate_; }
    uint32_t Frames() const { return frames_; }
    // Bytes per frame in the file, so play positions read in the file's bytes.
    uint32_t BytesPerFrame() const { return bytesPerFrame_; }
    // Frames() * Channels() samples, interleaved.
    const int16_t* Samples() const { return samples_.data(); }

private:
    SampleBuffer() = default;

    int channels_ = 0;
    uint32_t sampleRate_ = 0;
    uint32_t frames_ = 0;
    uint32_t bytesPerFrame_ = 0;
    std::vector<int16_t> samples_;
};

}  // namespace audio
