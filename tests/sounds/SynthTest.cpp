// The synthesis library's contracts that the disc's quality rests on:
// tuning of the pitched models, seamless loop rendering, the limiter's
// ceiling, scale arithmetic and deterministic output.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/sounds/WavData.h"
#include "tools/soundgen/synth/FmTone.h"
#include "tools/soundgen/synth/Level.h"
#include "tools/soundgen/synth/Modal.h"
#include "tools/soundgen/synth/Pitch.h"
#include "tools/soundgen/synth/Pluck.h"
#include "tools/soundgen/synth/Reverb.h"
#include "tools/soundgen/synth/Scale.h"
#include "tools/soundgen/synth/Sequencer.h"
#include "tools/soundgen/synth/WavFile.h"

namespace synth {
namespace {

double Cents(double measured, double expected) { return 1200.0 * std::log2(measured / expected); }

double PitchAt(const Mono& m, double fromSeconds) {
    const size_t start = SamplesOf(fromSeconds);
    auto p = EstimatePitch(m.data() + start, 4096, kSampleRate, 60.0, 2000.0);
    return p ? p->hz : 0.0;
}

TEST(Pitch, EstimatesSinesAndHarmonicTonesWithinACent) {
    for (double hz : {65.0, 110.0, 261.63, 440.0, 987.77, 1760.0}) {
        Mono m(8192);
        for (size_t i = 0; i < m.size(); ++i) {
            const double t = double(i) / kSampleRate;
            m[i] = float(std::sin(2 * std::numbers::pi * hz * t) + 0.5 * std::sin(2 * std::numbers::pi * 2 * hz * t + 1.0));
        }
        EXPECT_NEAR(Cents(PitchAt(m, 0.0), hz), 0.0, 1.0) << hz;
    }
}

TEST(Pitch, FindsNothingInNoise) {
    Rng rng(7);
    Mono m(8192);
    for (float& v : m) v = rng.Bipolar();
    EXPECT_FALSE(EstimatePitch(m.data(), 4096, kSampleRate, 60.0, 2000.0));
}

TEST(Models, PluckedStruckAndFmTonesAreInTuneAcrossTheRange) {
    Rng rng(1);
    for (double midi : {40.0, 52.0, 64.0, 71.0, 81.0, 88.0}) {
        const double hz = MidiToHz(midi);
        EXPECT_NEAR(Cents(PitchAt(Pluck(hz, 0.5, {1.5, 0.3, 0.8}, rng), 0.06), hz), 0.0, 3.0) << "pluck " << midi;
        EXPECT_NEAR(Cents(PitchAt(Struck(hz, 0.5, {{1, 1, 1.5}, {4, 0.2, 0.4}}, {0.004, 0.0}, rng), 0.06), hz), 0.0, 3.0)
            << "struck " << midi;
        FmParams fm;
        fm.ratio = 2.0;
        EXPECT_NEAR(Cents(PitchAt(FmTone(hz, 0.5, fm), 0.06), hz), 0.0, 3.0) << "fm " << midi;
    }
}

TEST(Sequencer, LoopsHaveExactLengthAndWrapWhatRingsPastTheEnd) {
    // A long note starting on the last beat must continue at the start.
    const Voice constant = [](double, double, double) { return Mono(SamplesOf(1.0), 0.5f); };
    const Stereo s = RenderLoop(120, 4, {Track{constant, {{3.5, 1.0, 0.0, 1.0}}, 1.0f, 0.0f}});
    ASSERT_EQ(s.Size(), SamplesOf(2.0));
    EXPECT_GT(s.left[0], 0.4f);                   // wrapped tail
    EXPECT_GT(s.left[SamplesOf(1.9)], 0.4f);      // the onset half a beat before the end
    EXPECT_EQ(s.left[SamplesOf(1.0)], 0.0f);      // nothing in between
}

TEST(Reverb, LoopTailWrapsSoTheSeamIsContinuous) {
    // One click at the start of a loop: after the circular reverb the end
    // runs smoothly into the start.
    Stereo in(SamplesOf(1.0));
    in.left[100] = in.right[100] = 1.0f;
    const Stereo out = ReverbLoop(in, {0.9, 0.2, 1.0, 0.0});
    const float jump = std::abs(out.left.front() - out.left.back());
    float local = 0;
    for (size_t i = 1; i < 64; ++i) local = std::max(local, std::abs(out.left[out.Size() - i] - out.left[out.Size() - i - 1]));
    EXPECT_GT(std::abs(out.left.back()), 1e-5f);  // the tail is still ringing at the end
    EXPECT_LE(jump, 2.0f * local + 1e-6f);
}

TEST(Level, LimiterKeepsTheCeilingAndLeavesQuietPartsAlone) {
    for (bool loop : {false, true}) {
        Stereo s(SamplesOf(1.0));
        for (size_t i = 0; i < s.Size(); ++i) s.left[i] = s.right[i] = float(0.3 * std::sin(double(i) * 0.05));
        s.left[SamplesOf(0.5)] = 2.0f;  // one wild peak
        LimitPeaks(s, 0.85, 0.002, 0.05, loop);
        EXPECT_LE(PeakOf(s), 0.85 + 1e-6) << loop;
        EXPECT_NEAR(s.left[SamplesOf(0.1)], float(0.3 * std::sin(double(SamplesOf(0.1)) * 0.05)), 1e-6) << loop;
    }
}

TEST(Level, LoudnessOfAFullScaleSineIsMinus3Db) {
    Stereo s(SamplesOf(0.5));
    for (size_t i = 0; i < s.Size(); ++i) s.left[i] = s.right[i] = float(std::sin(double(i) * 0.1));
    EXPECT_NEAR(LoudnessDb(s), -3.01, 0.05);
    EXPECT_EQ(LoudnessDb(Stereo(10)), -200.0);
}

TEST(Scale, DegreesWrapIntoOctavesBothWays) {
    const Scale minorPentatonic{52, {0, 3, 5, 7, 10}};
    struct Case {
        int degree, midi;
    } cases[] = {{0, 52}, {4, 62}, {5, 64}, {11, 79}, {-1, 50}, {-5, 40}, {-6, 38}};
    for (const Case& c : cases) EXPECT_EQ(minorPentatonic.Note(c.degree), c.midi) << c.degree;
    EXPECT_TRUE(minorPentatonic.Contains(67));
    EXPECT_FALSE(minorPentatonic.Contains(66));
}

TEST(WavFile, WritesCanonicalPcmThatReadsBackAndIsByteIdenticalForTheSameSeed) {
    const std::string a = testing::TempDir() + "synth_a.wav", b = testing::TempDir() + "synth_b.wav";
    Rng r1 = Rng::FromName("x"), r2 = Rng::FromName("x");
    const Stereo s1 = ToStereo(Pluck(220, 0.2, {}, r1)), s2 = ToStereo(Pluck(220, 0.2, {}, r2));
    ASSERT_TRUE(WriteWav(a, s1, 1));
    ASSERT_TRUE(WriteWav(b, s2, 1));
    const auto wa = soundtest::ReadWav(a), wb = soundtest::ReadWav(b);
    ASSERT_TRUE(wa && wb);
    EXPECT_EQ(wa->channels, 1);
    EXPECT_EQ(wa->sampleRate, kSampleRate);
    ASSERT_EQ(wa->samples[0].size(), s1.Size());
    EXPECT_EQ(wa->samples[0], wb->samples[0]);
    EXPECT_NEAR(wa->samples[0][100], s1.left[100], 1.0 / 32768.0);
}

}  // namespace
}  // namespace synth
