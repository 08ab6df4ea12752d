#include "tools/soundgen/synth/Pluck.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "tools/soundgen/synth/Envelope.h"

namespace synth {

Mono Pluck(double hz, double seconds, const PluckParams& p, Rng& rng) {
    Mono out(SamplesOf(seconds));
    const double period = double(kSampleRate) / hz;
    const double s = std::clamp(p.damping, 0.05, 0.5);
    // Loop delay = integer line + all-pass fraction + loss filter (s samples).
    double line = period - s;
    int n = int(std::floor(line));
    double frac = line - n;
    if (frac < 0.2) {
        n -= 1;
        frac += 1.0;
    }
    const double a = (1.0 - frac) / (1.0 + frac);
    // Loss per round trip so the fundamental falls 60 dB in t60; the loss
    // filter's own attenuation at the fundamental is divided out.
    const double w = 2.0 * std::numbers::pi * hz / kSampleRate;
    const double filterGain = std::abs(std::complex<double>(1.0 - s + s * std::cos(w), -s * std::sin(w)));
    const double loss = std::pow(DecayPerSample(p.t60), period) / filterGain;

    std::vector<double> delay(size_t(std::max(n, 2)), 0.0);
    // Excitation: one period of noise, softened by a one-pole low-pass.
    double lp = 0.0, mean = 0.0;
    const double soft = 1.0 - std::clamp(p.pickBrightness, 0.05, 1.0);
    for (double& v : delay) {
        lp = lp * soft + rng.Bipolar() * (1.0 - soft);
        v = lp;
        mean += lp;
    }
    mean /= double(delay.size());
    double peak = 1e-9;
    for (double& v : delay) {
        v -= mean;
        peak = std::max(peak, std::abs(v));
    }
    for (double& v : delay) v /= peak;

    size_t pos = 0;
    double prevIn = 0.0, apX1 = 0.0, apY1 = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double x = delay[pos];
        const double filtered = ((1.0 - s) * x + s * prevIn) * loss;
        prevIn = x;
        const double y = a * filtered + apX1 - a * apY1;
        apX1 = filtered;
        apY1 = y;
        delay[pos] = y;
        pos = (pos + 1) % delay.size();
        out[i] = float(x);
    }
    FadeIn(out, 0.001);
    FadeOut(out, 0.05);
    return out;
}

}  // namespace synth
