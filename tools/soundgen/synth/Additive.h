#pragma once
// Additive tones: a sum of sine partials, each with its own level and decay.

#include <vector>

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

struct Partial {
    double ratio;        // frequency / fundamental
    double amplitude;
    double t60;          // seconds to fall by 60 dB; <= 0 means no decay
    double detuneCents = 0.0;
};

// `seconds` of the partials over `hz` with a linear attack of `attack`
// seconds; partials above the Nyquist limit are left out.
Mono Additive(double hz, double seconds, const std::vector<Partial>& partials, double attack);

}  // namespace synth
