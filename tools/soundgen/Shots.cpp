#include "tools/soundgen/Shots.h"

#include <cmath>

#include "tools/soundgen/synth/Biquad.h"
#include "tools/soundgen/synth/Envelope.h"
#include "tools/soundgen/synth/Noise.h"
#include "tools/soundgen/synth/Oscillator.h"
#include "tools/soundgen/synth/Reverb.h"

namespace soundgen {

using namespace synth;

void Overlay(Mono& a, const Mono& b, double offsetSeconds, double gain) {
    const size_t off = SamplesOf(offsetSeconds);
    if (a.size() < off + b.size()) a.resize(off + b.size(), 0.0f);
    for (size_t i = 0; i < b.size(); ++i) a[off + i] += b[i] * float(gain);
}

Mono Note(Instrument instrument, const Scale& scale, int degree, Rng& rng, double seconds, double velocity) {
    return instrument(scale.Hz(degree), seconds, velocity, rng);
}

Mono Layered(const std::vector<Layer>& layers, double hz, Rng& rng, double seconds) {
    Mono out;
    for (const Layer& l : layers) Overlay(out, l.instrument(hz * std::pow(2.0, l.octave), seconds, 1.0, rng), 0.0, l.level);
    return out;
}

Mono Phrase(Instrument instrument, const Scale& scale, const std::vector<int>& degrees, double step, Rng& rng,
            double gate) {
    Mono out;
    for (size_t i = 0; i < degrees.size(); ++i) {
        if (degrees[i] == -99) continue;
        const double velocity = i + 1 == degrees.size() ? 1.0 : 0.8;
        Overlay(out, instrument(scale.Hz(degrees[i]), gate, velocity, rng), double(i) * step);
    }
    return out;
}

Mono Chord(Instrument instrument, const Scale& scale, const std::vector<int>& degrees, Rng& rng, double strum,
           double gate) {
    Mono out;
    for (size_t i = 0; i < degrees.size(); ++i)
        Overlay(out, instrument(scale.Hz(degrees[i]), gate, 0.8, rng), double(i) * strum, 1.0 / std::sqrt(degrees.size()));
    return out;
}

Mono Room(const Mono& dry, double wet, double tail) {
    ReverbParams p;
    p.roomSize = 0.7;
    p.damping = 0.4;
    p.wet = wet;
    return Downmix(ReverbOneShot(ToStereo(dry), p, tail));
}

Mono Whoosh(double fromHz, double toHz, double seconds, double q, Rng& rng) {
    Mono n = PinkNoise(seconds, rng);
    SweepBandPass(n, fromHz, toHz, seconds, q);
    Adsr env{seconds * 0.4, seconds * 0.3, 0.6, seconds * 0.3};
    ApplyAdsr(n, env, seconds * 0.7);
    for (float& v : n) v *= 3.0f;
    return n;
}

Mono Glide(double fromHz, double toHz, double seconds, int wave, Rng& rng) {
    (void)rng;
    OscParams op;
    op.wave = Wave(wave);
    op.glideFromHz = fromHz;
    op.glideSeconds = seconds * 0.8;
    Mono m = Oscillator(toHz, seconds, op);
    if (op.wave != Wave::Sine) Biquad::LowPass(3500, 0.7).Process(m);
    ApplyAdsr(m, {0.005, seconds * 0.3, 0.7, seconds * 0.3}, seconds * 0.7);
    return m;
}

Mono Sparkle(Instrument instrument, const Scale& scale, int lowDegree, int highDegree, int count, double seconds,
             Rng& rng) {
    Mono out;
    for (int i = 0; i < count; ++i) {
        const int degree = lowDegree + rng.Below(highDegree - lowDegree + 1);
        const double at = seconds * double(i) / count + rng.Unit() * seconds / count * 0.5;
        Overlay(out, instrument(scale.Hz(degree), 0.1, 0.4 + 0.5 * rng.Unit(), rng), at, 0.6);
    }
    return out;
}

}  // namespace soundgen
