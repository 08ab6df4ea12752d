// Star: D lydian pentatonic at 80 BPM; celesta, glass and FM bells, shimmer
// pads. Each hot-spot's two sounds are one note in two timbres, so swapping
// them (the stc1/stc2 mode) keeps the melody. The three loop families share
// the tempo, length and a static harmony, so stc1 (left) and stc2 (right)
// fit together at any offset.

#include <string>

#include "tools/soundgen/LoopKit.h"
#include "tools/soundgen/Shots.h"
#include "tools/soundgen/Style.h"
#include "tools/soundgen/synth/Reverb.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

using namespace synth;

namespace {

const std::string kDir = "plinkpad/assets/star/st_wav/";
const WorldStyle& Star() { return StyleOf(1); }
const Scale& Key() { return Star().scale; }

}  // namespace

Stereo StarLoop(int family, int v, Rng& rng) {
    const double bpm = Star().bpm;
    const Progression prog{{0, 1}, 4};
    std::vector<Track> t;
    if (family == 0) {  // sta5: the full band
        t.push_back(PadChords(Play(ShimmerPad, rng), Key(), prog, 2, 0, 0.45f, 0.0f));
        const std::vector<std::vector<int>> arps{{0, 1, 2, 3}, {0, 2, 1, 3, 4, 3}, {3, 2, 1, 0}, {0, 1, 2, 4, 5, 4, 2, 1}, {0, 4, 2, 5}};
        t.push_back(Arpeggio(Play(v % 2 ? Celesta : Glockenspiel, rng), Key(), prog, 2, 1, arps[size_t(v)], 0.5, 0.45f, 0.3f));
        if (v >= 2) t.push_back(Rhythm(Play(ShakerHit, rng), "xoxo", 0.25, 8, 0, 0.45f, -0.3f));
        if (v >= 3) t.push_back(BassLine(Play(PluckBass, rng), Key(), prog, 2, -2, "x..x..o.", 0.5, 0.6f, 0.0f));
        if (v == 4) t.push_back(Rhythm(Play(KickDrum, rng), "x...", 1.0, 8, 0, 0.6f, 0.0f));
    } else if (family == 1) {  // stc1: low and slow, for the left
        const Instrument lows[] = {WarmPad, PluckBass, Vibraphone, WarmPad, Harp};
        const std::vector<std::string> pulses{"x.......", "x..x..x.", "x...x...", "x.x.x.x.", "x.....o."};
        t.push_back(BassLine(Play(lows[v], rng), Key(), prog, 2, -1, pulses[size_t(v)], 0.5, 0.7f, 0.0f));
        t.push_back(PadChords(Play(WarmPad, rng), Key(), prog, 2, -1, 0.3f, 0.0f));
    } else {  // stc2: high sparkle, for the right
        const Instrument highs[] = {Celesta, FmBell, Glockenspiel, MusicBox, Celesta};
        const std::vector<std::vector<int>> lines{{0, -1, 2, -1, 1, -1, 3, -1}, {3, 2, 1, 2}, {0, 1, 2, 3, 4, 3, 2, 1},
                                                  {4, -1, 3, -1, -1, 2, -1, -1}, {0, 2, 4, 2}};
        t.push_back(Arpeggio(Play(highs[v], rng), Key(), prog, 2, 2, lines[size_t(v)], v == 2 ? 0.25 : 0.5, 0.45f, 0.0f));
    }
    return ReverbLoop(RenderLoop(bpm, 8, t), {0.85, 0.25, 0.35, 1.0});
}

