// Gama: A pelog (A Bb C E F) at 72 BPM, a gamelan: saron bars, bonang
// kettles, gongs and a plucked zither. Every hot-spot's three versions (a, b,
// c) are the same note on saron, bonang and zither (gongs for the loop keys; the
// zither an octave down for the highest notes).
// Loops are interlocking patterns over an eight-beat gong cycle.

#include <string>

#include "tools/soundgen/LoopKit.h"
#include "tools/soundgen/Shots.h"
#include "tools/soundgen/Style.h"
#include "tools/soundgen/synth/Reverb.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

using namespace synth;

namespace {

const std::string kDir = "plinkpad/assets/GAMA/ga_wav/";
const WorldStyle& Gama() { return StyleOf(5); }
const Scale& Key() { return Gama().scale; }

struct KeySound {
    std::string stem;  // file name without the version letter and ".wav"
    int degree;
    bool gong;         // a loop key: sounds on gongs
};

std::vector<KeySound> Keys() {
    std::vector<KeySound> keys;
    // Row 1 (top left): the middle register.
    for (int k = 1; k <= 6; ++k) keys.push_back({"Ga1_" + std::to_string(k), 4 + k, false});
    // Row 2 (top right): the high register.
    for (int k = 1; k <= 8; ++k) keys.push_back({"Ga2_" + std::to_string(k), 6 + k, false});
    // Rows 3 and 4 (bottom): low bars, and four gong keys each that start loops.
    keys.push_back({"Ga3_1a", 0, false});
    keys.push_back({"Ga3_1b", 1, false});
    for (int k = 2; k <= 5; ++k) keys.push_back({"Ga3_" + std::to_string(k), k, false});
    for (int k = 6; k <= 9; ++k) keys.push_back({"Ga3_" + std::to_string(k), k - 11, true});
    keys.push_back({"Ga4_1a", 3, false});
    keys.push_back({"Ga4_1b", 4, false});
    for (int k = 2; k <= 4; ++k) keys.push_back({"Ga4_" + std::to_string(k), 3 + k, false});
    for (int k = 5; k <= 8; ++k) keys.push_back({"Ga4_" + std::to_string(k), k - 6, true});
    return keys;
}

}  // namespace

Stereo GamaLoop(int v, Rng& rng) {
    const double bpm = Gama().bpm;
    // The balungan (core melody), one note per beat, varied per loop.
    const std::vector<std::vector<int>> cores{
        {5, 6, 7, 5, 8, 7, 6, 5}, {7, 6, 5, 3, 5, 6, 7, 8}, {3, 5, 6, 5, 7, 6, 5, 3}, {8, 7, 5, 7, 6, 5, 3, 5},
        {5, 5, 6, 7, 8, 8, 7, 5}, {6, 7, 8, 10, 8, 7, 6, 5}, {3, 4, 5, 3, 6, 5, 4, 3}, {5, 8, 7, 6, 5, 6, 7, 5},
    };
    const std::vector<int>& core = cores[size_t(v)];
    std::vector<Track> t;
    t.push_back(Melody(Play(Saron, rng), Key(), 0, core, 1.0, 0.9, 0.55f, -0.25f));
    // Bonang plays each core note twice as fast and an octave up, anticipating.
    std::vector<int> elaboration;
    for (size_t i = 0; i < core.size(); ++i) {
        const int next = core[(i + 1) % core.size()];
        elaboration.push_back(core[i] + 5);
        elaboration.push_back(v % 2 ? next + 5 : -99);
    }
    t.push_back(Melody(Play(Bonang, rng), Key(), 0, elaboration, 0.5, 0.4, 0.35f, 0.3f));
    // Gong at the cycle's end, kempul at its half.
    t.push_back(Track{Play(Gong, rng), {{0.0, 4.0, Key().Hz(-5), 1.0}, {4.0, 2.0, Key().Hz(-2), 0.6}}, 0.7f, 0.0f});
    if (v >= 2) t.push_back(Rhythm(Play(Conga, rng), v % 3 ? "x.o.x.oox.o.x..o" : "x..x..o.x..x.o.o", 0.25, 8, Key().Hz(-5), 0.45f, -0.1f));
    if (v >= 4) t.push_back(Arpeggio(Play(Zither, rng), Key(), Progression{{0}, 8}, 1, 1, {0, 1, 2, 3, 2, 1}, 0.25, 0.25f, 0.45f));
    return ReverbLoop(RenderLoop(bpm, 8, t), {0.8, 0.3, 0.3, 1.0});
}

void AddGamaSounds(JobList& jobs) {
    for (const KeySound& k : Keys()) {
        const int d = k.degree;
        const Instrument first = k.gong ? Gong : Saron;
        AddOneShot(jobs, kDir + k.stem + "a.wav", [first, d](Rng& r) { return Room(Note(first, Key(), d, r), 0.3, 0.8); });
        AddOneShot(jobs, kDir + k.stem + "b.wav", [d](Rng& r) { return Room(Note(Bonang, Key(), d, r), 0.3, 0.8); });
        // The zither takes the highest notes an octave down, where a plucked
        // string still rings.
        const int zither = d > 10 ? d - 5 : d;
        AddOneShot(jobs, kDir + k.stem + "c.wav", [zither](Rng& r) { return Room(Note(Zither, Key(), zither, r), 0.3, 0.8); });
    }
    AddOneShot(jobs, kDir + "Gamisc.wav", [](Rng& r) {
        Mono m = Conga(Key().Hz(0), 0.1, 1.0, r);
        Overlay(m, Conga(Key().Hz(3), 0.1, 0.7, r), 0.12);
        return Room(m, 0.3);
    });
    AddOneShot(jobs, kDir + "Galoop_c.wav", [](Rng& r) { return Room(Phrase(Bonang, Key(), {5, 7, 8, 10}, 0.1, r), 0.3); });
    AddOneShot(jobs, kDir + "Galoop2.wav", [](Rng& r) { return Room(Phrase(Bonang, Key(), {10, 8, 7, 5}, 0.1, r), 0.3); });
    for (int i = 0; i < 8; ++i)
        AddLoop(jobs, kDir + "Galp" + std::to_string(i + 1) + ".wav", [i](Rng& r) { return GamaLoop(i, r); });
}

}  // namespace soundgen
