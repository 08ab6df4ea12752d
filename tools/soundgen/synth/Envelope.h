#pragma once
// Amplitude envelopes applied in place to a mono buffer.

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

// Attack (linear), decay to `sustain` (exponential-ish), held until
// `noteSeconds`, then an exponential release lasting `release` seconds to
// silence. Samples after the release are zeroed.
struct Adsr {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.2;
};
void ApplyAdsr(Mono& buf, const Adsr& env, double noteSeconds);

// Linear attack of `attack` seconds, then an exponential decay that falls by
// 60 dB in `t60` seconds; the last `tail` seconds fade linearly to zero so the
// sound ends in silence.
void ApplyStrike(Mono& buf, double attack, double t60, double tail = 0.02);

// Linear ramps at the start / end of a buffer.
void FadeIn(Mono& buf, double seconds);
void FadeOut(Mono& buf, double seconds);

// Gain factor per sample for a 60 dB fall in t60 seconds.
double DecayPerSample(double t60);

}  // namespace synth
