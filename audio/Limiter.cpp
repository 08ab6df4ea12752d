#include "audio/Limiter.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

constexpr double kLookAheadSeconds = 0.00125;  // at least; rounded up to a power of two of frames
constexpr double kReleaseSeconds = 0.1;
// The release's last stretch, where the exponential's steps round to nothing.
constexpr uint32_t kRiseAtLeast = Limiter::kUnity >> 16;

}  // namespace

Limiter::Limiter(int rate) {
    rate = std::max(1, rate);
    const double wanted = std::max(2.0, std::ceil(rate * kLookAheadSeconds) + 1);
    window_ = 1;
    windowShift_ = 0;
    while (window_ < wanted) {
        window_ *= 2;
        ++windowShift_;
    }
    release_ = static_cast<uint32_t>(std::lround((1.0 - std::exp(-1.0 / (kReleaseSeconds * rate))) * kUnity));
    boxSum_ = static_cast<uint64_t>(kUnity) * static_cast<uint64_t>(window_);
    delay_.assign(2 * static_cast<size_t>(window_), 0.0f);
    box_.assign(static_cast<size_t>(window_), kUnity);
    minFrames_.assign(static_cast<size_t>(window_), 0);
    minGains_.assign(static_cast<size_t>(window_), kUnity);
}

namespace {

// The 16-bit sample of `x` (full scale 1) at `gain` (32768 for unity),
// rounded half up by truncating a positive value.
inline int16_t ToSample(float x, double gain) {
    const double v = std::clamp(x * gain, -32768.0, 32767.0) + 32768.5;
    return static_cast<int16_t>(static_cast<int32_t>(v) - 32768);
}

}  // namespace

void Limiter::Process(const float* in, int16_t* out, int frames) {
    const uint64_t mask = static_cast<uint64_t>(window_) - 1;
    const double toSample = 32768.0 / static_cast<double>(uint64_t{1} << (24 + windowShift_));
    const uint64_t fullBox = static_cast<uint64_t>(kUnity) * static_cast<uint64_t>(window_);
    for (int i = 0; i < frames;) {
        // At rest (unity everywhere in the window), frames under the ceiling
        // only pass through the delay; the state after them is what the
        // steps below would leave.
        if (envelope_ == kUnity && boxSum_ == fullBox && (minCount_ == 0 || minGains_[minHead_] == kUnity)) {
            const int first = i;
            for (; i < frames && std::max(std::fabs(in[2 * i]), std::fabs(in[2 * i + 1])) <= kCeiling; ++i, ++frame_) {
                float* delayed = &delay_[2 * (frame_ & mask)];
                delayed[0] = in[2 * i];
                delayed[1] = in[2 * i + 1];
                const float* oldest = &delay_[2 * ((frame_ + 1) & mask)];
                out[2 * i] = ToSample(oldest[0], 32768.0);
                out[2 * i + 1] = ToSample(oldest[1], 32768.0);
            }
            if (i > first) {
                minHead_ = 0;
                minCount_ = 1;
                minFrames_[0] = frame_ - 1;
                minGains_[0] = kUnity;
                continue;
            }
        }

        const float left = in[2 * i], right = in[2 * i + 1];
        const float peak = std::max(std::fabs(left), std::fabs(right));
        const uint32_t need = peak > kCeiling ? static_cast<uint32_t>(kCeiling / peak * kUnity) : kUnity;

        // The smallest need over the window: drop the one that left the window
        // and the larger ones before this frame.
        if (minCount_ > 0 && minFrames_[minHead_] + static_cast<uint64_t>(window_) <= frame_) {
            minHead_ = static_cast<int>((minHead_ + 1) & mask);
            --minCount_;
        }
        while (minCount_ > 0 && minGains_[(minHead_ + minCount_ - 1) & mask] >= need) --minCount_;
        const size_t tail = (minHead_ + minCount_) & mask;
        minFrames_[tail] = frame_;
        minGains_[tail] = need;
        ++minCount_;
        const uint32_t hold = minGains_[minHead_];

        // Down at once to the hold, back up slowly; then averaged over the
        // window, so that the gain reaches the hold's value by the time its
        // frame leaves the delay, in steps of at most 1 / window.
        const uint64_t up = envelope_ + ((static_cast<uint64_t>(kUnity - envelope_) * release_) >> 24) + kRiseAtLeast;
        envelope_ = static_cast<uint32_t>(std::min<uint64_t>({up, kUnity, hold}));
        const size_t slot = frame_ & mask;
        boxSum_ = boxSum_ + envelope_ - box_[slot];
        box_[slot] = envelope_;

        float* delayed = &delay_[2 * slot];
        delayed[0] = left;
        delayed[1] = right;
        const float* oldest = &delay_[2 * ((frame_ + 1) & mask)];
        const double gain = static_cast<double>(boxSum_) * toSample;
        out[2 * i] = ToSample(oldest[0], gain);
        out[2 * i + 1] = ToSample(oldest[1], gain);
        ++i;
        ++frame_;
    }
}

}  // namespace audio
