#pragma once
// Every world's (and the interface's) sound files, as generator jobs.

#include "tools/soundgen/SoundJob.h"
#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"

namespace soundgen {

void AddInterfaceSounds(JobList& jobs);  // general and palette sounds
void AddCenterSounds(JobList& jobs);
void AddTroidSounds(JobList& jobs);
void AddStarSounds(JobList& jobs);
void AddKBotSounds(JobList& jobs);
void AddGamaSounds(JobList& jobs);
void AddDaySounds(JobList& jobs);

// Each world's background loop number `variant` (0-based).
synth::Stereo TroidLoop(int variant, synth::Rng& rng);
synth::Stereo StarLoop(int family, int variant, synth::Rng& rng);  // family 0 sta5, 1 stc1, 2 stc2
synth::Stereo KBotLoop(int variant, synth::Rng& rng);
synth::Stereo GamaLoop(int variant, synth::Rng& rng);
synth::Stereo DayLoop(int variant, synth::Rng& rng);

// The loop in the style of world `scene` (1..5) that the hub previews.
synth::Stereo WorldPreview(int scene, synth::Rng& rng);

inline JobList AllJobs() {
    JobList jobs;
    AddInterfaceSounds(jobs);
    AddCenterSounds(jobs);
    AddTroidSounds(jobs);
    AddStarSounds(jobs);
    AddKBotSounds(jobs);
    AddGamaSounds(jobs);
    AddDaySounds(jobs);
    return jobs;
}

}  // namespace soundgen
