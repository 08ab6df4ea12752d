#include "tools/soundgen/synth/FmTone.h"

#include <cmath>
#include <numbers>

namespace synth {

Mono FmTone(double hz, double seconds, const FmParams& p) {
    Mono out(SamplesOf(seconds));
    const double twoPi = 2.0 * std::numbers::pi;
    double carrier = 0.0, modulator = 0.0, lastMod = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSampleRate;
        double f = hz;
        if (p.vibratoCents > 0) f *= std::pow(2.0, p.vibratoCents / 1200.0 * std::sin(twoPi * p.vibratoHz * t));
        const double index = p.indexEnd + (p.index - p.indexEnd) * std::exp(-t / std::max(p.indexDecay, 1e-4));
        const double mod = std::sin(twoPi * modulator + p.feedback * lastMod);
        lastMod = mod;
        out[i] = float(std::sin(twoPi * carrier + index * mod));
        carrier += f / kSampleRate;
        modulator += f * p.ratio / kSampleRate;
        carrier -= std::floor(carrier);
        modulator -= std::floor(modulator);
    }
    return out;
}

}  // namespace synth
