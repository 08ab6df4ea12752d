#pragma once
// Struck bodies (bars, bells, gongs, wood) as a bank of two-pole resonators,
// one per vibration mode, excited by a short mallet pulse.

#include <vector>

#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"

namespace synth {

struct Mode {
    double ratio;      // mode frequency / fundamental
    double amplitude;  // relative level
    double t60;        // seconds to fall by 60 dB
};

struct StrikeParams {
    double malletSeconds = 0.002;  // contact time: longer is softer (fewer highs); at most a third of a period
    double noise = 0.0;            // share of noise in the strike (a click or scrape)
};

Mono Struck(double hz, double seconds, const std::vector<Mode>& modes, const StrikeParams& p, Rng& rng);

}  // namespace synth
