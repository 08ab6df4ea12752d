#include "tools/soundgen/SoundJob.h"

#include <algorithm>
#include <cmath>

#include "tools/soundgen/synth/Biquad.h"
#include "tools/soundgen/synth/Envelope.h"
#include "tools/soundgen/synth/Level.h"

namespace soundgen {

using namespace synth;

void AddOneShot(JobList& jobs, std::string path, std::function<Mono(Rng&)> render) {
    jobs.push_back({std::move(path), Kind::OneShot, 1, [render](Rng& rng) { return ToStereo(render(rng)); }});
}

void AddStereoOneShot(JobList& jobs, std::string path, std::function<Stereo(Rng&)> render) {
    jobs.push_back({std::move(path), Kind::OneShot, 2, std::move(render)});
}

void AddLoop(JobList& jobs, std::string path, std::function<Stereo(Rng&)> render) {
    jobs.push_back({std::move(path), Kind::Loop, 2, std::move(render)});
}

namespace {

// Drops the inaudible end of a decayed one-shot: everything after the last
// sample above -80 dBFS (relative to a full-scale peak), plus 20 ms.
void TrimSilence(Stereo& s) {
    const double peak = PeakOf(s);
    const float floor = float(peak * 1e-4);
    size_t last = 0;
    for (size_t i = 0; i < s.Size(); ++i)
        if (std::abs(s.left[i]) > floor || std::abs(s.right[i]) > floor) last = i;
    s.Resize(std::min(s.Size(), last + 1 + SamplesOf(0.02)));
}

// Removes what is left of the mean with a Hann-shaped offset, which keeps the
// silent start and end in place.
void CancelMean(Mono& m) {
    if (m.size() < 2) return;
    const double mean = MeanOf(m);
    // The Hann window's own mean is one half.
    for (size_t i = 0; i < m.size(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(2.0 * 3.14159265358979 * double(i) / double(m.size() - 1));
        m[i] -= float(2.0 * mean * w);
    }
}

void FinishOneShot(Stereo& s, int channels) {
    if (channels == 1) s = ToStereo(Downmix(s));
    TrimSilence(s);
    // A one-shot rises from silence within 3 ms and ends in silence; the DC
    // blocker runs before the end fade so the fade has the last word.
    for (Mono* ch : {&s.left, &s.right}) {
        BlockDc(*ch);
        FadeIn(*ch, 0.003);
        FadeOut(*ch, 0.02);
        CancelMean(*ch);
    }
    ApplyGain(s, DbToGain(kOneShotLoudnessDb - LoudnessDb(s)));
    LimitPeaks(s, kPeakCeiling, 0.002, 0.08, false);
}

void FinishLoop(Stereo& s) {
    RemoveMean(s);
    ApplyGain(s, DbToGain(kLoopLoudnessDb - LoudnessDb(s)));
    LimitPeaks(s, kPeakCeiling, 0.002, 0.08, true);
}

}  // namespace

Stereo RenderFinished(const SoundJob& job) {
    Rng rng = Rng::FromName(job.path);
    Stereo s = job.render(rng);
    if (job.kind == Kind::Loop) {
        FinishLoop(s);
    } else {
        FinishOneShot(s, job.channels);
    }
    return s;
}

}  // namespace soundgen
