#pragma once
// Equal-tempered pitch (A4 = 440 Hz, MIDI numbering) and scales given as
// semitone steps above a tonic.

#include <vector>

namespace synth {

double MidiToHz(double midi);
double HzToMidi(double hz);

struct Scale {
    int tonic = 60;             // MIDI note of degree 0
    std::vector<int> steps;     // semitones above the tonic within one octave, ascending, steps[0] = 0

    // MIDI note of scale degree `degree` (negative degrees go below the tonic).
    int Note(int degree) const;
    double Hz(int degree) const { return MidiToHz(Note(degree)); }
    // The same scale on another tonic.
    Scale On(int newTonic) const { return Scale{newTonic, steps}; }
    // Whether a MIDI pitch class belongs to the scale.
    bool Contains(int midi) const;
};

}  // namespace synth
