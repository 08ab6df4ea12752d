#pragma once
// Sample buffers of the sound generator: float samples at the disc's rate,
// nominally within [-1, 1].

#include <cstddef>
#include <vector>

namespace synth {

inline constexpr int kSampleRate = 22050;

using Mono = std::vector<float>;

struct Stereo {
    Mono left, right;

    Stereo() = default;
    explicit Stereo(size_t n) : left(n, 0.0f), right(n, 0.0f) {}
    size_t Size() const { return left.size(); }
    void Resize(size_t n) {
        left.resize(n, 0.0f);
        right.resize(n, 0.0f);
    }
};

// Number of samples in `seconds` (rounded to the nearest sample).
size_t SamplesOf(double seconds);

// Seconds of one beat at `bpm`.
inline double BeatSeconds(double bpm) { return 60.0 / bpm; }

// Adds `src` into `dst` at `offset` with `gain` and an equal-power pan
// (-1 left .. 1 right). With `wrap`, samples past the end of `dst` fold back
// to its start (for loops); otherwise `dst` grows to hold them.
void MixInto(Stereo& dst, const Mono& src, long offset, float gain, float pan, bool wrap);
void MixInto(Stereo& dst, const Stereo& src, long offset, float gain, bool wrap);

// Mono sum of both channels (halved).
Mono Downmix(const Stereo& s);
// Both channels the same.
Stereo ToStereo(const Mono& m);

}  // namespace synth
