// Troid: E minor pentatonic at 90 BPM; plucked space-harp voices across the
// rock field, electric-piano tones, glassy pads, quartal harmony, dark drums.

#include <string>

#include "tools/soundgen/LoopKit.h"
#include "tools/soundgen/Shots.h"
#include "tools/soundgen/Style.h"
#include "tools/soundgen/synth/Reverb.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

using namespace synth;

namespace {

const std::string kDir = "plinkpad/assets/troid/Audio/";
const WorldStyle& Troid() { return StyleOf(4); }
const Scale& Key() { return Troid().scale; }

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

Stereo TroidLoop(int v, Rng& rng) {
    const double bpm = Troid().bpm;
    const Progression prog{{0, 4, 1, 3}, 4};
    std::vector<Track> t;
    switch (v) {
    case 0:  // drifting pad and slow harp arpeggio
        t.push_back(PadChords(Play(WarmPad, rng), Key(), prog, 4, 0, 0.5f, -0.3f));
        t.push_back(Arpeggio(Play(SpaceHarp, rng), Key(), prog, 4, 1, {0, 1, 2, 3, 2, 1}, 0.5, 0.6f, 0.3f));
        break;
    case 1:  // pulse bass, kick and hats under a harp line
        t.push_back(BassLine(Play(PluckBass, rng), Key(), prog, 4, -1, "x.ox..x.", 0.5, 0.8f, 0.0f));
        t.push_back(Rhythm(Play(KickDrum, rng), "X.......x.......", 0.25, 16, 0, 0.9f, 0.0f));
        t.push_back(Rhythm(Play(ClosedHat, rng), "..x...x...x..xx.", 0.25, 16, 0, 0.6f, 0.3f));
        t.push_back(Arpeggio(Play(SpaceHarp, rng), Key(), prog, 4, 1, {0, 2, 1, 3}, 1.0, 0.5f, -0.3f));
        break;
    case 2:  // broken beat and bass
        t.push_back(Rhythm(Play(KickDrum, rng), "X.....x...X.....", 0.25, 16, 0, 0.9f, 0.0f));
        t.push_back(Rhythm(Play(SnareDrum, rng), "....X.......X..o", 0.25, 16, 0, 0.7f, 0.1f));
        t.push_back(Rhythm(Play(ClosedHat, rng), "x.xxx.x.x.xxx.xo", 0.25, 16, 0, 0.5f, -0.3f));
        t.push_back(BassLine(Play(SubBass, rng), Key(), prog, 4, -1, "x..x..F.", 0.5, 0.8f, 0.0f));
        break;
    case 3:  // syncopated electric-piano chords
        t.push_back(Rhythm(Play(ShakerHit, rng), "xoxo", 0.25, 16, 0, 0.5f, 0.4f));
        for (int d = 0; d < 3; ++d) {
            Track chord{Play(ElectricPiano, rng), {}, 0.45f, -0.2f};
            for (int bar = 0; bar < 4; ++bar)
                for (double at : {0.0, 1.5, 3.0})
                    chord.notes.push_back({bar * 4 + at, 0.5, Key().Hz(ChordDegrees(prog.roots[size_t(bar)])[size_t(d)] + 5), 0.7});
            t.push_back(chord);
        }
        t.push_back(BassLine(Play(PluckBass, rng), Key(), prog, 4, -1, "x.....x.", 0.5, 0.7f, 0.0f));
        break;
    case 4:  // a harp melody over a bass drone
        t.push_back(Melody(Play(SpaceHarp, rng), Key(), 1,
                           {0, -99, 2, 3, 4, -99, 3, 2, 1, -99, 2, -99, 0, -99, -99, -99,
                            4, -99, 5, 4, 3, -99, 2, 3, 2, -99, 1, -99, 0, -99, -99, -99},
                           0.5, 0.5, 0.7f, 0.2f));
        t.push_back(BassLine(Play(WarmPad, rng), Key(), prog, 4, -1, "x", 4.0, 0.5f, -0.2f));
        break;
    case 5:  // shimmering sixteenth arpeggio, soft kick
        t.push_back(Arpeggio(Play(Celesta, rng), Key(), prog, 4, 2, {0, 1, 2, 3, 4, 3, 2, 1}, 0.25, 0.35f, 0.4f));
        t.push_back(Rhythm(Play(KickDrum, rng), "x...", 0.25, 16, 0, 0.6f, 0.0f));
        t.push_back(PadChords(Play(ShimmerPad, rng), Key(), prog, 4, 0, 0.35f, -0.4f));
        break;
    case 6:  // half-time heavy: kick and snare, sub bass, pad
        t.push_back(Rhythm(Play(KickDrum, rng), "X.........x.....", 0.25, 16, 0, 1.0f, 0.0f));
        t.push_back(Rhythm(Play(SnareDrum, rng), "........X.......", 0.25, 16, 0, 0.8f, 0.0f));
        t.push_back(Rhythm(Play(OpenHat, rng), "..x...x...x...x.", 0.25, 16, 0, 0.5f, 0.3f));
        t.push_back(BassLine(Play(SubBass, rng), Key(), prog, 4, -1, "x.......x...x...", 0.25, 0.9f, 0.0f));
        t.push_back(PadChords(Play(WarmPad, rng), Key(), prog, 4, 0, 0.35f, 0.2f));
        break;
    default:  // sparse bells and shaker
        t.push_back(Rhythm(Play(ShakerHit, rng), "x.o.", 0.25, 16, 0, 0.5f, -0.4f));
        t.push_back(Arpeggio(Play(FmBell, rng), Key(), prog, 4, 1, {0, -1, -1, 2, -1, -1, 1, -1}, 0.5, 0.5f, 0.3f));
        t.push_back(Rhythm(Play(Conga, rng), "x..o..x.", 0.5, 16, Key().Hz(-5), 0.6f, -0.1f));
        break;
    }
    return ReverbLoop(RenderLoop(bpm, 16, t), {0.8, 0.35, 0.3, 1.0});
}

void AddTroidSounds(JobList& jobs) {
    // The twelve main voices climb the scale around the rock ring, from the
    // top right (trs01) round to the top left (trs12).
    for (int i = 1; i <= 12; ++i)
        AddOneShot(jobs, kDir + "trs" + Two(i) + ".wav",
                   [i](Rng& r) { return Room(Note(SpaceHarp, Key(), i - 1, r), 0.25, 1.0); });
    // Tonal voices: electric piano on the chord tones; the click version is
    // the same note as a brighter bell an octave up.
    const int tonal[] = {5, 6, 7, 9};
    for (int i = 1; i <= 4; ++i) {
        const int d = tonal[i - 1];
        AddOneShot(jobs, kDir + "trd" + std::to_string(i) + ".wav",
                   [d](Rng& r) { return Room(Note(ElectricPiano, Key(), d, r), 0.2); });
        AddOneShot(jobs, kDir + "Trd" + std::to_string(i) + "_c.wav",
                   [d](Rng& r) { return Room(Note(FmBell, Key(), d + 5, r), 0.25); });
    }
    // Highlights: glass swells; clicks: the same pitch struck on a vibraphone.
    const int highlight[] = {10, 8, 7, 11};
    for (int i = 1; i <= 4; ++i) {
        const int d = highlight[i - 1];
        AddOneShot(jobs, kDir + "trt" + std::to_string(i) + ".wav",
                   [d](Rng& r) { return Room(Note(GlassHarmonica, Key(), d, r, 0.6), 0.3, 1.0); });
        AddOneShot(jobs, kDir + "Trt" + std::to_string(i) + "_c.wav",
                   [d](Rng& r) { return Room(Note(Vibraphone, Key(), d, r), 0.3); });
    }
    // Random space noises.
    AddOneShot(jobs, kDir + "trr1.wav", [](Rng& r) { return Room(Whoosh(150, 3000, 1.0, 4.0, r), 0.3); });
    AddOneShot(jobs, kDir + "trr2.wav", [](Rng& r) { return Room(Glide(2000, 200, 0.35, 2, r), 0.3); });
    AddOneShot(jobs, kDir + "trr3.wav", [](Rng& r) {
        Mono m = Gong(Key().Hz(-5) * 1.5, 0.1, 1.0, r);
        Overlay(m, Whoosh(3000, 600, 0.5, 3.0, r), 0.0, 0.4);
        return Room(m, 0.3);
    });
    AddOneShot(jobs, kDir + "trr4.wav", [](Rng& r) { return Room(Sparkle(FmBlip, Key(), 10, 16, 6, 0.5, r), 0.3); });
    AddOneShot(jobs, kDir + "trr5.wav", [](Rng& r) { return Room(Whoosh(3000, 120, 1.2, 6.0, r), 0.35); });
    AddOneShot(jobs, kDir + "trr6.wav", [](Rng& r) {
        Mono m = Glide(150, 900, 0.5, 1, r);
        Overlay(m, Glide(900, 300, 0.4, 1, r), 0.45);
        return Room(m, 0.3);
    });
    AddOneShot(jobs, kDir + "Trmisc_c.wav", [](Rng& r) {
        Mono m = Conga(Key().Hz(-5), 0.1, 1.0, r);
        Overlay(m, Note(SpaceHarp, Key(), 10, r), 0.02, 0.3);
        return Room(m, 0.25);
    });
    AddOneShot(jobs, kDir + "Trc1in.wav", [](Rng& r) {
        Mono m = Whoosh(300, 2400, 0.45, 3.0, r);
        Overlay(m, Note(FmBell, Key(), 7, r), 0.3, 0.6);
        return Room(m, 0.25);
    });
    AddOneShot(jobs, kDir + "Trc1out.wav", [](Rng& r) {
        Mono m = Whoosh(2400, 300, 0.45, 3.0, r);
        Overlay(m, Note(FmBell, Key(), 5, r), 0.25, 0.6);
        return Room(m, 0.25);
    });
    AddOneShot(jobs, kDir + "Trloop_c.wav", [](Rng& r) { return Room(Phrase(ElectricPiano, Key(), {5, 7, 10}, 0.1, r), 0.25); });
    AddOneShot(jobs, kDir + "Trloop2.wav", [](Rng& r) { return Room(Phrase(ElectricPiano, Key(), {10, 7, 5}, 0.1, r), 0.25); });
    for (int i = 0; i < 8; ++i)
        AddLoop(jobs, kDir + "trloop_" + std::to_string(i + 1) + ".wav", [i](Rng& r) { return TroidLoop(i, r); });
}

}  // namespace soundgen
