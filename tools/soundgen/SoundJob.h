#pragma once
// One file of the disc's sound set: where it goes, what kind it is and how to
// render it. Rendering gets its own random stream seeded from the path, so the
// result does not depend on the order or thread the jobs run in.

#include <functional>
#include <string>
#include <vector>

#include "tools/soundgen/synth/Buffer.h"
#include "tools/soundgen/synth/Rng.h"

namespace soundgen {

enum class Kind {
    OneShot,  // starts from silence, decays to silence, at the common loudness
    Loop,     // repeats seamlessly, a little quieter than the one-shots
};

struct SoundJob {
    std::string path;  // relative to the disc root, '/'-separated
    Kind kind = Kind::OneShot;
    int channels = 1;
    std::function<synth::Stereo(synth::Rng&)> render;
};

using JobList = std::vector<SoundJob>;

// Loudness targets (see synth::LoudnessDb) and the peak ceiling of every file.
inline constexpr double kOneShotLoudnessDb = -18.0;
inline constexpr double kLoopLoudnessDb = -21.0;
inline constexpr double kPeakCeiling = 0.85;  // -1.4 dBFS

void AddOneShot(JobList& jobs, std::string path, std::function<synth::Mono(synth::Rng&)> render);
void AddStereoOneShot(JobList& jobs, std::string path, std::function<synth::Stereo(synth::Rng&)> render);
void AddLoop(JobList& jobs, std::string path, std::function<synth::Stereo(synth::Rng&)> render);

// Renders the job and finishes it: fades, DC, loudness, peak limit.
synth::Stereo RenderFinished(const SoundJob& job);

}  // namespace soundgen