void AddStarSounds(JobList& jobs) {
    // sta1..sta4: celesta on roll-over, the same note as a glass bell on click.
    const int sta[] = {5, 7, 4, 2};
    for (int i = 1; i <= 4; ++i) {
        const int d = sta[i - 1];
        const std::string n = std::to_string(i);
        AddOneShot(jobs, kDir + "sta" + n + ".wav", [d](Rng& r) { return Room(Note(Celesta, Key(), d, r), 0.35, 1.2); });
        AddOneShot(jobs, kDir + "sta" + n + "_c.wav", [d](Rng& r) { return Room(Note(FmBell, Key(), d, r), 0.35, 1.2); });
    }
    AddOneShot(jobs, kDir + "sta5_in.wav", [](Rng& r) {
        Mono m = Phrase(Celesta, Key(), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0.05, r);
        Overlay(m, Whoosh(500, 5000, 0.6, 3.0, r), 0.0, 0.3);
        return Room(m, 0.35, 1.2);
    });
    AddOneShot(jobs, kDir + "sta5_out.wav", [](Rng& r) {
        Mono m = Phrase(Celesta, Key(), {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, 0.05, r);
        Overlay(m, Whoosh(5000, 500, 0.6, 3.0, r), 0.0, 0.3);
        return Room(m, 0.35, 1.2);
    });
    // stb pairs: FM bell and glass harmonica on one note; the click rings it
    // on a vibraphone.
    const struct {
        int n, degree;
    } pairs[] = {{2, 6}, {3, 8}, {6, 3}, {7, 1}};
    for (const auto& p : pairs) {
        const int d = p.degree;
        const std::string stem = kDir + "stb" + std::to_string(p.n);
        AddOneShot(jobs, stem + "a.wav", [d](Rng& r) { return Room(Note(FmBell, Key(), d, r), 0.35, 1.2); });
        AddOneShot(jobs, stem + "b.wav", [d](Rng& r) { return Room(Note(GlassHarmonica, Key(), d, r, 0.5), 0.35, 1.2); });
        AddOneShot(jobs, stem + "_c.wav", [d](Rng& r) { return Room(Note(Vibraphone, Key(), d, r), 0.35, 1.2); });
    }
    const struct {
        int n, degree;
    } clicks[] = {{1, 9}, {4, 6}, {5, 4}, {8, 0}};
    for (const auto& c : clicks) {
        const int d = c.degree;
        AddOneShot(jobs, kDir + "stb" + std::to_string(c.n) + "_c.wav",
                   [d](Rng& r) { return Room(Note(Glockenspiel, Key(), d, r), 0.35, 1.2); });
    }
    AddOneShot(jobs, kDir + "Stc1.wav", [](Rng& r) {
        Mono m = Phrase(Glockenspiel, Key(), {9, 7, 5, 4, 2, 0}, 0.07, r);
        Overlay(m, Note(WarmPad, Key(), -5, r, 0.4), 0.0, 0.5);
        return Room(m, 0.4, 1.2);
    });
    AddOneShot(jobs, kDir + "Stc2.wav", [](Rng& r) {
        Mono m = Phrase(Glockenspiel, Key(), {0, 2, 4, 5, 7, 9}, 0.07, r);
        Overlay(m, Note(ShimmerPad, Key(), 5, r, 0.4), 0.0, 0.4);
        return Room(m, 0.4, 1.2);
    });
    AddOneShot(jobs, kDir + "Stc_c.wav", [](Rng& r) { return Room(Chord(Celesta, Key(), {5, 7, 9, 10}, r, 0.03), 0.4, 1.2); });
    AddOneShot(jobs, kDir + "Stmisc_c.wav", [](Rng& r) { return Room(Sparkle(Celesta, Key(), 8, 13, 4, 0.3, r), 0.4); });
    AddOneShot(jobs, kDir + "Stmisc2c.wav", [](Rng& r) { return Room(Sparkle(Glockenspiel, Key(), 6, 11, 3, 0.25, r), 0.4); });
    // Noises: the sky's crackle and hiss between the stars.
    AddOneShot(jobs, kDir + "Stnoiz_1.wav", [](Rng& r) { return Room(Whoosh(800, 6000, 0.8, 5.0, r), 0.4); });
    AddOneShot(jobs, kDir + "Stnoiz_2.wav", [](Rng& r) { return Room(Whoosh(6000, 800, 0.8, 5.0, r), 0.4); });
    AddOneShot(jobs, kDir + "Stnoiz_3.wav", [](Rng& r) { return Room(Sparkle(FmBlip, Key(), 10, 15, 8, 0.6, r), 0.4); });
    AddOneShot(jobs, kDir + "Stnoiz_4.wav", [](Rng& r) { return Room(Glide(3000, 1200, 0.3, 0, r), 0.45); });
    AddOneShot(jobs, kDir + "Stnoiz_5.wav", [](Rng& r) {
        Mono m = Whoosh(2000, 2500, 0.5, 12.0, r);
        Overlay(m, Sparkle(Celesta, Key(), 10, 14, 3, 0.4, r), 0.05, 0.5);
        return Room(m, 0.4);
    });
    AddOneShot(jobs, kDir + "Stnoiz_6.wav", [](Rng& r) { return Room(Glide(600, 2400, 0.4, 0, r), 0.45); });
    const char* families[] = {"Sta1_", "Stc1_", "Stc2_"};
    for (int f = 0; f < 3; ++f)
        for (int v = 0; v < 5; ++v)
            AddLoop(jobs, kDir + "Loops/" + families[f] + std::to_string(v + 1) + ".wav",
                    [f, v](Rng& r) { return StarLoop(f, v, r); });
}

}  // namespace soundgen
