// A sweep of the pointer over every hot-spot of the hub in a scripted headless
// run that writes its mix (--audio-out): the file covers the program time that
// passed, sounds wherever the trace says something started, and never clips.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "tests/scenes/HubRun.h"
#include "tests/scenes/MixFile.h"

namespace hubtest {
namespace {

constexpr int kBufferFrames = 512;     // passed to the program, so the tolerance below is known
constexpr double kSoundFloorDb = -50;  // RMS over the first 100 ms of a sound that just started
constexpr int kClipRun = 4;            // this many full-scale samples in a row count as clipping

// The longest run of consecutive full-scale samples in any one channel.
int LongestFullScaleRun(const Mix& mix) {
    int longest = 0;
    for (size_t ch = 0; ch < mix.format.channels; ++ch) {
        int run = 0;
        for (size_t i = ch; i < mix.samples.size(); i += mix.format.channels) {
            const bool full = mix.samples[i] >= 32767 || mix.samples[i] <= -32767;
            run = full ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

std::string At(const char* command, plat::Point p) {
    return std::string(command) + " " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
}

TEST(HubSweepMix, CoversTheRunSoundsWhereSoundsStartAndNeverClips) {
    const HubDrive& d = HubDrive::Get();
    // Every hot-spot in hit-test order, each reached where no earlier one
    // answers. A move that leaves the halo does nothing else, so a second
    // move a pixel on (still well inside) rolls over a hot-spot outside it.
    const std::vector<MaskAt> masks = HotspotMasks();
    std::string script = "wait 10\n";
    for (size_t i = 0; i < masks.size(); ++i) {
        const plat::Point p = d.PointIn(masks[i], std::vector<MaskAt>(masks.begin(), masks.begin() + long(i)));
        script += At("move", p) + At("move", {p.x + 1, p.y}) + "wait 150\n";
    }
    // Choose a world so its loop plays under the rest, roll over go, leave the halo.
    const plat::Point go = d.PointIn(GoMask());
    constexpr uint32_t kTailMs = 800;
    script += At("click", d.PointIn(WorldMask(90))) + "wait 1200\n" + At("move", go) + "wait 300\n" +
              At("move", {kHubOrigin.x + 600, kHubOrigin.y + 455}) + "wait " + std::to_string(kTailMs) + "\n";

    const fs::path wav = RunDir("sweep-mix") / "mix.wav";
    const std::vector<TraceLine> t = RunScript(
        "sweep-mix", script, "--audio-buffer " + std::to_string(kBufferFrames) + " --audio-out '" + wav.string() + "'");
    const Mix mix = ReadMix(wav);

    std::error_code ec;
    const uintmax_t size = fs::file_size(wav, ec);
    ASSERT_FALSE(ec) << "no mix written at " << wav;
    ASSERT_GT(mix.Frames(), 0u) << "the mix is empty or not 16-bit PCM";
    int peak = 0;
    for (const int16_t s : mix.samples) peak = std::max(peak, std::abs(int(s)));
    std::cout << "[ mix ] " << wav.filename().string() << ": " << size << " bytes, " << mix.Frames() << " frames at "
              << mix.format.samplesPerSec << " Hz, peak " << std::fixed << std::setprecision(1) << Dbfs(peak)
              << " dBFS" << std::endl;

    // The device opens with the splash at program time 0; the run ends kTailMs
    // after the pointer left the halo.
    const int left = Find(t, "play 210 Cehaloot.wav", Find(t, "hub choose 90"));
    ASSERT_GE(left, 0) << "the pointer never left the halo after the choice";
    const uint64_t endMs = t[size_t(left)].ms + kTailMs;
    const uint64_t expected = endMs * mix.format.samplesPerSec / 1000;
    EXPECT_NEAR(double(mix.Frames()), double(expected), kBufferFrames) << "program time " << endMs << " ms";

    // Every sound and loop the sweep started is heard right after it starts.
    int starts = 0;
    for (const TraceLine& l : t) {
        if (l.text.rfind("play ", 0) != 0 && l.text.rfind("loop start ", 0) != 0) continue;
        const size_t from = size_t(l.ms) * mix.format.samplesPerSec / 1000;
        EXPECT_GT(RmsDbfs(mix, from, from + mix.format.samplesPerSec / 10), kSoundFloorDb) << l.ms << " " << l.text;
        ++starts;
    }
    EXPECT_GE(starts, int(masks.size())) << "the sweep started fewer sounds than it crossed hot-spots";
    EXPECT_GE(Find(t, "loop start 92 "), 0);
    // The chosen world's loop still plays at the end.
    EXPECT_GT(RmsDbfs(mix, mix.Frames() - mix.format.samplesPerSec / 2, mix.Frames()), kSoundFloorDb);

    EXPECT_LT(LongestFullScaleRun(mix), kClipRun);
}

}  // namespace
}  // namespace hubtest
