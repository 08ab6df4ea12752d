#pragma once
// Second-order IIR filter sections (the usual audio cookbook forms).

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

class Biquad {
public:
    static Biquad LowPass(double hz, double q);
    static Biquad HighPass(double hz, double q);
    static Biquad BandPass(double hz, double q);  // 0 dB peak gain

    float Process(float x);
    void Process(Mono& buf);
    // Keeps the state, changes the coefficients (for sweeps).
    void Retune(const Biquad& other);

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
};

// Low-pass whose cutoff moves exponentially from `fromHz` to `toHz` over
// `seconds` (then stays), recomputed every 16 samples.
void SweepLowPass(Mono& buf, double fromHz, double toHz, double seconds, double q);
// Band-pass sweep, the same way.
void SweepBandPass(Mono& buf, double fromHz, double toHz, double seconds, double q);

// One-pole DC blocker (high-pass near 20 Hz).
void BlockDc(Mono& buf);

}  // namespace synth
