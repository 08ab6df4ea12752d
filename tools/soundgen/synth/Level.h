#pragma once
// Level measures and corrections used to finish every file: loudness, peak,
// DC offset, gain and a peak limiter.

#include <cmath>

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

// Largest absolute sample of either channel.
double PeakOf(const Stereo& s);
// Mean of one channel.
double MeanOf(const Mono& m);

// Loudness in dBFS: the RMS of the mono mix over its loudest window of
// `windowSeconds` (hop 10 ms); the whole sound when it is shorter. A sine of
// amplitude 1 measures -3 dB. Silence measures -200.
double LoudnessDb(const Stereo& s, double windowSeconds = 0.2);

void ApplyGain(Stereo& s, double gain);

// Subtracts each channel's mean (exact for loops, which must stay continuous
// across the seam).
void RemoveMean(Stereo& s);

// Look-ahead peak limiter: the gain ramps down over `attackSeconds` before a
// sample that would exceed `ceiling` and recovers over `releaseSeconds`.
// `loop` treats the buffer as circular, so the gain is continuous across the
// seam too.
void LimitPeaks(Stereo& s, double ceiling, double attackSeconds, double releaseSeconds, bool loop);

inline double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

}  // namespace synth
