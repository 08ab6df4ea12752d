// plinkpad --render, run as a user runs it: the sound file it writes (bytes,
// length, where it sounds) and how it refuses bad input, for videos too.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/render/RenderRun.h"
#include "tests/render/WorldCuts.h"
#include "tests/scenes/HubRun.h"
#include "tests/scenes/WorldRun.h"

namespace rendertest {
namespace {

namespace fs = std::filesystem;
using hubtest::TraceLine;

constexpr int kDefaultRate = 48000;
constexpr int kDeviceBufferFrames = 512;  // the sound is rendered in pieces of at most this
// The longest one-shot of the disc lasts about 4 s; loops fade over 2 s.
constexpr uint32_t kRingOutAllowanceMs = 4500;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Sound {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;  // interleaved
    size_t Frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
    double Ms() const { return rate > 0 ? 1000.0 * double(Frames()) / rate : 0; }
};

// Any file libsndfile reads, decoded.
Sound ReadSound(const fs::path& path) {
    Sound s;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) return s;
    s.rate = info.samplerate;
    s.channels = info.channels;
    std::vector<int16_t> chunk(4096 * size_t(info.channels));
    for (sf_count_t n; (n = sf_readf_short(file, chunk.data(), 4096)) > 0;)
        s.samples.insert(s.samples.end(), chunk.begin(), chunk.begin() + n * info.channels);
    sf_close(file);
    return s;
}

// RMS level in dBFS of the sound between two times in seconds.
double LevelDb(const Sound& s, double fromS, double toS) {
    const size_t from = size_t(fromS * s.rate) * size_t(s.channels);
    const size_t to = std::min(s.samples.size(), size_t(toS * s.rate) * size_t(s.channels));
    if (from >= to) return -200;
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(s.samples[i]) * s.samples[i];
    const double rms = std::sqrt(sum / double(to - from));
    return rms > 0 ? 20 * std::log10(rms / 32768) : -200;
}

TEST(Render, TheSameSessionGivesTheSameBytesAndEveryFormatReadsBackAtItsLength) {
    const fs::path dir = Scratch("formats");
    std::vector<std::unique_ptr<SessionCut>> cuts;
    for (const WorldCut& w : WorldCuts()) cuts.push_back(RollOverCut(w, 1, 400));
    WriteSession(dir / "s.sts", Tracks(std::move(cuts)));

    struct Case {
        const char* file;
        const char* options;
        int rate;
    } cases[] = {
        {"s.wav", "", kDefaultRate},         {"s.flac", "", kDefaultRate},
        {"s.ogg", "", kDefaultRate},         {"s22050.wav", "--rate 22050", 22050},
        {"seed7.wav", "--seed 7", kDefaultRate},
    };
    double referenceMs = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        for (const char* name : {"first", "again"}) {
            fs::create_directories(dir / name);
            const Exit r = Program(dir, std::string(c.options) + " --render s.sts " + name + "/" + c.file);
            ASSERT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err, "") << "no progress bar when standard error is no terminal";
        }
        EXPECT_EQ(Bytes(dir / "first" / c.file), Bytes(dir / "again" / c.file));

        const Sound sound = ReadSound(dir / "first" / c.file);
        EXPECT_EQ(sound.rate, c.rate);
        EXPECT_EQ(sound.channels, 2);
        if (referenceMs == 0) referenceMs = sound.Ms();
        EXPECT_NEAR(sound.Ms(), referenceMs, 1000.0 * kDeviceBufferFrames / c.rate);
        std::cout << "[ render ] " << c.file << ": " << sound.Frames() << " frames, " << sound.Ms() << " ms\n";
    }
    // The Troid satellite sounds one of its random sounds, chosen by the seed.
    EXPECT_NE(Bytes(dir / "first" / "seed7.wav"), Bytes(dir / "first" / "s.wav"));
}

