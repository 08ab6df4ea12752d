#include "tools/soundgen/synth/Noise.h"

#include <cmath>
#include <numbers>

#include "tools/soundgen/synth/Biquad.h"
#include "tools/soundgen/synth/Envelope.h"

namespace synth {

Mono WhiteNoise(double seconds, Rng& rng) {
    Mono out(SamplesOf(seconds));
    for (float& v : out) v = rng.Bipolar();
    return out;
}

Mono PinkNoise(double seconds, Rng& rng) {
    Mono out(SamplesOf(seconds));
    double b0 = 0, b1 = 0, b2 = 0;
    for (float& v : out) {
        const double w = rng.Bipolar();
        b0 = 0.99765 * b0 + w * 0.0990460;
        b1 = 0.96300 * b1 + w * 0.2965164;
        b2 = 0.57000 * b2 + w * 1.0526913;
        v = float((b0 + b1 + b2 + w * 0.1848) * 0.25);
    }
    return out;
}

namespace {

// A sine whose frequency falls exponentially from `from` to `to`.
Mono Chirp(double from, double to, double fallSeconds, double seconds) {
    Mono out(SamplesOf(seconds));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / kSampleRate;
        const double f = to + (from - to) * std::exp(-t / fallSeconds);
        out[i] = float(std::sin(2.0 * std::numbers::pi * phase));
        phase += f / kSampleRate;
    }
    return out;
}

void AddScaled(Mono& dst, const Mono& src, float gain) {
    for (size_t i = 0; i < dst.size() && i < src.size(); ++i) dst[i] += src[i] * gain;
}

}  // namespace

Mono Kick(double tone, Rng& rng) {
    Mono body = Chirp(160.0 * tone, 48.0 * tone, 0.03, 0.45);
    ApplyStrike(body, 0.001, 0.5, 0.05);
    Mono click = WhiteNoise(0.01, rng);
    Biquad::LowPass(3000, 0.7).Process(click);
    ApplyStrike(click, 0.0005, 0.01, 0.002);
    AddScaled(body, click, 0.3f);
    return body;
}

Mono Snare(double tone, Rng& rng) {
    Mono body = Chirp(260.0 * tone, 180.0 * tone, 0.02, 0.3);
    ApplyStrike(body, 0.001, 0.15, 0.02);
    Mono rattle = WhiteNoise(0.3, rng);
    Biquad::BandPass(4000, 0.6).Process(rattle);
    ApplyStrike(rattle, 0.001, 0.22, 0.03);
    for (size_t i = 0; i < body.size(); ++i) body[i] = body[i] * 0.5f + rattle[i] * 1.3f;
    return body;
}

Mono HiHat(bool open, Rng& rng) {
    Mono n = WhiteNoise(open ? 0.4 : 0.09, rng);
    Biquad::HighPass(7000, 0.7).Process(n);
    Biquad::BandPass(9000, 0.8).Process(n);
    ApplyStrike(n, 0.0008, open ? 0.35 : 0.05, 0.01);
    for (float& v : n) v *= 2.0f;
    return n;
}

Mono Clap(Rng& rng) {
    Mono n = WhiteNoise(0.3, rng);
    Biquad::BandPass(1500, 1.2).Process(n);
    // Three quick bursts and a tail: the layered hands of a clap.
    Mono env(n.size(), 0.0f);
    for (int burst = 0; burst < 3; ++burst) {
        const size_t start = SamplesOf(0.011 * burst);
        for (size_t i = start; i < env.size(); ++i) {
            const double t = double(i - start) / kSampleRate;
            env[i] = std::max(env[i], float(std::exp(-t / (burst == 2 ? 0.06 : 0.008))));
        }
    }
    for (size_t i = 0; i < n.size(); ++i) n[i] *= env[i] * 2.0f;
    FadeIn(n, 0.0005);
    FadeOut(n, 0.03);
    return n;
}

Mono Shaker(Rng& rng) {
    Mono n = WhiteNoise(0.12, rng);
    Biquad::HighPass(5000, 0.7).Process(n);
    Adsr env{0.03, 0.05, 0.3, 0.05};
    ApplyAdsr(n, env, 0.05);
    return n;
}

Mono Tom(double hz, Rng& rng) {
    Mono body = Chirp(hz * 1.5, hz, 0.04, 0.5);
    ApplyStrike(body, 0.001, 0.4, 0.05);
    Mono slap = WhiteNoise(0.02, rng);
    Biquad::BandPass(hz * 4, 1.0).Process(slap);
    ApplyStrike(slap, 0.0005, 0.02, 0.003);
    AddScaled(body, slap, 0.4f);
    return body;
}

}  // namespace synth
