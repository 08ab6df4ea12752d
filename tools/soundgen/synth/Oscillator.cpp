#include "tools/soundgen/synth/Oscillator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

// The polyBLEP correction around a discontinuity at phase 0.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Wrap(double x) { return x - std::floor(x); }

}  // namespace

Mono Oscillator(double hz, double seconds, const OscParams& p) {
    Mono out(SamplesOf(seconds));
    double phase = Wrap(p.phase);
    double triangleState = -1.0;  // the integral starts at the wave's trough
    const double twoPi = 2.0 * std::numbers::pi;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSampleRate;
        double f = hz;
        if (p.glideFromHz > 0 && p.glideSeconds > 0 && t < p.glideSeconds) {
            f = p.glideFromHz * std::pow(hz / p.glideFromHz, t / p.glideSeconds);
        }
        if (p.vibratoCents > 0) {
            const double fadeIn = p.vibratoDelay > 0 ? std::clamp((t - p.vibratoDelay) / p.vibratoDelay, 0.0, 1.0) : 1.0;
            f *= std::pow(2.0, fadeIn * p.vibratoCents / 1200.0 * std::sin(twoPi * p.vibratoHz * t));
        }
        const double dt = std::min(f / kSampleRate, 0.5);
        double v = 0.0;
        switch (p.wave) {
        case Wave::Sine:
            v = std::sin(twoPi * phase);
            break;
        case Wave::Saw:
            v = 2.0 * phase - 1.0 - PolyBlep(phase, dt);
            break;
        case Wave::Square:
        case Wave::Pulse:
        case Wave::Triangle: {
            const double width = p.wave == Wave::Pulse ? std::clamp(p.pulseWidth, 0.05, 0.95) : 0.5;
            v = phase < width ? 1.0 : -1.0;
            v += PolyBlep(phase, dt);
            v -= PolyBlep(Wrap(phase - width + 1.0), dt);
            if (p.wave == Wave::Triangle) {
                // Leaky integration of the band-limited square.
                triangleState = dt * 4.0 * v + (1.0 - dt * 0.05) * triangleState;
                v = triangleState;
            } else if (p.wave == Wave::Pulse) {
                v -= 2.0 * width - 1.0;  // remove the pulse's DC
            }
            break;
        }
        }
        out[i] = float(v);
        phase = Wrap(phase + dt);
    }
    return out;
}

}  // namespace synth
