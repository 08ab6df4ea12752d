#include "tools/soundgen/Instruments.h"

#include <cmath>
#include <vector>

#include "tools/soundgen/synth/Additive.h"
#include "tools/soundgen/synth/Biquad.h"
#include "tools/soundgen/synth/Envelope.h"
#include "tools/soundgen/synth/FmTone.h"
#include "tools/soundgen/synth/Modal.h"
#include "tools/soundgen/synth/Noise.h"
#include "tools/soundgen/synth/Oscillator.h"
#include "tools/soundgen/synth/Pad.h"
#include "tools/soundgen/synth/Pluck.h"

namespace soundgen {

using namespace synth;

Voice Play(Instrument instrument, Rng& rng) {
    return [instrument, &rng](double hz, double seconds, double velocity) { return instrument(hz, seconds, velocity, rng); };
}

namespace {

void ApplyLevel(Mono& m, double gain) {
    for (float& v : m) v *= float(gain);
}

// Higher notes decay faster, as on real bars and strings.
double RingFor(double hz, double atC4) { return atC4 * std::pow(261.6 / hz, 0.35); }

}  // namespace

Mono Marimba(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 0.9);
    Mono m = Struck(hz, t + 0.2, {{1.0, 1.0, t}, {4.0, 0.25, t * 0.3}, {10.0, 0.06, t * 0.1}},
                    {0.004 - 0.002 * velocity, 0.05}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono Vibraphone(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 2.2);
    Mono m = Struck(hz, t + 0.3, {{1.0, 1.0, t}, {4.0, 0.2, t * 0.35}, {10.0, 0.05, t * 0.1}}, {0.003, 0.02}, rng);
    // The rotating vanes' tremolo.
    for (size_t i = 0; i < m.size(); ++i)
        m[i] *= float(velocity * (0.85 + 0.15 * std::sin(2.0 * 3.14159265 * 5.5 * double(i) / kSampleRate)));
    return m;
}

Mono Glockenspiel(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 2.0);
    Mono m = Struck(hz, t + 0.2, {{1.0, 1.0, t}, {2.76, 0.12, t * 0.2}, {5.4, 0.05, t * 0.08}}, {0.001, 0.05}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono Kalimba(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 1.4);
    Mono m = Struck(hz, t + 0.2, {{1.0, 1.0, t}, {2.0, 0.12, t * 0.4}, {5.9, 0.08, 0.08}}, {0.003, 0.15}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono MusicBox(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 1.6);
    Mono m = Struck(hz, t + 0.2, {{1.0, 1.0, t}, {3.0, 0.2, t * 0.3}, {6.0, 0.08, t * 0.12}}, {0.0008, 0.1}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono Woodblock(double hz, double, double velocity, Rng& rng) {
    Mono m = Struck(hz, 0.3, {{1.0, 1.0, 0.12}, {2.6, 0.4, 0.05}, {4.3, 0.2, 0.03}}, {0.0008, 0.4}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono Saron(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 2.6);
    Mono m = Struck(hz, t + 0.3, {{1.0, 1.0, t}, {2.0, 0.1, t * 0.5}, {2.71, 0.1, t * 0.15}, {5.15, 0.04, t * 0.06}},
                    {0.0025, 0.1}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono Bonang(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 1.8);
    Mono m = Struck(hz, t + 0.3,
                    {{1.0, 1.0, t}, {2.0, 0.3, t * 0.6}, {3.0, 0.12, t * 0.3}, {4.18, 0.08, t * 0.15}, {6.0, 0.05, t * 0.1}},
                    {0.005, 0.05}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono Gong(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 4.0);
    // A slow swell of the second mode gives the gong's bloom after the hit.
    Mono m = Struck(hz, t + 0.4, {{1.0, 1.0, t}, {2.0, 0.25, t * 0.8}, {2.93, 0.06, t * 0.4}, {4.1, 0.04, t * 0.2}},
                    {0.012, 0.02}, rng);
    Mono hum = Additive(hz, t + 0.4, {{1.0, 0.25, t}}, 0.25);
    for (size_t i = 0; i < m.size(); ++i) m[i] = float(velocity) * (m[i] + hum[i]);
    return m;
}

Mono Harp(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 2.2);
    Mono m = Pluck(hz, t, {t, 0.35, 0.6}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono SpaceHarp(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 2.6);
    Mono string = Pluck(hz, t, {t, 0.25, 0.9}, rng);
    // A soft sine body under the string, an octave down, for depth.
    Mono body = Additive(hz, t, {{1.0, 0.35, t * 0.8}, {0.5, 0.15, t * 0.6}}, 0.01);
    for (size_t i = 0; i < string.size(); ++i) string[i] = float(velocity) * (string[i] + body[i]);
    return string;
}

Mono Zither(double hz, double, double velocity, Rng& rng) {
    const double t = RingFor(hz, 1.8);
    Mono m = Pluck(hz, t, {t, 0.15, 1.0}, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono PluckBass(double hz, double seconds, double velocity, Rng& rng) {
    const double len = std::max(0.25, seconds) + 0.15;
    Mono m = Pluck(hz, len, {1.2, 0.5, 0.5}, rng);
    Mono sub = Additive(hz, len, {{1.0, 0.6, 1.0}}, 0.005);
    for (size_t i = 0; i < m.size(); ++i) m[i] = m[i] + sub[i];
    ApplyAdsr(m, {0.002, 0.1, 0.9, 0.12}, len - 0.15);
    ApplyLevel(m, velocity);
    return m;
}

Mono ElectricPiano(double hz, double, double velocity, Rng& rng) {
    (void)rng;
    const double t = RingFor(hz, 2.0);
    FmParams p;
    p.ratio = 1.0;
    p.index = 1.2 + 1.5 * velocity;
    p.indexEnd = 0.2;
    p.indexDecay = 0.25;
    Mono m = FmTone(hz, t, p);
    // The tine's bright attack: a quick 14th harmonic ping.
    Mono tine = Additive(hz, t, {{14.0, 0.08, 0.08}}, 0.001);
    for (size_t i = 0; i < m.size(); ++i) m[i] += tine[i];
    ApplyStrike(m, 0.002, t, 0.05);
    ApplyLevel(m, velocity);
    return m;
}

Mono FmBell(double hz, double, double velocity, Rng& rng) {
    (void)rng;
    const double t = RingFor(hz, 3.0);
    FmParams p;
    p.ratio = 2.0;
    p.index = 1.5 * velocity + 0.8;
    p.indexEnd = 0.25;
    p.indexDecay = 0.15;
    Mono m = FmTone(hz, t, p);
    ApplyStrike(m, 0.002, t, 0.05);
    ApplyLevel(m, velocity);
    return m;
}

Mono Celesta(double hz, double, double velocity, Rng& rng) {
    (void)rng;
    const double t = RingFor(hz, 1.5);
    Mono m = Additive(hz, t + 0.1, {{1.0, 1.0, t}, {2.0, 0.35, t * 0.4}, {3.0, 0.1, t * 0.2}, {4.0, 0.12, t * 0.15}}, 0.002);
    FadeOut(m, 0.05);
    ApplyLevel(m, velocity);
    return m;
}

Mono GlassHarmonica(double hz, double seconds, double velocity, Rng& rng) {
    (void)rng;
    const double len = std::max(seconds, 0.6) + 0.8;
    Mono m = Additive(hz, len, {{1.0, 1.0, 0}, {2.0, 0.25, 0}, {3.0, 0.08, 0}, {1.0, 0.3, 0, 3.0}, {1.0, 0.3, 0, -3.0}}, 0.0);
    ApplyAdsr(m, {0.12, 0.3, 0.7, 0.8}, len - 0.8);
    ApplyLevel(m, velocity * 0.7);
    return m;
}

Mono FmBlip(double hz, double, double velocity, Rng& rng) {
    (void)rng;
    FmParams p;
    p.ratio = 3.0;
    p.index = 4.0;
    p.indexEnd = 0.5;
    p.indexDecay = 0.05;
    Mono m = FmTone(hz, 0.7, p);
    ApplyStrike(m, 0.002, 0.6, 0.05);
    ApplyLevel(m, velocity);
    return m;
}

Mono Flute(double hz, double seconds, double velocity, Rng& rng) {
    const double len = std::max(seconds, 0.3) + 0.25;
    OscParams op;
    op.vibratoHz = 5.0;
    op.vibratoCents = 12.0;
    op.vibratoDelay = 0.2;
    Mono m = Oscillator(hz, len, op);
    Mono second = Oscillator(hz * 2.0, len, op);
    Mono breath = WhiteNoise(len, rng);
    Biquad::BandPass(hz * 2.0, 2.0).Process(breath);
    for (size_t i = 0; i < m.size(); ++i) m[i] = m[i] + 0.2f * second[i] + 0.15f * breath[i];
    ApplyAdsr(m, {0.06, 0.1, 0.8, 0.2}, len - 0.25);
    ApplyLevel(m, velocity);
    return m;
}

Mono WarmPad(double hz, double seconds, double velocity, Rng& rng) {
    const double len = std::max(seconds, 0.5) + 0.9;
    Mono m = Pad(hz, len, {5, 8.0, std::min(hz * 4.0, 3000.0), 0.7, false}, rng);
    ApplyAdsr(m, {0.35, 0.5, 0.8, 0.9}, len - 0.9);
    ApplyLevel(m, velocity);
    return m;
}

Mono ShimmerPad(double hz, double seconds, double velocity, Rng& rng) {
    const double len = std::max(seconds, 0.5) + 1.2;
    Mono m = Pad(hz, len, {5, 18.0, std::min(hz * 6.0, 6000.0), 0.9, false}, rng);
    Mono octave = Additive(hz * 2.0, len, {{1.0, 0.25, 0}, {2.0, 0.08, 0}}, 0.0);
    for (size_t i = 0; i < m.size(); ++i) m[i] += octave[i];
    ApplyAdsr(m, {0.5, 0.6, 0.75, 1.2}, len - 1.2);
    ApplyLevel(m, velocity);
    return m;
}

Mono ChipLead(double hz, double seconds, double velocity, Rng& rng) {
    (void)rng;
    const double len = std::max(seconds, 0.12) + 0.25;
    OscParams op;
    op.wave = Wave::Pulse;
    op.pulseWidth = 0.25;
    op.vibratoHz = 6.0;
    op.vibratoCents = 10.0;
    op.vibratoDelay = 0.15;
    Mono m = Oscillator(hz, len, op);
    Biquad::LowPass(std::min(hz * 8.0, 7000.0), 0.7).Process(m);
    ApplyAdsr(m, {0.004, 0.15, 0.5, 0.25}, len - 0.25);
    ApplyLevel(m, velocity * 0.8);
    return m;
}

Mono AcidSynth(double hz, double seconds, double velocity, Rng& rng) {
    (void)rng;
    const double len = std::max(seconds, 0.15) + 0.3;
    OscParams op;
    op.wave = Wave::Saw;
    Mono m = Oscillator(hz, len, op);
    SweepLowPass(m, std::min(hz * 12.0, 8000.0), hz * 1.5, 0.35, 4.0);
    ApplyAdsr(m, {0.003, 0.2, 0.5, 0.3}, len - 0.3);
    ApplyLevel(m, velocity * 0.8);
    return m;
}

Mono SubBass(double hz, double seconds, double velocity, Rng& rng) {
    (void)rng;
    const double len = std::max(seconds, 0.2) + 0.25;
    OscParams tri;
    tri.wave = Wave::Triangle;
    Mono m = Oscillator(hz, len, tri);
    OscParams sq;
    sq.wave = Wave::Square;
    Mono edge = Oscillator(hz, len, sq);
    SweepLowPass(edge, hz * 8.0, hz * 2.0, 0.2, 1.2);
    for (size_t i = 0; i < m.size(); ++i) m[i] += 0.35f * edge[i];
    ApplyAdsr(m, {0.004, 0.3, 0.6, 0.25}, len - 0.25);
    ApplyLevel(m, velocity);
    return m;
}

Mono RoboVoice(double hz, double seconds, double velocity, Rng& rng) {
    (void)rng;
    const double len = std::max(seconds, 0.3) + 0.3;
    OscParams op;
    op.wave = Wave::Saw;
    op.vibratoHz = 7.0;
    op.vibratoCents = 12.0;
    op.vibratoDelay = 0.3;  // the note speaks steady first, then wobbles
    Mono src = Oscillator(hz, len, op);
    // Two formants moving from "o" to "a": the robot's vowel.
    Mono f1 = src, f2 = src;
    SweepBandPass(f1, 450, 800, len * 0.6, 5.0);
    SweepBandPass(f2, 800, 1200, len * 0.6, 6.0);
    Mono m(src.size());
    for (size_t i = 0; i < m.size(); ++i) m[i] = 0.2f * src[i] + 1.2f * f1[i] + 0.9f * f2[i];
    Biquad::LowPass(4000, 0.7).Process(m);
    ApplyAdsr(m, {0.02, 0.2, 0.8, 0.3}, len - 0.3);
    ApplyLevel(m, velocity);
    return m;
}

Mono Buzzer(double hz, double seconds, double velocity, Rng& rng) {
    (void)rng;
    const double len = std::max(seconds, 0.1) + 0.08;
    OscParams op;
    op.wave = Wave::Square;
    Mono a = Oscillator(hz, len, op);
    // A second square a little sharp: the rough beating of a buzzer.
    Mono b = Oscillator(hz * 1.06, len, op);
    Mono m(a.size());
    for (size_t i = 0; i < m.size(); ++i) m[i] = 0.5f * (a[i] + b[i]);
    Biquad::LowPass(2200, 0.8).Process(m);
    ApplyAdsr(m, {0.005, 0.05, 0.9, 0.08}, len - 0.08);
    ApplyLevel(m, velocity);
    return m;
}

Mono KickDrum(double, double, double velocity, Rng& rng) {
    Mono m = Kick(1.0, rng);
    ApplyLevel(m, velocity);
    return m;
}

Mono SnareDrum(double, double, double velocity, Rng& rng) {
    Mono m = Snare(1.0, rng);
    ApplyLevel(m, velocity * 0.6);
    return m;
}

Mono ClosedHat(double, double, double velocity, Rng& rng) {
    Mono m = HiHat(false, rng);
    ApplyLevel(m, velocity * 0.35);
    return m;
}

Mono OpenHat(double, double, double velocity, Rng& rng) {
    Mono m = HiHat(true, rng);
    ApplyLevel(m, velocity * 0.3);
    return m;
}

Mono HandClap(double, double, double velocity, Rng& rng) {
    Mono m = Clap(rng);
    ApplyLevel(m, velocity * 0.5);
    return m;
}

Mono ShakerHit(double, double, double velocity, Rng& rng) {
    Mono m = Shaker(rng);
    ApplyLevel(m, velocity * 0.4);
    return m;
}

Mono Conga(double hz, double, double velocity, Rng& rng) {
    Mono m = Tom(hz, rng);
    ApplyLevel(m, velocity * 0.7);
    return m;
}

}  // namespace soundgen
