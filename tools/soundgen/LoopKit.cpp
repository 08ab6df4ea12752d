#include "tools/soundgen/LoopKit.h"

namespace soundgen {

using namespace synth;

namespace {

double Velocity(char c) {
    switch (c) {
    case 'X':
        return 1.0;
    case 'x':
        return 0.75;
    case 'o':
        return 0.45;
    default:
        return 0.0;
    }
}

int DegreesPerOctave(const Scale& s) { return int(s.steps.size()); }

}  // namespace

Track Rhythm(Voice voice, const std::string& pattern, double stepBeats, double beats, double hz, float gain, float pan) {
    Track t{std::move(voice), {}, gain, pan};
    const int steps = int(beats / stepBeats + 0.5);
    for (int i = 0; i < steps; ++i) {
        const double v = Velocity(pattern[size_t(i) % pattern.size()]);
        if (v > 0) t.notes.push_back({i * stepBeats, stepBeats, hz, v});
    }
    return t;
}

std::vector<int> ChordDegrees(int root) { return {root, root + 2, root + 4}; }

int Progression::RootAt(double beat) const {
    const int bar = int(beat / beatsPerBar);
    return roots[size_t(bar) % roots.size()];
}

Track PadChords(Voice voice, const Scale& scale, const Progression& prog, int bars, int octave, float gain, float pan) {
    Track t{std::move(voice), {}, gain, pan};
    const int shift = octave * DegreesPerOctave(scale);
    for (int bar = 0; bar < bars; ++bar) {
        const double beat = bar * prog.beatsPerBar;
        for (int d : ChordDegrees(prog.RootAt(beat)))
            t.notes.push_back({beat, prog.beatsPerBar - 0.25, scale.Hz(d + shift), 0.6});
    }
    return t;
}

Track Arpeggio(Voice voice, const Scale& scale, const Progression& prog, int bars, int octave,
               const std::vector<int>& order, double stepBeats, float gain, float pan) {
    Track t{std::move(voice), {}, gain, pan};
    const int perOctave = DegreesPerOctave(scale);
    const int steps = int(bars * prog.beatsPerBar / stepBeats + 0.5);
    for (int i = 0; i < steps; ++i) {
        const double beat = i * stepBeats;
        const std::vector<int> chord = ChordDegrees(prog.RootAt(beat));
        const int k = order[size_t(i) % order.size()];
        if (k < 0) continue;
        const int degree = chord[size_t(k % 3)] + (k / 3 + octave) * perOctave;
        t.notes.push_back({beat, stepBeats, scale.Hz(degree), i % 4 == 0 ? 0.9 : 0.65});
    }
    return t;
}

Track BassLine(Voice voice, const Scale& scale, const Progression& prog, int bars, int octave, const std::string& pattern,
               double stepBeats, float gain, float pan) {
    Track t{std::move(voice), {}, gain, pan};
    const int steps = int(bars * prog.beatsPerBar / stepBeats + 0.5);
    for (int i = 0; i < steps; ++i) {
        const char c = pattern[size_t(i) % pattern.size()];
        const double v = Velocity(c == 'F' ? 'x' : c);
        if (v <= 0) continue;
        const double beat = i * stepBeats;
        // 'F' plays the chord's fifth-like tone (two degrees up) for movement.
        const int degree = prog.RootAt(beat) + (c == 'F' ? 2 : 0) + octave * DegreesPerOctave(scale);
        t.notes.push_back({beat, stepBeats * 0.9, scale.Hz(degree), v});
    }
    return t;
}

Track Melody(Voice voice, const Scale& scale, int octave, const std::vector<int>& degrees, double stepBeats,
             double gateBeats, float gain, float pan) {
    Track t{std::move(voice), {}, gain, pan};
    for (size_t i = 0; i < degrees.size(); ++i) {
        if (degrees[i] == -99) continue;
        t.notes.push_back({double(i) * stepBeats, gateBeats, scale.Hz(degrees[i] + octave * DegreesPerOctave(scale)),
                           i % 2 == 0 ? 0.85 : 0.7});
    }
    return t;
}

}  // namespace soundgen
