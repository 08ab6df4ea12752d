#include "tools/soundgen/synth/Modal.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/soundgen/synth/Envelope.h"

namespace synth {

Mono Struck(double hz, double seconds, const std::vector<Mode>& modes, const StrikeParams& p, Rng& rng) {
    Mono out(SamplesOf(seconds), 0.0f);
    // Mallet: a raised-cosine pulse (its spectrum falls off above 1 / contact
    // time, so a soft mallet leaves the high modes quiet) plus optional noise.
    // The contact is kept under a third of the fundamental's period: a longer
    // pulse would cancel the very mode that carries the pitch.
    const size_t contact = std::max<size_t>(2, SamplesOf(std::min(p.malletSeconds, 0.33 / hz)));
    std::vector<double> strike(contact);
    for (size_t i = 0; i < contact; ++i) {
        const double shape = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * double(i) / double(contact));
        strike[i] = shape + p.noise * rng.Bipolar() * shape;
    }
    for (const Mode& m : modes) {
        const double f = hz * m.ratio;
        if (f >= kSampleRate * 0.45) continue;
        const double w = 2.0 * std::numbers::pi * f / kSampleRate;
        const double r = DecayPerSample(m.t60);
        const double c1 = 2.0 * r * std::cos(w), c2 = -r * r;
        // Impulse response is r^n sin((n+1)w) / sin(w): scale by sin(w), and by
        // the pulse's area so the mode level does not depend on its length.
        const double g = m.amplitude * std::sin(w) * 2.0 / double(contact);
        double y1 = 0.0, y2 = 0.0;
        for (size_t i = 0; i < out.size(); ++i) {
            const double x = i < contact ? strike[i] * g : 0.0;
            const double y = x + c1 * y1 + c2 * y2;
            y2 = y1;
            y1 = y;
            out[i] += float(y);
        }
    }
    FadeOut(out, 0.03);
    return out;
}

}  // namespace synth