TEST(Render, OneCutInEveryWorldLastsItsEventsPlusTheWorldSwitchesAndTheRingOut) {
    const fs::path dir = Scratch("worlds");
    std::vector<std::unique_ptr<SessionCut>> cuts;
    uint32_t spanMs = 0;
    for (const WorldCut& w : WorldCuts()) {
        cuts.push_back(RollOverCut(w, 2, 400));
        spanMs += SpanMs(*cuts.back());
    }
    WriteSession(dir / "s.sts", Tracks(std::move(cuts)));
    const Exit r = Program(dir, "--render s.sts s.wav --trace trace.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    const Sound sound = ReadSound(dir / "s.wav");
    const std::vector<TraceLine> t = ReadTrace(dir / "trace.txt");

    // The render starts with the click on "Play all cuts" and goes through
    // every world in track order; each switch waits for its scene and intro
    // until the palette opens again to go on.
    const int click = hubtest::FindLine(t, "play 1006 Rebutt_c.wav");
    ASSERT_GE(click, 0);
    std::vector<std::string> worlds;
    uint32_t switchesMs = 0;
    for (int i = hubtest::Find(t, "scene ", click); i >= 0; i = hubtest::Find(t, "scene ", i + 1)) {
        worlds.push_back(t[size_t(i)].text);
        const int resumed = hubtest::FindLine(t, "palette 5 30", i);
        ASSERT_GT(resumed, i) << "the playback goes on after " << t[size_t(i)].text;
        switchesMs += t[size_t(resumed)].ms - t[size_t(i)].ms;
    }
    std::vector<std::string> expected;
    int at = 0;
    for (const WorldCut& w : WorldCuts())
        if (w.scene != at) expected.push_back("scene " + std::to_string(at = w.scene));
    EXPECT_EQ(worlds, expected);

    std::cout << "[ render ] events span " << spanMs << " ms, switches " << switchesMs << " ms, sound " << sound.Ms()
              << " ms\n";
    EXPECT_GE(sound.Ms(), spanMs);
    EXPECT_LE(sound.Ms(), spanMs + switchesMs + kRingOutAllowanceMs);
}

TEST(Render, AHubCutSoundsWhereItsEventsSoundAndIsSilentBetween) {
    const fs::path dir = Scratch("hub");
    const plat::Point empty = hubtest::EmptyPoint("center");
    const plat::Point first = hubtest::SpotPoint("center", 80), second = hubtest::SpotPoint("center", 100);
    // Onto a portal and off again, a long rest, then onto another one and off.
    auto cut = std::make_unique<SessionCut>();
    cut->world = 0;
    cut->events = {{1000, 1, first.x, first.y}, {1300, 1, empty.x, empty.y},
                   {9000, 1, second.x, second.y}, {9300, 1, empty.x, empty.y}};
    std::vector<std::unique_ptr<SessionCut>> cuts;
    cuts.push_back(std::move(cut));
    WriteSession(dir / "s.sts", Tracks(std::move(cuts)));
    const Exit r = Program(dir, "--render s.sts s.flac");
    ASSERT_EQ(r.status, 0) << r.err;
    const Sound sound = ReadSound(dir / "s.flac");

    struct Window {
        double from, to;  // seconds after the first event
        bool sounds;
    } windows[] = {
        {0.0, 0.5, true},   // the first portal, the pointer entering and leaving the halo
        {5.0, 7.5, false},  // every sound of the first visit has ended (the longest lasts about 4 s)
        {8.0, 8.5, true},   // the second portal
    };
    for (const Window& w : windows) {
        const double level = LevelDb(sound, w.from, w.to);
        if (w.sounds)
            EXPECT_GT(level, -40) << w.from << " to " << w.to << " s";
        else
            EXPECT_LT(level, -90) << w.from << " to " << w.to << " s";
    }
    // The sound after the last event rings out, then the file ends.
    EXPECT_GT(sound.Ms(), 8300);
    EXPECT_LT(sound.Ms(), 8300 + kRingOutAllowanceMs);
}

std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What `sts show` says about a file it cannot read (the file and the reason),
// without its "sts: " prefix.
std::string StsReason(const fs::path& dir, const std::string& file) {
    const std::string command = "cd '" + dir.string() + "' && '" + std::string(PLINKPAD_BUILD_DIR) + "/sts' show " +
                                file + " 2>&1 >/dev/null";
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p) != nullptr) out += buffer;
        pclose(p);
    }
    return out.rfind("sts: ", 0) == 0 ? out.substr(5) : out;
}

