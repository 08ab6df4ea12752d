#pragma once
// The instruments the worlds are scored for, built from the synth models.
// Each renders one note: pitch in Hz, gate length in seconds (how long the
// note is held; struck and plucked notes ignore it), velocity 0..1. The
// result rings out to silence. Pitched instruments are exactly in tune:
// harmonic partials, or inharmonic ones kept weak and short.

#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"
#include "tools/soundgen/synth/Sequencer.h"

namespace soundgen {

using Instrument = synth::Mono (*)(double hz, double seconds, double velocity, synth::Rng& rng);

// Binds an instrument to a random stream as a sequencer voice.
synth::Voice Play(Instrument instrument, synth::Rng& rng);

// Mallets and bars.
synth::Mono Marimba(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Vibraphone(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Glockenspiel(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Kalimba(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono MusicBox(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Woodblock(double hz, double seconds, double velocity, synth::Rng& rng);
// Gamelan family: bar metallophone, kettle gong, hanging gong.
synth::Mono Saron(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Bonang(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Gong(double hz, double seconds, double velocity, synth::Rng& rng);

// Strings.
synth::Mono Harp(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono SpaceHarp(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Zither(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono PluckBass(double hz, double seconds, double velocity, synth::Rng& rng);

// FM and additive tones.
synth::Mono ElectricPiano(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono FmBell(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Celesta(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono GlassHarmonica(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono FmBlip(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Flute(double hz, double seconds, double velocity, synth::Rng& rng);

// Subtractive synths.
synth::Mono WarmPad(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono ShimmerPad(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono ChipLead(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono AcidSynth(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono SubBass(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono RoboVoice(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Buzzer(double hz, double seconds, double velocity, synth::Rng& rng);

// Unpitched (hz is ignored or only colours the sound).
synth::Mono KickDrum(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono SnareDrum(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono ClosedHat(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono OpenHat(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono HandClap(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono ShakerHit(double hz, double seconds, double velocity, synth::Rng& rng);
synth::Mono Conga(double hz, double seconds, double velocity, synth::Rng& rng);

}  // namespace soundgen
