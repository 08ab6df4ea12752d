// General interface sounds (shared by every scene) and the Record/Play
// palette's sounds: short, distinct, in C so they sit with any world.

#include "tools/soundgen/Shots.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace soundgen {

using namespace synth;

namespace {

const Scale kC{72, {0, 2, 4, 7, 9}};  // C5 major pentatonic

}  // namespace

void AddInterfaceSounds(JobList& jobs) {
    const std::string gen = "plinkpad/assets/all/Gen_wavs/";
    AddOneShot(jobs, gen + "Warning.wav", [](Rng& r) {
        // Two-tone alert, twice.
        Mono m;
        for (int i = 0; i < 2; ++i) {
            Overlay(m, FmBell(MidiToHz(76), 0.1, 1.0, r), 0.3 * i);
            Overlay(m, FmBell(MidiToHz(72), 0.1, 0.9, r), 0.3 * i + 0.15);
        }
        return Room(m, 0.15);
    });
    AddOneShot(jobs, gen + "Save.wav", [](Rng& r) { return Room(Phrase(Celesta, kC, {0, 2, 3, 5}, 0.07, r), 0.2); });
    AddOneShot(jobs, gen + "Nonono.wav", [](Rng& r) {
        // A low, rough "uh-uh": two buzzer blasts falling a tritone-ish step.
        Mono m = Buzzer(MidiToHz(46), 0.12, 1.0, r);
        Overlay(m, Buzzer(MidiToHz(40), 0.26, 1.0, r), 0.19);
        return m;
    });
    AddOneShot(jobs, gen + "Cancel.wav", [](Rng& r) { return Room(Phrase(Marimba, kC, {3, 0}, 0.09, r), 0.1); });
    AddOneShot(jobs, gen + "Close.wav", [](Rng& r) {
        Mono m = Woodblock(MidiToHz(55), 0.1, 1.0, r);
        Overlay(m, Whoosh(2500, 500, 0.18, 2.0, r), 0.0, 0.3);
        return m;
    });
    AddOneShot(jobs, gen + "Navup.wav", [](Rng& r) {
        Mono m = Glide(MidiToHz(72), MidiToHz(79), 0.22, 0, r);
        Overlay(m, Celesta(MidiToHz(91), 0.1, 0.5, r), 0.12);
        return Room(m, 0.15);
    });
    AddOneShot(jobs, gen + "Nav_c.wav", [](Rng& r) { return Room(Phrase(FmBell, kC, {5, 8}, 0.08, r), 0.2); });
    AddOneShot(jobs, gen + "Recup.wav", [](Rng& r) { return Room(Note(Celesta, kC, 4, r), 0.2); });
    AddOneShot(jobs, gen + "Rec_c.wav", [](Rng& r) {
        Mono m = Woodblock(MidiToHz(84), 0.05, 0.7, r);
        Overlay(m, Phrase(Glockenspiel, kC, {0, 2, 4}, 0.06, r), 0.03);
        return Room(m, 0.15);
    });
    AddOneShot(jobs, gen + "Zz_c.wav", [](Rng& r) {
        Mono m = Woodblock(MidiToHz(79), 0.05, 0.8, r);
        Overlay(m, Woodblock(MidiToHz(86), 0.05, 0.7, r), 0.07);
        return m;
    });

    const std::string rec = "plinkpad/assets/all/Rec_wavs/";
    AddOneShot(jobs, rec + "Restop_c.wav", [](Rng& r) { return Room(Phrase(ChipLead, kC, {2, -1}, 0.08, r, 0.08), 0.1); });
    AddOneShot(jobs, rec + "Rerec_c.wav", [](Rng& r) {
        Mono m = Phrase(FmBlip, kC, {2, 5}, 0.08, r);
        return Room(m, 0.1);
    });
    AddOneShot(jobs, rec + "Recone_c.wav", [](Rng& r) { return Woodblock(MidiToHz(74), 0.05, 1.0, r); });
    AddOneShot(jobs, rec + "Resmall.wav", [](Rng& r) { return Whoosh(600, 3000, 0.25, 3.0, r); });
    AddOneShot(jobs, rec + "Rerolovr.wav", [](Rng& r) { return Note(Glockenspiel, kC, 7, r); });
    AddOneShot(jobs, rec + "Replay_c.wav", [](Rng& r) { return Room(Phrase(Marimba, kC, {0, 2, 4}, 0.07, r), 0.15); });
    AddOneShot(jobs, rec + "Rebutt_c.wav", [](Rng& r) { return Woodblock(MidiToHz(81), 0.05, 0.9, r); });
}

}  // namespace soundgen
