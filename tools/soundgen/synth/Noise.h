#pragma once
// Noise sources and the noise-based percussion of the loops.

#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"

namespace synth {

Mono WhiteNoise(double seconds, Rng& rng);
// Pink-ish noise (-3 dB per octave, Paul Kellet's economy filter).
Mono PinkNoise(double seconds, Rng& rng);

// Drum voices, each ending in silence. `tone` scales their pitch (1 = default).
Mono Kick(double tone, Rng& rng);
Mono Snare(double tone, Rng& rng);
Mono HiHat(bool open, Rng& rng);
Mono Clap(Rng& rng);
Mono Shaker(Rng& rng);
// A short tuned tom or conga at `hz`.
Mono Tom(double hz, Rng& rng);

}  // namespace synth
