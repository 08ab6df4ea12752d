// Analysis of the generated disc's sounds: presence and format, levels,
// clean starts and ends, seamless loops, and tuning.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "tests/sounds/DiscSoundList.h"
#include "tests/sounds/WavData.h"
#include "tools/soundgen/synth/Level.h"
#include "tools/soundgen/synth/Pitch.h"

namespace soundtest {
namespace {

namespace fs = std::filesystem;

const double kCeiling = std::pow(10.0, -1.0 / 20.0);  // -1 dBFS

struct Loaded {
    const DiscSound* sound;
    WavData wav;
};

// Every listed sound, read once for all tests (missing ones are left out
// and reported by the presence test).
const std::vector<Loaded>& Disc() {
    static const std::vector<Loaded> loaded = [] {
        std::vector<Loaded> out;
        for (const DiscSound& s : AllDiscSounds())
            if (auto w = ReadWav(std::string(PLINKPAD_DISC_DIR) + "/" + s.path)) out.push_back({&s, std::move(*w)});
        return out;
    }();
    return loaded;
}

synth::Stereo AsStereo(const WavData& w) {
    synth::Stereo s;
    s.left = w.samples[0];
    s.right = w.samples[w.samples.size() > 1 ? 1 : 0];
    return s;
}

double CentsOffScale(double hz, const GroupScale& scale) {
    const double midi = 69.0 + 12.0 * std::log2(hz / 440.0);
    double best = 1e9;
    for (int octave = 0; octave < 11; ++octave)
        for (int step : scale.steps) {
            const double note = scale.tonicPitchClass + step + 12.0 * octave;
            best = std::min(best, std::abs(midi - note) * 100.0);
        }
    return best;
}

std::optional<double> PitchOf(const WavData& w) {
    // Past the strike, where the tone has settled: 60 ms in, 4096 samples.
    const size_t start = size_t(w.sampleRate * 0.06), n = 4096;
    if (w.samples[0].size() < start + n) return std::nullopt;
    auto p = synth::EstimatePitch(w.samples[0].data() + start, n, w.sampleRate, 60.0, 2000.0);
    if (!p) return std::nullopt;
    return p->hz;
}

TEST(DiscSounds, EveryListedFileExistsAsA22050Hz16BitPcmFileAndNoOtherIsWritten) {
    std::set<std::string> listed;
    for (const DiscSound& s : AllDiscSounds()) {
        listed.insert(s.path);
        const auto w = ReadWav(std::string(PLINKPAD_DISC_DIR) + "/" + s.path);
        ASSERT_TRUE(w) << s.path;
        EXPECT_EQ(w->sampleRate, 22050) << s.path;
        EXPECT_EQ(w->bitsPerSample, 16) << s.path;
        EXPECT_TRUE(w->channels == 1 || w->channels == 2) << s.path;
        EXPECT_GT(w->samples[0].size(), 2205u) << s.path;
    }
    EXPECT_EQ(Disc().size(), AllDiscSounds().size());
    // A misspelt name would be a second, unlisted file.
    const fs::path root = PLINKPAD_DISC_DIR;
    for (const auto& e : fs::recursive_directory_iterator(root / "plinkpad")) {
        if (e.path().extension() == ".wav") {
            EXPECT_TRUE(listed.count(fs::relative(e.path(), root).generic_string())) << e.path();
        }
    }
    EXPECT_TRUE(fs::is_directory(root / "Directx" / "Drivers"));
}

TEST(DiscSounds, PeaksStayAtOrBelowMinusOneDbfsAndThereIsNoDcOffset) {
    for (const Loaded& l : Disc()) {
        const synth::Stereo s = AsStereo(l.wav);
        EXPECT_LE(synth::PeakOf(s), kCeiling) << l.sound->path;
        EXPECT_LT(std::abs(synth::MeanOf(s.left)), 0.002) << l.sound->path;
        EXPECT_LT(std::abs(synth::MeanOf(s.right)), 0.002) << l.sound->path;
    }
}

TEST(DiscSounds, OneShotsStartFromSilenceAndDecayToSilence) {
    for (const Loaded& l : Disc()) {
        if (l.sound->loop) continue;
        for (const auto& ch : l.wav.samples) {
            EXPECT_LT(std::abs(ch.front()), 0.01f) << l.sound->path;
            // The last 10 ms are below -60 dBFS.
            const size_t tail = 220;
            double sum = 0;
            for (size_t i = ch.size() - tail; i < ch.size(); ++i) sum += double(ch[i]) * ch[i];
            EXPECT_LT(10.0 * std::log10(sum / tail + 1e-30), -60.0) << l.sound->path;
        }
    }
}

TEST(DiscSounds, OneShotsOfAGroupAreWithin3DbOfEachOtherAndLoopsSitBelowThem) {
    std::map<Group, std::vector<std::pair<double, std::string>>> shots, loops;
    for (const Loaded& l : Disc())
        (l.sound->loop ? loops : shots)[l.sound->group].push_back({synth::LoudnessDb(AsStereo(l.wav)), l.sound->path});
    for (auto& [group, list] : shots) {
        const auto [lo, hi] = std::minmax_element(list.begin(), list.end());
        EXPECT_LE(hi->first - lo->first, 3.0) << NameOf(group) << ": " << lo->second << " " << lo->first << " dB, "
                                              << hi->second << " " << hi->first << " dB";
        double mean = 0;
        for (const auto& e : list) mean += e.first;
        mean /= double(list.size());
        for (const auto& [db, path] : loops[group]) EXPECT_LT(db, mean) << path;
    }
}

TEST(DiscSounds, LoopsJoinEndToStartLikeAnyOtherStep) {
    for (const Loaded& l : Disc()) {
        if (!l.sound->loop) continue;
        for (const auto& ch : l.wav.samples) {
            const size_t n = ch.size();
            ASSERT_GT(n, 100u);
            const double jump = std::abs(double(ch.front()) - double(ch.back()));
            // The steps on either side of the seam show what is normal there.
            double local = 0;
            for (size_t i = 0; i < 32; ++i) {
                local = std::max(local, double(std::abs(ch[i + 1] - ch[i])));
                local = std::max(local, double(std::abs(ch[n - 2 - i] - ch[n - 1 - i])));
            }
            EXPECT_LE(jump, 2.0 * local + 3.0 / 32768.0) << l.sound->path;
        }
    }
}

TEST(DiscSounds, KBotKeysRiseInPitchAlongEachRow) {
    std::map<std::string, double> pitch;
    for (const Loaded& l : Disc())
        if (auto hz = PitchOf(l.wav)) pitch[fs::path(l.sound->path).filename().string()] = *hz;
    for (int row = 1; row <= 4; ++row) {
        for (int col = 1; col < 5; ++col) {
            const std::string a = "kb" + std::to_string(row) + "_" + std::to_string(col) + ".wav";
            const std::string b = "kb" + std::to_string(row) + "_" + std::to_string(col + 1) + ".wav";
            ASSERT_TRUE(pitch.count(a) && pitch.count(b)) << a << " " << b;
            EXPECT_LT(pitch[a], pitch[b]) << a << " " << b;
        }
    }
}

TEST(DiscSounds, SingleNotesAreTunedToTheirWorldsScaleWithin10Cents) {
    int measured = 0;
    for (const Loaded& l : Disc()) {
        if (!l.sound->pitched) continue;
        const auto hz = PitchOf(l.wav);
        ASSERT_TRUE(hz) << "no pitch found in " << l.sound->path;
        EXPECT_LE(CentsOffScale(*hz, ScaleOf(l.sound->group)), 10.0) << l.sound->path << " at " << *hz << " Hz";
        ++measured;
    }
    EXPECT_GT(measured, 150);
}

}  // namespace
}  // namespace soundtest
