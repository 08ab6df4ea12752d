#pragma once
// Shapes shared by the worlds' one-shots: single notes, quick phrases,
// sweeps, zaps and sparkles, with a touch of room.

#include <vector>

#include "tools/soundgen/Instruments.h"
#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"
#include "tools/soundgen/synth/Scale.h"

namespace soundgen {

// One note of `instrument` on scale degree `degree`, held `seconds`.
synth::Mono Note(Instrument instrument, const synth::Scale& scale, int degree, synth::Rng& rng, double seconds = 0.4,
                 double velocity = 1.0);

// Several instruments on the same pitch, mixed with the given levels.
struct Layer {
    Instrument instrument;
    double level;
    double octave = 0;  // ratio power of two (1 = an octave up)
};
synth::Mono Layered(const std::vector<Layer>& layers, double hz, synth::Rng& rng, double seconds = 0.4);

// Notes of `degrees` one after another, `step` seconds apart (-99 rests).
synth::Mono Phrase(Instrument instrument, const synth::Scale& scale, const std::vector<int>& degrees, double step,
                   synth::Rng& rng, double gate = 0.3);

// All `degrees` at once (a chord), or spread by `strum` seconds.
synth::Mono Chord(Instrument instrument, const synth::Scale& scale, const std::vector<int>& degrees, synth::Rng& rng,
                  double strum = 0.0, double gate = 0.6);

// Mixed room ambience on a mono sound (grows by `tail` seconds).
synth::Mono Room(const synth::Mono& dry, double wet, double tail = 0.8);

// Filtered noise sweeping its band from `fromHz` to `toHz` (a whoosh).
synth::Mono Whoosh(double fromHz, double toHz, double seconds, double q, synth::Rng& rng);
// A tone gliding from `fromHz` to `toHz` (zaps, slides, robot chirps).
synth::Mono Glide(double fromHz, double toHz, double seconds, int wave, synth::Rng& rng);
// Random short notes of `instrument` from the scale's upper degrees, spread
// over `seconds`.
synth::Mono Sparkle(Instrument instrument, const synth::Scale& scale, int lowDegree, int highDegree, int count,
                    double seconds, synth::Rng& rng);

// Adds b into a (a grows to fit) at `offsetSeconds` with `gain`.
void Overlay(synth::Mono& a, const synth::Mono& b, double offsetSeconds = 0.0, double gain = 1.0);

}  // namespace soundgen
