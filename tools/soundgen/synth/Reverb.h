#pragma once
// A small stereo reverb (parallel damped combs into series all-passes).

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

struct ReverbParams {
    double roomSize = 0.75;   // 0..1: comb feedback, i.e. tail length
    double damping = 0.35;    // 0..1: high-frequency loss in the tail
    double wet = 0.25;        // level of the reverberated signal
    double dry = 1.0;
};

// One-shots: the result is longer than `in` by `tailSeconds`, which the tail
// rings into (and fades out over its last part).
Stereo ReverbOneShot(const Stereo& in, const ReverbParams& p, double tailSeconds);

// Loops: the result has the length of `in`; the input is fed around several
// times and the last pass is kept, so the tail of the loop's end rings on
// into its start exactly as when the loop repeats.
Stereo ReverbLoop(const Stereo& in, const ReverbParams& p);

}  // namespace synth
