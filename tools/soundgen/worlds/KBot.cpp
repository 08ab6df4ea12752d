// kBot: G dominant pentatonic at 116 BPM; chip pulses, FM blips, acid and
// sub-bass synths, robot voices and electro beats. The twenty keys climb the
// scale from left to right in every row: row 3 the low synth, row 1 the chip
// lead above it, row 4 the sub bass and row 2 the high blips.

#include <string>

#include "tools/soundgen/LoopKit.h"
#include "tools/soundgen/Shots.h"
#include "tools/soundgen/Style.h"
#include "tools/soundgen/synth/Reverb.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

using namespace synth;

namespace {

const std::string kDir = "plinkpad/assets/kbot/kb_wav/";
const WorldStyle& KBot() { return StyleOf(3); }
const Scale& Key() { return KBot().scale; }

}  // namespace

Stereo KBotLoop(int v, Rng& rng) {
    const double bpm = KBot().bpm;
    const Progression progs[] = {{{0, 0, 3, 4}, 4}, {{0, 2, 3, 1}, 4}};
    const Progression& prog = progs[v % 2];
    std::vector<Track> t;
    const std::vector<std::string> kicks{"X...x...X...x...", "X..x..x.X..x....", "X.....X...X.....", "X...X...X...X..x"};
    t.push_back(Rhythm(Play(KickDrum, rng), kicks[size_t(v % 4)], 0.25, 16, 0, 0.9f, 0.0f));
    if (v != 3) t.push_back(Rhythm(Play(v % 3 ? HandClap : SnareDrum, rng), "....X.......X...", 0.25, 16, 0, 0.6f, 0.05f));
    t.push_back(Rhythm(Play(v % 2 ? OpenHat : ClosedHat, rng), v % 2 ? "..x." : "xxox", 0.25, 16, 0, 0.5f, 0.35f));
    const Instrument basses[] = {SubBass, AcidSynth, SubBass, PluckBass};
    const std::vector<std::string> bassRhythms{"x.x.F.x.", "xx.xF.xo", "x..x..x.", "x.Fxx.F."};
    t.push_back(BassLine(Play(basses[v % 4], rng), Key(), prog, 4, -1, bassRhythms[size_t(v % 4)], 0.5, 0.8f, 0.0f));
    if (v >= 2) {
        const Instrument tops[] = {ChipLead, FmBlip, ChipLead, FmBlip, AcidSynth, FmBlip};
        t.push_back(Arpeggio(Play(tops[v - 2], rng), Key(), prog, 4, 1, {0, 1, 2, 3, 2, 1}, 0.25, 0.35f, -0.35f));
    }
    if (v == 1 || v == 5 || v == 7) t.push_back(PadChords(Play(WarmPad, rng), Key(), prog, 4, 0, 0.3f, 0.2f));
    return ReverbLoop(RenderLoop(bpm, 16, t), {0.5, 0.4, 0.15, 1.0});
}

void AddKBotSounds(JobList& jobs) {
    const struct {
        int row;
        Instrument voice;
        int firstDegree;
    } rows[] = {{1, ChipLead, 5}, {2, FmBlip, 10}, {3, AcidSynth, 0}, {4, SubBass, -5}};
    for (const auto& row : rows) {
        for (int col = 1; col <= 5; ++col) {
            const int d = row.firstDegree + col - 1;
            const Instrument voice = row.voice;
            AddOneShot(jobs, kDir + "kb" + std::to_string(row.row) + "_" + std::to_string(col) + ".wav",
                       [voice, d](Rng& r) { return Room(Note(voice, Key(), d, r, 0.25), 0.15); });
        }
    }
    // Pads (kbd) and the talking robot pads (kbt), whose click rings the same
    // note on a vibraphone.
    const int pads[] = {0, 2, 3, 4};
    const int talk[] = {5, 7, 8, 6};
    for (int i = 1; i <= 4; ++i) {
        const int p = pads[i - 1], t = talk[i - 1];
        const std::string n = std::to_string(i);
        AddOneShot(jobs, kDir + "kbd" + n + ".wav", [p](Rng& r) { return Room(Note(WarmPad, Key(), p, r, 0.5), 0.2); });
        AddOneShot(jobs, kDir + "kbt" + n + ".wav", [t](Rng& r) { return Room(Note(RoboVoice, Key(), t, r, 0.4), 0.2); });
        AddOneShot(jobs, kDir + "Kbt" + n + "_c.wav", [t](Rng& r) { return Room(Note(Vibraphone, Key(), t, r), 0.2); });
    }
    // The bells' random robot noises.
    AddOneShot(jobs, kDir + "kbr1.wav", [](Rng& r) { return Room(Glide(200, 700, 0.45, 2, r), 0.2); });
    AddOneShot(jobs, kDir + "kbr2.wav", [](Rng& r) { return Room(Sparkle(FmBlip, Key(), 8, 14, 6, 0.4, r), 0.2); });
    AddOneShot(jobs, kDir + "kbr3.wav", [](Rng& r) {
        Mono m = Woodblock(MidiToHz(50), 0.1, 1.0, r);
        Overlay(m, Woodblock(MidiToHz(57), 0.1, 0.8, r), 0.08);
        Overlay(m, Whoosh(4000, 1500, 0.15, 4.0, r), 0.0, 0.3);
        return Room(m, 0.2);
    });
    AddOneShot(jobs, kDir + "kbr4.wav", [](Rng& r) {
        Mono m;
        for (int i = 0; i < 6; ++i) Overlay(m, Woodblock(MidiToHz(70 + (i % 2) * 5), 0.03, 0.7, r), 0.045 * i);
        return Room(m, 0.2);
    });
    AddOneShot(jobs, kDir + "kbr5.wav", [](Rng& r) { return Room(Glide(1500, 150, 0.4, 3, r), 0.2); });
    AddOneShot(jobs, kDir + "kbr6.wav", [](Rng& r) { return Room(Phrase(RoboVoice, Key(), {5, 8, 6}, 0.12, r, 0.1), 0.2); });
    AddOneShot(jobs, kDir + "Kbb5.wav", [](Rng& r) { return Room(Glide(Key().Hz(0), Key().Hz(5), 0.25, 3, r), 0.2); });
    AddOneShot(jobs, kDir + "Kbb5_out.wav", [](Rng& r) { return Room(Glide(Key().Hz(5), Key().Hz(0), 0.25, 3, r), 0.2); });
    AddOneShot(jobs, kDir + "Kbb5_c.wav", [](Rng& r) { return Room(Phrase(FmBlip, Key(), {5, 7, 10}, 0.08, r), 0.2); });
    AddOneShot(jobs, kDir + "Kbloop2.wav", [](Rng& r) { return Room(Phrase(FmBlip, Key(), {10, 7, 5}, 0.08, r), 0.2); });
    AddOneShot(jobs, kDir + "Kbmisc.wav", [](Rng& r) {
        Mono m = Woodblock(MidiToHz(67), 0.05, 1.0, r);
        Overlay(m, FmBlip(Key().Hz(10), 0.05, 0.4, r), 0.03);
        return Room(m, 0.2);
    });
    for (int i = 0; i < 8; ++i)
        AddLoop(jobs, kDir + "Kbloop_" + std::to_string(i + 1) + ".wav", [i](Rng& r) { return KBotLoop(i, r); });
}

}  // namespace soundgen
