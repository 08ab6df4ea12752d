#pragma once
// Band-limited oscillators (polyBLEP for the edges of saw, square and pulse).

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

enum class Wave { Sine, Triangle, Saw, Square, Pulse };

struct OscParams {
    Wave wave = Wave::Sine;
    double pulseWidth = 0.5;     // Pulse only: fraction of the period high
    double vibratoHz = 0.0;      // vibrato rate
    double vibratoCents = 0.0;   // vibrato depth (peak)
    double vibratoDelay = 0.0;   // seconds before vibrato fades in (over the same time)
    double glideFromHz = 0.0;    // >0: start at this frequency and glide exponentially to hz
    double glideSeconds = 0.0;
    double phase = 0.0;          // start phase in cycles
};

// `seconds` of an oscillator at `hz`, amplitude 1, no envelope.
Mono Oscillator(double hz, double seconds, const OscParams& p);

}  // namespace synth
