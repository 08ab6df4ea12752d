#include "tools/soundgen/synth/Sequencer.h"

#include <cmath>

namespace synth {

long BeatSample(double bpm, double beat) { return std::lround(beat * BeatSeconds(bpm) * kSampleRate); }

namespace {

void Render(Stereo& out, double bpm, const std::vector<Track>& tracks, bool wrap) {
    for (const Track& t : tracks) {
        for (const Note& n : t.notes) {
            const Mono sound = t.voice(n.hz, n.beats * BeatSeconds(bpm), n.velocity);
            MixInto(out, sound, BeatSample(bpm, n.beat), t.gain, t.pan, wrap);
        }
    }
}

}  // namespace

Stereo RenderLoop(double bpm, double beats, const std::vector<Track>& tracks) {
    Stereo out(size_t(BeatSample(bpm, beats)));
    Render(out, bpm, tracks, true);
    return out;
}

Stereo RenderPhrase(double bpm, const std::vector<Track>& tracks) {
    Stereo out;
    Render(out, bpm, tracks, false);
    return out;
}

}  // namespace synth
