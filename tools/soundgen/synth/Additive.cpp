#include "tools/soundgen/synth/Additive.h"

#include <cmath>
#include <numbers>

#include "tools/soundgen/synth/Envelope.h"

namespace synth {

Mono Additive(double hz, double seconds, const std::vector<Partial>& partials, double attack) {
    Mono out(SamplesOf(seconds), 0.0f);
    for (const Partial& p : partials) {
        const double f = hz * p.ratio * std::pow(2.0, p.detuneCents / 1200.0);
        if (f >= kSampleRate * 0.45) continue;
        // A rotating phasor avoids a sin() per sample per partial.
        const double w = 2.0 * std::numbers::pi * f / kSampleRate;
        const double k = p.t60 > 0 ? DecayPerSample(p.t60) : 1.0;
        const double cw = std::cos(w), sw = std::sin(w);
        double c = 1.0, s = 0.0;  // phasor at phase 0; the output is its sine
        double gain = p.amplitude;
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += float(gain * s);
            const double nc = c * cw - s * sw;
            s = s * cw + c * sw;
            c = nc;
            gain *= k;
        }
    }
    const size_t attackN = SamplesOf(attack);
    for (size_t i = 0; i < attackN && i < out.size(); ++i) out[i] *= float(i) / float(attackN);
    return out;
}

}  // namespace synth
