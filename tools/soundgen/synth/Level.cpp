#include "tools/soundgen/synth/Level.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace synth {

double PeakOf(const Stereo& s) {
    double p = 0.0;
    for (size_t i = 0; i < s.Size(); ++i) p = std::max({p, double(std::abs(s.left[i])), double(std::abs(s.right[i]))});
    return p;
}

double MeanOf(const Mono& m) {
    double sum = 0.0;
    for (float v : m) sum += v;
    return m.empty() ? 0.0 : sum / double(m.size());
}

double LoudnessDb(const Stereo& s, double windowSeconds) {
    const size_t n = s.Size();
    if (n == 0) return -200.0;
    std::vector<double> sq(n + 1, 0.0);  // prefix sums of the squared mono mix
    for (size_t i = 0; i < n; ++i) {
        const double m = 0.5 * (double(s.left[i]) + double(s.right[i]));
        sq[i + 1] = sq[i] + m * m;
    }
    const size_t w = std::min(n, std::max<size_t>(1, SamplesOf(windowSeconds)));
    const size_t hop = std::max<size_t>(1, SamplesOf(0.01));
    double best = 0.0;
    for (size_t start = 0;; start += hop) {
        const size_t end = std::min(n, start + w);
        best = std::max(best, (sq[end] - sq[end - w]) / double(w));
        if (end == n) break;
    }
    return best > 0 ? 10.0 * std::log10(best) : -200.0;
}

void ApplyGain(Stereo& s, double gain) {
    for (size_t i = 0; i < s.Size(); ++i) {
        s.left[i] *= float(gain);
        s.right[i] *= float(gain);
    }
}

void RemoveMean(Stereo& s) {
    const float l = float(MeanOf(s.left)), r = float(MeanOf(s.right));
    for (size_t i = 0; i < s.Size(); ++i) {
        s.left[i] -= l;
        s.right[i] -= r;
    }
}

void LimitPeaks(Stereo& s, double ceiling, double attackSeconds, double releaseSeconds, bool loop) {
    const size_t n = s.Size();
    if (n == 0) return;
    std::vector<double> gain(n);
    for (size_t i = 0; i < n; ++i) {
        const double a = std::max(std::abs(s.left[i]), std::abs(s.right[i]));
        gain[i] = a > ceiling ? ceiling / a : 1.0;
    }
    const double attackStep = 1.0 / double(std::max<size_t>(1, SamplesOf(attackSeconds)));
    const double releaseStep = 1.0 / double(std::max<size_t>(1, SamplesOf(releaseSeconds)));
    // Backward pass: ramp down ahead of each peak. Forward pass: recover
    // slowly after it. A loop runs each pass twice round so both wrap.
    const int rounds = loop ? 2 : 1;
    for (int r = 0; r < rounds; ++r) {
        for (size_t k = n; k-- > 0;) {
            const size_t next = k + 1 < n ? k + 1 : (loop ? 0 : n);
            if (next < n) gain[k] = std::min(gain[k], gain[next] + attackStep);
        }
    }
    for (int r = 0; r < rounds; ++r) {
        for (size_t k = 0; k < n; ++k) {
            const size_t prev = k > 0 ? k - 1 : (loop ? n - 1 : n);
            if (prev < n) gain[k] = std::min(gain[k], gain[prev] + releaseStep);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        s.left[i] *= float(gain[i]);
        s.right[i] *= float(gain[i]);
    }
}

}  // namespace synth
