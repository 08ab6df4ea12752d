#include "tools/soundgen/synth/Buffer.h"

#include <cmath>
#include <numbers>

namespace synth {

size_t SamplesOf(double seconds) {
    return seconds <= 0 ? 0 : size_t(std::lround(seconds * kSampleRate));
}

namespace {

void AddChannel(Mono& dst, const Mono& src, long offset, float gain, bool wrap) {
    if (src.empty()) return;
    if (wrap) {
        const long n = long(dst.size());
        if (n == 0) return;
        long pos = ((offset % n) + n) % n;
        for (float v : src) {
            dst[size_t(pos)] += v * gain;
            if (++pos == n) pos = 0;
        }
        return;
    }
    if (offset < 0) offset = 0;
    if (dst.size() < size_t(offset) + src.size()) dst.resize(size_t(offset) + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[size_t(offset) + i] += src[i] * gain;
}

}  // namespace

void MixInto(Stereo& dst, const Mono& src, long offset, float gain, float pan, bool wrap) {
    const double angle = (double(pan) + 1.0) * std::numbers::pi / 4.0;
    AddChannel(dst.left, src, offset, gain * float(std::cos(angle) * std::numbers::sqrt2), wrap);
    AddChannel(dst.right, src, offset, gain * float(std::sin(angle) * std::numbers::sqrt2), wrap);
}

void MixInto(Stereo& dst, const Stereo& src, long offset, float gain, bool wrap) {
    AddChannel(dst.left, src.left, offset, gain, wrap);
    AddChannel(dst.right, src.right, offset, gain, wrap);
}

Mono Downmix(const Stereo& s) {
    Mono m(s.Size());
    for (size_t i = 0; i < m.size(); ++i) m[i] = 0.5f * (s.left[i] + s.right[i]);
    return m;
}

Stereo ToStereo(const Mono& m) {
    Stereo s;
    s.left = m;
    s.right = m;
    return s;
}

}  // namespace synth
