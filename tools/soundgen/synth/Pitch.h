#pragma once
// Fundamental-frequency estimation (YIN with a multi-period refinement), used
// to check the tuning of generated sounds.

#include <cstddef>
#include <optional>

namespace synth {

struct PitchEstimate {
    double hz;
    double aperiodicity;  // YIN's normalised difference at the period: 0 = perfectly periodic
};

// Estimates the fundamental of `n` samples at `sampleRate` within
// [minHz, maxHz]; nothing when no period is found. The analysis compares the
// first half of the samples with lagged copies, so `n` should cover several
// periods of minHz plus the comparison window.
std::optional<PitchEstimate> EstimatePitch(const float* samples, size_t n, double sampleRate, double minHz, double maxHz);

}  // namespace synth
