#include "audio/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace audio {

namespace {

// Taps on each side of a phase when the output rate is not the lower one:
// with the Kaiser window below they make the transition band 8.1 % of the
// input rate wide, centred on its Nyquist frequency.
constexpr int kHalfTaps = 24;
constexpr double kStopBandDb = 72.0;
constexpr double kPi = 3.14159265358979323846;

// The modified Bessel function of the first kind, order 0 (series).
double BesselI0(double x) {
    double sum = 1.0, term = 1.0;
    const double q = x * x / 4.0;
    for (int k = 1; k < 64 && term > sum * 1e-17; ++k) {
        term *= q / (static_cast<double>(k) * k);
        sum += term;
    }
    return sum;
}

// Four lanes of floats; GCC and Clang turn these into vector instructions
// where the target has them.
typedef float Float4 __attribute__((vector_size(16)));

inline Float4 Load4(const float* p) {
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

}  // namespace

Resampler::Resampler(int inRate, int outRate)
    : inRate_(std::max(1, inRate)), outRate_(std::max(1, outRate)), passThrough_(inRate_ == outRate_) {
    if (passThrough_) return;
    const uint32_t g = std::gcd(static_cast<uint32_t>(inRate_), static_cast<uint32_t>(outRate_));
    up_ = static_cast<uint32_t>(outRate_) / g;
    down_ = static_cast<uint32_t>(inRate_) / g;
    phases_ = static_cast<int>(std::min<uint32_t>(up_, kMaxPhases));

    // Going down, the filter cuts at the output's Nyquist frequency instead,
    // and is as many times longer as the band is narrower.
    const double scale = std::min(1.0, static_cast<double>(outRate_) / inRate_);
    halfTaps_ = static_cast<int>(std::ceil(kHalfTaps / scale));
    halfTaps_ = (halfTaps_ + 3) / 4 * 4;  // the dot product takes 16 floats (eight frames) at a time
    taps_ = 2 * halfTaps_;
    const double cutoff = 0.5 * scale;  // cycles per input frame
    const double beta = 0.1102 * (kStopBandDb - 8.7);
    const double i0Beta = BesselI0(beta);

    coefs_.resize(static_cast<size_t>(phases_) * 2 * static_cast<size_t>(taps_));
    std::vector<double> row(static_cast<size_t>(taps_));
    for (int p = 0; p < phases_; ++p) {
        double sum = 0;
        for (int j = 0; j < taps_; ++j) {
            // Time from this tap's frame to the output frame, in input frames.
            const double t = static_cast<double>(p) / phases_ + (halfTaps_ - 1 - j);
            const double x = 2 * cutoff * t;
            const double sinc = x == 0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
            const double r = t / halfTaps_;
            const double window = r * r >= 1 ? 0.0 : BesselI0(beta * std::sqrt(1 - r * r)) / i0Beta;
            row[j] = 2 * cutoff * sinc * window;
            sum += row[j];
        }
        // Every phase passes a constant level unchanged.
        float* c = &coefs_[static_cast<size_t>(p) * 2 * taps_];
        for (int j = 0; j < taps_; ++j) c[2 * j] = c[2 * j + 1] = static_cast<float>(row[j] / sum);
    }

    history_.assign(2 * static_cast<size_t>(kHistoryFrames + taps_), 0.0f);
    // Silence before the start, so the first output frame lies on the first input frame.
    have_ = halfTaps_ - 1;
    silent_ = have_;
}

void Resampler::Process(float* out, int frames, Source& source) {
    if (passThrough_) {
        if (frames > 0) source.Pull(out, frames);
        return;
    }
    const int capacity = kHistoryFrames + taps_;
    while (frames > 0) {
        if (first_ > 0) {
            std::memmove(history_.data(), history_.data() + 2 * static_cast<size_t>(first_),
                         sizeof(float) * 2 * static_cast<size_t>(have_ - first_));
            have_ -= first_;
            first_ = 0;
            silent_ = std::min(silent_, have_);
        }
        // As many output frames as the history can hold the input for.
        const uint64_t most =
            ((static_cast<uint64_t>(capacity - taps_ + 1) * up_ - 1 - frac_) / down_) + 1;
        const int n = static_cast<int>(std::min<uint64_t>(most, static_cast<uint64_t>(frames)));
        const int need = static_cast<int>((frac_ + static_cast<uint64_t>(n - 1) * down_) / up_) + taps_;
        if (need > have_) {
            float* pulled = history_.data() + 2 * static_cast<size_t>(have_);
            source.Pull(pulled, need - have_);
            int zeros = 0;
            for (int f = need - have_ - 1; f >= 0 && pulled[2 * f] == 0 && pulled[2 * f + 1] == 0; --f) ++zeros;
            silent_ = zeros == need - have_ ? silent_ + zeros : zeros;
            have_ = need;
        }
        if (silent_ >= have_ - first_) {
            // Nothing but silence under the taps: the sums would be zeros.
            std::fill(out, out + 2 * static_cast<size_t>(n), 0.0f);
            const uint64_t steps = frac_ + static_cast<uint64_t>(n) * down_;
            first_ += static_cast<int>(steps / up_);
            frac_ = static_cast<uint32_t>(steps % up_);
        } else {
            Produce(out, n);
        }
        out += 2 * static_cast<size_t>(n);
        frames -= n;
    }
}

void Resampler::Produce(float* out, int frames) {
    const int lanes = 2 * taps_;
    for (int f = 0; f < frames; ++f) {
        const uint32_t phase = phases_ == static_cast<int>(up_)
                                   ? frac_
                                   : static_cast<uint32_t>(static_cast<uint64_t>(frac_) * phases_ / up_);
        const float* c = coefs_.data() + static_cast<size_t>(phase) * lanes;
        const float* x = history_.data() + 2 * static_cast<size_t>(first_);
        // Four sums, so that the additions do not wait on each other.
        Float4 a = {0, 0, 0, 0}, b = a, d = a, e = a;
        for (int i = 0; i < lanes; i += 16) {
            a += Load4(c + i) * Load4(x + i);
            b += Load4(c + i + 4) * Load4(x + i + 4);
            d += Load4(c + i + 8) * Load4(x + i + 8);
            e += Load4(c + i + 12) * Load4(x + i + 12);
        }
        const Float4 s = (a + b) + (d + e);  // left, right, left, right
        out[2 * f] = s[0] + s[2];
        out[2 * f + 1] = s[1] + s[3];
        frac_ += down_;
        first_ += static_cast<int>(frac_ / up_);
        frac_ %= up_;
    }
}

std::vector<int16_t> Resampler::ConvertSound(const int16_t* samples, uint32_t frames, int channels, int inRate,
                                             int outRate) {
    // The sound as stereo floats, then silence after its end.
    class SoundSource final : public Source {
    public:
        SoundSource(const int16_t* s, uint32_t n, int ch) : samples_(s), frames_(n), channels_(ch) {}
        void Pull(float* stereo, int count) override {
            for (int i = 0; i < count; ++i, ++next_) {
                float left = 0, right = 0;
                if (next_ < frames_) {
                    const int16_t* frame = samples_ + static_cast<size_t>(next_) * channels_;
                    left = frame[0] / 32768.0f;
                    right = channels_ == 2 ? frame[1] / 32768.0f : left;
                }
                stereo[2 * i] = left;
                stereo[2 * i + 1] = right;
            }
        }

    private:
        const int16_t* samples_;
        uint32_t frames_;
        int channels_;
        uint64_t next_ = 0;
    };

    const uint64_t outFrames = (static_cast<uint64_t>(frames) * static_cast<uint64_t>(outRate) + inRate - 1) /
                               static_cast<uint64_t>(inRate);
    std::vector<int16_t> result(static_cast<size_t>(outFrames) * static_cast<size_t>(channels));
    SoundSource source(samples, frames, channels);
    Resampler resampler(inRate, outRate);
    constexpr int kBlock = 1024;
    std::vector<float> block(2 * kBlock);
    for (uint64_t done = 0; done < outFrames;) {
        const int n = static_cast<int>(std::min<uint64_t>(kBlock, outFrames - done));
        resampler.Process(block.data(), n, source);
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < channels; ++c) {
                const long v = std::lrint(block[2 * static_cast<size_t>(i) + c] * 32768.0f);
                result[(done + i) * channels + c] = static_cast<int16_t>(std::clamp(v, -32768L, 32767L));
            }
        done += static_cast<uint64_t>(n);
    }
    return result;
}

}  // namespace audio
