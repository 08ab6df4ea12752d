#pragma once
// Detuned-saw ensemble through a low-pass: soft sustained pads and strings.

#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"

namespace synth {

struct PadParams {
    int voices = 5;              // odd counts keep one voice exactly on pitch
    double detuneCents = 12.0;   // spread between the outermost voices
    double cutoffHz = 1800.0;
    double resonance = 0.8;      // filter Q
    bool square = false;         // hollow square voices instead of saws
};

// `seconds` of the ensemble at `hz`, amplitude about 1, no envelope.
Mono Pad(double hz, double seconds, const PadParams& p, Rng& rng);

}  // namespace synth
