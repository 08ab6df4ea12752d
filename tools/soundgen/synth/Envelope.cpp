#include "tools/soundgen/synth/Envelope.h"

#include <algorithm>
#include <cmath>

namespace synth {

double DecayPerSample(double t60) {
    if (t60 <= 0) return 0.0;
    return std::pow(10.0, -3.0 / (t60 * kSampleRate));
}

void ApplyAdsr(Mono& buf, const Adsr& env, double noteSeconds) {
    const double a = std::max(env.attack, 1.0 / kSampleRate);
    const double dt = 1.0 / kSampleRate;
    // The decay and release are exponential approaches with time constants
    // a fifth of their lengths (about -43 dB at the end of the release).
    const double decayCoef = std::exp(-dt / std::max(env.decay / 5.0, dt));
    const double releaseCoef = std::exp(-dt / std::max(env.release / 5.0, dt));
    double level = 0.0;
    double releaseStart = 0.0;
    for (size_t i = 0; i < buf.size(); ++i) {
        const double t = double(i) * dt;
        if (t < noteSeconds) {
            if (t < a) {
                level = t / a;
            } else {
                level = env.sustain + (level - env.sustain) * decayCoef;
            }
            releaseStart = level;
        } else {
            const double tr = t - noteSeconds;
            if (tr >= env.release) {
                level = 0.0;
            } else {
                level *= releaseCoef;
                // Linear fade in the release's last fifth reaches exact zero.
                const double lastPart = env.release * 0.2;
                if (tr > env.release - lastPart) level = std::min(level, releaseStart * (env.release - tr) / lastPart);
            }
        }
        buf[i] *= float(level);
    }
}

void ApplyStrike(Mono& buf, double attack, double t60, double tail) {
    const size_t attackN = std::max<size_t>(1, SamplesOf(attack));
    const double k = DecayPerSample(t60);
    double g = 1.0;
    for (size_t i = 0; i < buf.size(); ++i) {
        const double ramp = i < attackN ? double(i) / double(attackN) : 1.0;
        buf[i] *= float(ramp * g);
        if (i >= attackN) g *= k;
    }
    FadeOut(buf, tail);
}

void FadeIn(Mono& buf, double seconds) {
    const size_t n = std::min(buf.size(), SamplesOf(seconds));
    for (size_t i = 0; i < n; ++i) buf[i] *= float(i) / float(n);
}

void FadeOut(Mono& buf, double seconds) {
    const size_t n = std::min(buf.size(), SamplesOf(seconds));
    for (size_t i = 0; i < n; ++i) buf[buf.size() - 1 - i] *= float(i) / float(n);
}

}  // namespace synth
