// The hub: its own controls in C, the worlds' motifs in every world's key,
// the worlds' preview loops and the About tunes.

#include <string>

#include "tools/soundgen/LoopKit.h"
#include "tools/soundgen/Shots.h"
#include "tools/soundgen/Style.h"
#include "tools/soundgen/synth/Reverb.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

using namespace synth;

namespace {

const std::string kDir = "plinkpad/assets/center/ce_wav/";

const Scale& Hub() { return StyleOf(0).scale; }

// World w's motif in the given key: its scale shape, moved to `tonic`.
Mono Motif(int world, int tonic, Rng& rng) {
    const WorldStyle& s = StyleOf(world);
    const Scale scale = s.scale.On(tonic);
    const double step = BeatSeconds(s.bpm) / 2.0;
    Mono m = Phrase(s.signature, scale, s.motif, step, rng, step * 1.5);
    // A soft low root under the last note grounds the key.
    Overlay(m, s.signature(scale.Hz(0), 0.5, 0.5, rng), step * double(s.motif.size() - 1), 0.5);
    return Room(m, 0.25, 1.0);
}

// An About tune: a four-bar melody over a hub-key progression, looping.
Stereo AboutTune(int n, Rng& rng) {
    const double bpm = 92 + 6 * n;
    const std::vector<std::vector<int>> melodies{
        {6, 7, 8, 7, 6, 4, 5, 4, 3, 4, 5, 7, 6, -99, 4, -99},
        {8, -99, 7, 6, 7, -99, 5, 4, 5, 6, 7, 9, 8, -99, -99, 6},
        {4, 6, 8, 6, 9, 8, 6, 4, 5, 7, 9, 7, 6, 5, 4, -99},
        {9, 8, 6, 8, 7, 6, 4, 6, 5, 4, 3, 4, 6, -99, 5, -99},
        {6, -99, 6, 8, 9, -99, 8, 6, 7, -99, 7, 9, 10, 9, 8, -99},
    };
    const Instrument leads[] = {MusicBox, Harp, Celesta, Vibraphone, Glockenspiel};
    const Progression prog{{0, 3, 5, 4}, 4};
    std::vector<Track> tracks;
    tracks.push_back(Melody(Play(leads[n], rng), Hub(), 0, melodies[size_t(n)], 1.0, 0.9, 0.8f, 0.1f));
    tracks.push_back(PadChords(Play(WarmPad, rng), Hub(), prog, 4, -1, 0.35f, -0.2f));
    tracks.push_back(BassLine(Play(PluckBass, rng), Hub(), prog, 4, -2, "x.o.", 1.0, 0.5f, 0.0f));
    if (n % 2 == 1) tracks.push_back(Arpeggio(Play(Harp, rng), Hub(), prog, 4, 0, {0, 1, 2, 3}, 0.5, 0.3f, 0.4f));
    Stereo s = RenderLoop(bpm, 16, tracks);
    return ReverbLoop(s, {0.8, 0.3, 0.3, 1.0});
}

}  // namespace

void AddCenterSounds(JobList& jobs) {
    AddOneShot(jobs, kDir + "cea1.wav", [](Rng& r) {
        Mono m = Chord(Glockenspiel, Hub(), {5, 7, 9}, r, 0.04);
        return Room(m, 0.3);
    });
    AddOneShot(jobs, kDir + "Cea1_c.wav", [](Rng& r) {
        // Take-off: a rising whoosh under a two-octave run, about 2.4 s.
        Mono m = Whoosh(200, 4000, 2.2, 2.5, r);
        for (float& v : m) v *= 0.5f;
        Overlay(m, Phrase(Harp, Hub(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0.12, r), 0.1);
        Overlay(m, Chord(FmBell, Hub(), {12, 14, 16}, r), 1.7, 0.8);
        return Room(m, 0.3, 1.0);
    });
    AddOneShot(jobs, kDir + "Cea1_no.wav", [](Rng& r) { return Room(Phrase(Vibraphone, Hub(), {6, 4}, 0.16, r), 0.25); });
    const struct {
        const char* rollover;
        const char* click;
        int degree;
        std::vector<int> clickDegrees;
    } controls[] = {
        {"ceb1.wav", "Ceb1_c.wav", 4, {4, 7}},
        {"ceb2.wav", "ceb2_c.wav", 5, {5, 8}},
        {"ceb3.wav", "ceb3_c.wav", 2, {2, 0}},
    };
    for (const auto& c : controls) {
        const int degree = c.degree;
        AddOneShot(jobs, kDir + c.rollover, [degree](Rng& r) { return Room(Note(Marimba, Hub(), degree, r), 0.2); });
        const std::vector<int> click = c.clickDegrees;
        AddOneShot(jobs, kDir + c.click, [click](Rng& r) { return Room(Phrase(Marimba, Hub(), click, 0.1, r), 0.2); });
    }
    AddOneShot(jobs, kDir + "cer1.wav", [](Rng& r) {
        return Room(Phrase(Harp, Hub(), {0, 2, 4, 6, 7, 9, 11, 12}, 0.06, r), 0.3, 1.0);
    });
    AddOneShot(jobs, kDir + "cer1_c.wav", [](Rng& r) { return Room(Chord(Harp, Hub(), {0, 2, 4, 7}, r, 0.03), 0.3); });
    AddOneShot(jobs, kDir + "Cer1_2.wav", [](Rng& r) {
        return Room(Phrase(Harp, Hub(), {12, 11, 9, 7, 6, 4}, 0.05, r), 0.3, 1.0);
    });
    AddOneShot(jobs, kDir + "Cehaloin.wav", [](Rng& r) {
        Mono m = Whoosh(400, 2500, 0.7, 2.0, r);
        Overlay(m, Sparkle(Celesta, Hub(), 9, 14, 4, 0.5, r), 0.2, 0.7);
        return Room(m, 0.3);
    });
    AddOneShot(jobs, kDir + "Cehaloot.wav", [](Rng& r) {
        Mono m = Whoosh(2500, 300, 0.7, 2.0, r);
        Overlay(m, Phrase(Celesta, Hub(), {11, 9, 7}, 0.1, r), 0.1, 0.5);
        return Room(m, 0.3);
    });

    // World w's roll-over motif: "cet" w n in the key of world n (1..5) and,
    // before a world was chosen, "cet" w "6" in the hub's key; "cet" w "7"
    // is its preview loop.
    for (int w = 1; w <= 5; ++w) {
        const std::string stem = kDir + "cet" + std::to_string(w);
        for (int n = 1; n <= 6; ++n) {
            const int tonic = n == 6 ? Hub().tonic : StyleOf(n).scale.tonic;
            AddOneShot(jobs, stem + std::to_string(n) + ".wav", [w, tonic](Rng& r) { return Motif(w, tonic, r); });
        }
        AddLoop(jobs, stem + "7.wav", [w](Rng& r) { return WorldPreview(w, r); });
    }
    for (int n = 0; n < 5; ++n)
        AddLoop(jobs, kDir + "ceabout" + std::to_string(n + 1) + ".wav", [n](Rng& r) { return AboutTune(n, r); });
}

}  // namespace soundgen
