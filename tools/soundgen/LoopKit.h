#pragma once
// Building blocks for the worlds' loops: drum patterns from strings, chord
// progressions within a scale, arpeggios, bass lines and pads.

#include <string>
#include <vector>

#include "tools/soundgen/Instruments.h"
#include "tools/soundgen/synth/Scale.h"
#include "tools/soundgen/synth/Sequencer.h"

namespace soundgen {

// A drum or rhythm track from a pattern: one character per step of
// `stepBeats`; 'X' loud, 'x' normal, 'o' soft, anything else a rest. The
// pattern repeats to fill `beats`.
synth::Track Rhythm(synth::Voice voice, const std::string& pattern, double stepBeats, double beats, double hz,
                    float gain, float pan);

// Chord tones of a chord whose root is scale degree `root`: root, +2, +4
// degrees (the scale's stacked "thirds").
std::vector<int> ChordDegrees(int root);

// One chord root per bar (`beatsPerBar` beats), repeated to fill `bars`.
struct Progression {
    std::vector<int> roots;
    int beatsPerBar = 4;
    int RootAt(double beat) const;
};

// Held chords, one per bar, `octave` octaves above the scale's tonic.
synth::Track PadChords(synth::Voice voice, const synth::Scale& scale, const Progression& prog, int bars, int octave,
                       float gain, float pan);
// Arpeggio through each bar's chord tones in `order` (indices into the chord,
// which may exceed it: 3 is the root an octave up), one note per step.
synth::Track Arpeggio(synth::Voice voice, const synth::Scale& scale, const Progression& prog, int bars, int octave,
                      const std::vector<int>& order, double stepBeats, float gain, float pan);
// Bass on each bar's root following `pattern` (as Rhythm), `octave` octaves
// relative to the tonic.
synth::Track BassLine(synth::Voice voice, const synth::Scale& scale, const Progression& prog, int bars, int octave,
                      const std::string& pattern, double stepBeats, float gain, float pan);
// A melody of scale degrees (relative to `octave`), one per step; -99 rests.
synth::Track Melody(synth::Voice voice, const synth::Scale& scale, int octave, const std::vector<int>& degrees,
                    double stepBeats, double gateBeats, float gain, float pan);

}  // namespace soundgen
