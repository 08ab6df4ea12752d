#include "tools/soundgen/synth/Pad.h"

#include <cmath>

#include "tools/soundgen/synth/Biquad.h"
#include "tools/soundgen/synth/Oscillator.h"

namespace synth {

Mono Pad(double hz, double seconds, const PadParams& p, Rng& rng) {
    Mono out(SamplesOf(seconds), 0.0f);
    const int voices = p.voices < 1 ? 1 : p.voices;
    for (int v = 0; v < voices; ++v) {
        // Symmetric detune around the pitch, so the ensemble's centre is in tune.
        const double spread = voices == 1 ? 0.0 : (double(v) / (voices - 1) - 0.5) * p.detuneCents;
        OscParams op;
        op.wave = p.square ? Wave::Square : Wave::Saw;
        op.phase = rng.Unit();
        Mono voice = Oscillator(hz * std::pow(2.0, spread / 1200.0), seconds, op);
        for (size_t i = 0; i < out.size(); ++i) out[i] += voice[i];
    }
    Biquad lp = Biquad::LowPass(p.cutoffHz, p.resonance);
    lp.Process(out);
    const float norm = 1.0f / std::sqrt(float(voices));
    for (float& v : out) v *= norm;
    return out;
}

}  // namespace synth
