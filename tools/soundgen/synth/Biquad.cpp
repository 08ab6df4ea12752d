#include "tools/soundgen/synth/Biquad.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

double Omega(double hz) { return 2.0 * std::numbers::pi * std::clamp(hz, 10.0, kSampleRate * 0.45) / kSampleRate; }

}  // namespace

Biquad Biquad::LowPass(double hz, double q) {
    const double w = Omega(hz), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    Biquad f;
    const double a0 = 1 + alpha;
    f.b0 = (1 - c) / 2 / a0;
    f.b1 = (1 - c) / a0;
    f.b2 = (1 - c) / 2 / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(double hz, double q) {
    const double w = Omega(hz), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    Biquad f;
    const double a0 = 1 + alpha;
    f.b0 = (1 + c) / 2 / a0;
    f.b1 = -(1 + c) / a0;
    f.b2 = (1 + c) / 2 / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::BandPass(double hz, double q) {
    const double w = Omega(hz), c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    Biquad f;
    const double a0 = 1 + alpha;
    f.b0 = alpha / a0;
    f.b1 = 0;
    f.b2 = -alpha / a0;
    f.a1 = -2 * c / a0;
    f.a2 = (1 - alpha) / a0;
    return f;
}

float Biquad::Process(float x) {
    // Transposed direct form II.
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return float(y);
}

void Biquad::Process(Mono& buf) {
    for (float& v : buf) v = Process(v);
}

void Biquad::Retune(const Biquad& o) {
    b0 = o.b0;
    b1 = o.b1;
    b2 = o.b2;
    a1 = o.a1;
    a2 = o.a2;
}

namespace {

template <typename MakeFilter>
void Sweep(Mono& buf, double fromHz, double toHz, double seconds, MakeFilter make) {
    Biquad f = make(fromHz);
    const size_t n = std::max<size_t>(1, SamplesOf(seconds));
    for (size_t i = 0; i < buf.size(); ++i) {
        if (i % 16 == 0) {
            const double t = std::min(1.0, double(i) / double(n));
            f.Retune(make(fromHz * std::pow(toHz / fromHz, t)));
        }
        buf[i] = f.Process(buf[i]);
    }
}

}  // namespace

void SweepLowPass(Mono& buf, double fromHz, double toHz, double seconds, double q) {
    Sweep(buf, fromHz, toHz, seconds, [q](double hz) { return Biquad::LowPass(hz, q); });
}

void SweepBandPass(Mono& buf, double fromHz, double toHz, double seconds, double q) {
    Sweep(buf, fromHz, toHz, seconds, [q](double hz) { return Biquad::BandPass(hz, q); });
}

void BlockDc(Mono& buf) {
    const double r = 1.0 - 2.0 * std::numbers::pi * 20.0 / kSampleRate;
    double x1 = 0, y1 = 0;
    for (float& v : buf) {
        const double y = v - x1 + r * y1;
        x1 = v;
        y1 = y;
        v = float(y);
    }
}

}  // namespace synth
