#pragma once
// A step sequencer: tracks of notes placed on beats, each rendered by the
// track's voice, mixed with the track's gain and pan.

#include <functional>
#include <vector>

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

struct Note {
    double beat;          // onset, in beats from the start
    double beats;         // gate length in beats
    double hz;            // pitch (0 for unpitched voices)
    double velocity = 1.0;
};

// Renders one note: pitch, gate length in seconds, velocity 0..1. The result
// may ring on past the gate (release, decay).
using Voice = std::function<Mono(double hz, double seconds, double velocity)>;

struct Track {
    Voice voice;
    std::vector<Note> notes;
    float gain = 1.0f;
    float pan = 0.0f;  // -1 left .. 1 right
};

// A loop of exactly `beats` beats at `bpm`; whatever rings past the end is
// wrapped into the start, so the file repeats without a seam.
Stereo RenderLoop(double bpm, double beats, const std::vector<Track>& tracks);

// A phrase for a one-shot: as long as its notes ring.
Stereo RenderPhrase(double bpm, const std::vector<Track>& tracks);

// Sample index of a beat.
long BeatSample(double bpm, double beat);

}  // namespace synth
