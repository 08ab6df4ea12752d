#pragma once
// Plucked string (Karplus-Strong): a noise burst circulating in a delay line
// with a two-tap loss filter; a first-order all-pass supplies the fractional
// part of the delay so the pitch is exact.

#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"

namespace synth {

struct PluckParams {
    double t60 = 1.5;          // seconds for the fundamental to fall 60 dB
    double damping = 0.5;      // loop filter weight 0.05 (bright, long highs) .. 0.5 (dark)
    double pickBrightness = 0.8;  // 0 (soft, low-passed burst) .. 1 (raw noise)
};

Mono Pluck(double hz, double seconds, const PluckParams& p, Rng& rng);

}  // namespace synth
