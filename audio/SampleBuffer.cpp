#include "audio/SampleBuffer.h"

#include <bit>
#include <cstring>
#include <new>

#include "audio/Resampler.h"

namespace audio {

namespace {

// A file at another rate converts to at most this many frames (ten minutes
// at the mixer's rate); a longer result is refused. So is a rate below
// kMinConvertedRate: no sound is made at it, and the conversion's cost
// grows with the ratio.
constexpr uint64_t kMaxConvertedFrames = 600ull * kMixRate;
constexpr uint32_t kMinConvertedRate = 1000;

}  // namespace

std::shared_ptr<const SampleBuffer> SampleBuffer::Create(const WavFormat& format, std::span<const uint8_t> data) {
    if (!IsPlayablePcm(format)) return nullptr;
    const uint32_t frames = static_cast<uint32_t>(data.size() / format.blockAlign);
    if (frames == 0) return nullptr;

    std::shared_ptr<SampleBuffer> buffer(new (std::nothrow) SampleBuffer);
    if (!buffer) return nullptr;
    buffer->channels_ = format.channels;
    buffer->fileRate_ = format.samplesPerSec;
    buffer->frames_ = frames;
    buffer->bytesPerFrame_ = format.blockAlign;
    const size_t count = static_cast<size_t>(frames) * format.channels;
    try {
        buffer->samples_.resize(count);
        int16_t* out = buffer->samples_.data();
        if (format.bitsPerSample == 8) {
            // 8-bit PCM is unsigned with its centre at 128.
            for (size_t i = 0; i < count; ++i) out[i] = static_cast<int16_t>((data[i] - 128) * 256);
        } else if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out, data.data(), count * sizeof(int16_t));  // the file's order is the machine's
        } else {
            for (size_t i = 0; i < count; ++i)
                out[i] = static_cast<int16_t>(static_cast<uint16_t>(data[2 * i] | (data[2 * i + 1] << 8)));
        }
        if (format.samplesPerSec != static_cast<uint32_t>(kMixRate)) {
            if (format.samplesPerSec < kMinConvertedRate ||
                static_cast<uint64_t>(frames) * kMixRate / format.samplesPerSec > kMaxConvertedFrames)
                return nullptr;
            buffer->samples_ = Resampler::ConvertSound(out, frames, format.channels,
                                                       static_cast<int>(format.samplesPerSec), kMixRate);
            buffer->frames_ = static_cast<uint32_t>(buffer->samples_.size() / format.channels);
            if (buffer->frames_ == 0) return nullptr;
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return buffer;
}

}  // namespace audio