TEST(Render, BadInputIsRefusedWithItsMessageAndLeavesNoFile) {
    const fs::path dir = Scratch("refusals");
    std::vector<std::unique_ptr<SessionCut>> cuts;
    cuts.push_back(RollOverCut(WorldCuts().front(), 1, 400));
    WriteSession(dir / "good.sts", Tracks(std::move(cuts)));
    const std::string good = Bytes(dir / "good.sts");
    std::ofstream(dir / "broken.sts", std::ios::binary) << good.substr(0, good.size() - 5);
    // A cut of no known world and one without events: nothing to play.
    SessionTracks unplayable;
    unplayable[1] = RollOverCut(WorldCuts().front(), 1, 400);
    unplayable[1]->world = 9;
    unplayable[3] = std::make_unique<SessionCut>();
    WriteSession(dir / "unplayable.sts", unplayable);
    fs::create_directories(dir / "no-disc");

    struct Case {
        const char* what;
        std::string args;
        std::string message;  // a line of standard error
        bool beforeAnyWork;   // refused before the program starts (it writes no trace)
    } cases[] = {
        {"unknown extension", "--render good.sts out.mp3",
         "plinkpad: out.mp3: unknown kind of file: the name must end in .wav, .flac or .ogg (sound), or .mp4, .webm "
         "or .mkv (video)",
         true},
        {"a scale for a sound file", "--render good.sts out.wav --scale 3",
         "plinkpad: out.wav: --scale is for videos; a sound file has no picture", true},
        {"a video larger than 8K", "--render good.sts out.mp4 --screen 1920x1080 --scale 5",
         "plinkpad: --scale 5 on a 1920x1080 screen: a video of 9600x5400 pixels is larger than the largest, 7680x4320",
         true},
        {"a video of odd size", "--render good.sts out.webm --screen 641x481 --scale 1",
         "plinkpad: --scale 1 on a 641x481 screen: a video of 641x481 pixels: its width and height must be even", true},
        {"missing folder of a video", "--render good.sts nowhere/out.mkv",
         "plinkpad: cannot write nowhere/out.mkv: No such file or directory", true},
        {"missing folder", "--render good.sts nowhere/out.wav",
         "plinkpad: cannot write nowhere/out.wav: No such file or directory", true},
        {"folder that is a file", "--render good.sts good.sts/out.wav",
         "plinkpad: cannot write good.sts/out.wav: Not a directory", true},
        {"unreadable session", "--render missing.sts out.wav",
         "plinkpad: Unable to load session! " + StsReason(dir, "missing.sts"), true},
        {"broken session", "--render broken.sts out.ogg",
         "plinkpad: Unable to load session! " + StsReason(dir, "broken.sts"), true},
        {"no playable cut", "--render unplayable.sts out.flac",
         "plinkpad: unplayable.sts: no cut to play: every track is empty, or its cut has no events or an unknown world\n",
         true},
        {"no asset disc", "--render good.sts out.wav --drives no-disc",
         "plinkpad: the program did not start; nothing written\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::string> before = Listing(dir);
        const Exit r = Program(dir, c.args + " --trace trace.txt");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(fs::exists(dir / "trace.txt"), !c.beforeAnyWork);
        fs::remove(dir / "trace.txt");
        fs::remove(dir / "stderr.txt");
        EXPECT_EQ(Listing(dir), before) << "no sound file and no temporary file left";
    }
}

}  // namespace
}  // namespace rendertest
