#include "tools/soundgen/synth/Scale.h"

#include <algorithm>
#include <cmath>

namespace synth {

double MidiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

double HzToMidi(double hz) { return 69.0 + 12.0 * std::log2(hz / 440.0); }

int Scale::Note(int degree) const {
    const int n = int(steps.size());
    int octave = degree >= 0 ? degree / n : -((-degree + n - 1) / n);
    const int index = degree - octave * n;
    return tonic + 12 * octave + steps[size_t(index)];
}

bool Scale::Contains(int midi) const {
    const int pc = ((midi - tonic) % 12 + 12) % 12;
    return std::find(steps.begin(), steps.end(), pc) != steps.end();
}

}  // namespace synth
