// Day: F major pentatonic at 104 BPM; marimba, kalimba and celesta. Piece
// type t (left to right in the stereo field) sits on one degree of the
// scale; its variants a, b and c are that degree, two degrees up and an
// octave up, so any board of placed pieces is a chord of the one scale.

#include <string>

#include "tools/soundgen/LoopKit.h"
#include "tools/soundgen/Shots.h"
#include "tools/soundgen/Style.h"
#include "tools/soundgen/synth/Reverb.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

using namespace synth;

namespace {

const std::string kDir = "plinkpad/assets/day/da_wav/";
const WorldStyle& Day() { return StyleOf(2); }
const Scale& Key() { return Day().scale; }

}  // namespace

Stereo DayLoop(int v, Rng& rng) {
    const double bpm = Day().bpm;
    const Progression progs[] = {{{0, 3, 1, 4}, 4}, {{0, 2, 3, 0}, 4}, {{3, 4, 0, 0}, 4}};
    const Progression& prog = progs[v % 3];
    std::vector<Track> t;
    const Instrument leads[] = {Marimba, Kalimba, Vibraphone, Marimba, Celesta, Kalimba, Marimba, Vibraphone, Harp};
    const std::vector<std::vector<int>> arps{{0, 1, 2, 3}, {0, 2, 1, 3, 2, 4}, {3, 2, 1, 0}, {0, 1, 2, 1}, {0, 3, 1, 4, 2, 5},
                                             {2, 1, 0, 1}, {0, 2, 4, 2}, {0, 1, 2, 3, 4, 5}, {5, 3, 1, 4, 2, 0}};
    t.push_back(Arpeggio(Play(leads[v], rng), Key(), prog, 4, 1, arps[size_t(v)], 0.5, 0.55f, 0.25f));
    t.push_back(BassLine(Play(PluckBass, rng), Key(), prog, 4, -1, v % 2 ? "x..xF..." : "x...F.x.", 0.5, 0.7f, 0.0f));
    if (v % 3 != 2) t.push_back(Rhythm(Play(ShakerHit, rng), "xoxo", 0.25, 16, 0, 0.45f, -0.35f));
    if (v >= 3) t.push_back(Rhythm(Play(Conga, rng), "x..o..x.o.x.....", 0.25, 16, Key().Hz(0), 0.5f, -0.2f));
    if (v >= 5) t.push_back(Rhythm(Play(KickDrum, rng), "x.......x.......", 0.25, 16, 0, 0.55f, 0.0f));
    if (v == 2 || v == 6 || v == 8) t.push_back(PadChords(Play(WarmPad, rng), Key(), prog, 4, 0, 0.3f, -0.1f));
    if (v == 4 || v == 7)
        t.push_back(Melody(Play(Flute, rng), Key(), 1, {4, -99, 3, 2, 3, -99, -99, -99, 2, -99, 1, 0, 1, -99, -99, -99}, 1.0, 0.9,
                           0.4f, -0.3f));
    return ReverbLoop(RenderLoop(bpm, 16, t), {0.65, 0.35, 0.2, 1.0});
}

void AddDaySounds(JobList& jobs) {
    const Instrument families[] = {Marimba, Marimba, Marimba, Kalimba, Kalimba, Kalimba, Celesta, Celesta, Celesta};
    const char* variants[] = {"a", "b", "c"};
    const int offsets[] = {0, 2, 5};
    for (int t = 0; t < 9; ++t) {
        for (int v = 0; v < 3; ++v) {
            const int d = t + 2 + offsets[v];
            const Instrument voice = families[t];
            AddOneShot(jobs, kDir + "Dat" + std::to_string(t + 1) + variants[v] + ".wav",
                       [voice, d](Rng& r) { return Room(Note(voice, Key(), d, r), 0.2); });
        }
    }
    // Tools under the pointer: little wooden chirps.
    for (int i = 1; i <= 5; ++i)
        AddOneShot(jobs, kDir + "Dabx" + std::to_string(i) + ".wav", [i](Rng& r) {
            Mono m = Woodblock(Key().Hz(4 + i), 0.05, 0.9, r);
            Overlay(m, Glide(Key().Hz(8 + i), Key().Hz(10 + i), 0.08, 0, r), 0.02, 0.3);
            return Room(m, 0.2);
        });
    AddOneShot(jobs, kDir + "Dabx_c.wav", [](Rng& r) { return Room(Glide(Key().Hz(5), Key().Hz(10), 0.15, 1, r), 0.2); });
    AddOneShot(jobs, kDir + "Dagrid_c.wav", [](Rng& r) { return Room(Chord(Kalimba, Key(), {5, 7, 8, 10}, r, 0.04), 0.25); });
    AddOneShot(jobs, kDir + "Daw1_c.wav", [](Rng& r) {
        Mono m = Whoosh(4000, 300, 0.5, 2.0, r);
        Overlay(m, Phrase(Marimba, Key(), {10, 9, 8, 7, 6, 5}, 0.05, r), 0.0, 0.8);
        return Room(m, 0.25);
    });
    AddOneShot(jobs, kDir + "Daloop_c.wav", [](Rng& r) { return Room(Phrase(Marimba, Key(), {5, 7, 10}, 0.09, r), 0.2); });
    AddOneShot(jobs, kDir + "Daloop2.wav", [](Rng& r) { return Room(Phrase(Marimba, Key(), {10, 7, 5}, 0.09, r), 0.2); });
    AddOneShot(jobs, kDir + "Damisc.wav", [](Rng& r) { return Woodblock(Key().Hz(7), 0.05, 1.0, r); });
    for (int i = 0; i < 9; ++i)
        AddLoop(jobs, kDir + "Daloop_" + std::to_string(i + 1) + ".wav", [i](Rng& r) { return DayLoop(i, r); });
}

}  // namespace soundgen
