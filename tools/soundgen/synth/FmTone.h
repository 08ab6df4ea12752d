#pragma once
// Two-operator FM: a sine carrier phase-modulated by a sine modulator whose
// index falls from `index` to `indexEnd` (exponentially, time constant
// `indexDecay`). Integer ratios keep the tone harmonic (exactly in tune).

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

struct FmParams {
    double ratio = 1.0;        // modulator frequency / carrier frequency
    double index = 2.0;        // modulation index at the start
    double indexEnd = 0.3;     // index after the decay
    double indexDecay = 0.2;   // seconds (time constant)
    double feedback = 0.0;     // modulator self-feedback, 0..1
    double vibratoHz = 0.0;
    double vibratoCents = 0.0;
};

// `seconds` of the FM tone at `hz`, amplitude about 1, no envelope.
Mono FmTone(double hz, double seconds, const FmParams& p);

}  // namespace synth
