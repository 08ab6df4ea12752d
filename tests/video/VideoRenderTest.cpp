// plinkpad --render into a video, run as a user runs it: what a player reads
// back from the MP4 and the WebM of a session that plays in several worlds,
// against the sound file of the same session, and Ctrl+C halfway.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/render/RenderRun.h"
#include "tests/render/WorldCuts.h"
#include "tests/scenes/WorldRun.h"
#include "tests/video/VideoReader.h"

namespace rendertest {
namespace {

namespace fs = std::filesystem;
using hubtest::TraceLine;

constexpr double kFrameS = 1.0 / 30;
constexpr int kScale = 2;  // the default

// A cut in each of the first scenes, in track order.
void WriteWorldsSession(const fs::path& path, size_t worlds, int rounds) {
    std::vector<std::unique_ptr<SessionCut>> cuts;
    for (size_t i = 0; i < worlds && i < WorldCuts().size(); ++i)
        cuts.push_back(RollOverCut(WorldCuts()[i], rounds, 400));
    WriteSession(path, Tracks(std::move(cuts)));
}

// A hot-spot the playback lit, and for how long (program time).
struct Lit {
    std::string layout;
    int id;
    uint32_t fromMs, toMs;
};

// Roll-over lights of the cut's own hot-spots, from the click on "Play all
// cuts" (where the video starts) on, with the time they went dark again.
std::vector<Lit> Lights(const std::vector<TraceLine>& t, int click) {
    std::vector<Lit> lights;
    int scene = 0;
    for (size_t i = size_t(click); i < t.size(); ++i) {
        if (t[i].text.rfind("scene ", 0) == 0) scene = std::stoi(t[i].text.substr(6));
        // The hub's portals light their own way.
        const bool hub = t[i].text.rfind("hub light ", 0) == 0;
        if (!hub && t[i].text.rfind("spot lit ", 0) != 0) continue;
        const int id = std::stoi(t[i].text.substr(hub ? 10 : 9));
        for (const WorldCut& w : WorldCuts()) {
            if (w.scene != scene || std::find(w.spots.begin(), w.spots.end(), id) == w.spots.end()) continue;
            const int dark = hubtest::FindLine(t, (hub ? "hub unlight " : "spot unlit ") + std::to_string(id), int(i));
            const uint32_t start = t[size_t(click)].ms;
            if (dark > 0) lights.push_back({w.layout, id, t[i].ms - start, t[size_t(dark)].ms - start});
        }
    }
    return lights;
}

// How much two pictures of the video differ around a point of the screen:
// the mean difference of their green, 0..255, over 9 x 9 screen pixels.
double Difference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int width, plat::Point at) {
    double sum = 0;
    int n = 0;
    for (int y = (at.y - 4) * kScale; y < (at.y + 5) * kScale; ++y)
        for (int x = (at.x - 4) * kScale; x < (at.x + 5) * kScale; ++x, ++n) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            sum += std::abs(int(a[i] >> 8 & 0xFF) - int(b[i] >> 8 & 0xFF));
        }
    return sum / n;
}

bool SameBytes(const fs::path& a, const fs::path& b) {
    std::ifstream x(a, std::ios::binary), y(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(x), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(y), std::istreambuf_iterator<char>());
}

TEST(VideoRender, AnMp4AndAWebmPlayTheScreenForAsLongAsTheSoundFileSounds) {
    const fs::path dir = Scratch("video");
    WriteWorldsSession(dir / "s.sts", 3, 1);
    Exit r = Program(dir, "--render s.sts s.wav");
    ASSERT_EQ(r.status, 0) << r.err;
    const double soundS = videotest::ReadVideo(dir / "s.wav").audio.seconds;
    ASSERT_GT(soundS, 3);

    struct Case {
        const char* file;
        const char* videoCodec;
        const char* audioCodec;
    } cases[] = {{"s.mp4", "h264", "aac"}, {"s.webm", "vp9", "opus"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string trace = std::string(c.file) + ".trace";
        const auto start = std::chrono::steady_clock::now();
        r = Program(dir, std::string("--render s.sts ") + c.file + " --trace " + trace);
        const double wallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "") << "no progress bar when standard error is no terminal, and nothing of the libraries";
        if (c.file == std::string("s.mp4")) {
            fs::create_directories(dir / "again");
            ASSERT_EQ(Program(dir, std::string("--render s.sts again/") + c.file).status, 0);
            EXPECT_TRUE(SameBytes(dir / c.file, dir / "again" / c.file)) << "the same session, the same video";
        }
        std::cout << "[ video ] " << c.file << ": " << soundS << " s in " << wallS << " s, "
                  << fs::file_size(dir / c.file) << " bytes\n";

        // Pictures while the cut's hot-spots are lit, and after they went dark.
        const std::vector<TraceLine> t = ReadTrace(dir / trace);
        const int click = hubtest::FindLine(t, "play 1006 Rebutt_c.wav");
        ASSERT_GE(click, 0);
        std::vector<Lit> lights;
        for (const Lit& l : Lights(t, click))
            if (l.toMs - l.fromMs >= 200) lights.push_back(l);
        std::vector<double> times;
        for (const Lit& l : lights) {
            times.push_back((l.fromMs + 100) / 1000.0);
            times.push_back((l.toMs + 100) / 1000.0);
        }
        const videotest::VideoFacts f = videotest::ReadVideo(dir / c.file, times);
        ASSERT_EQ(f.error, "");
        EXPECT_EQ(f.video.codec, c.videoCodec);
        EXPECT_EQ(f.video.width, 1280);
        EXPECT_EQ(f.video.height, 960);
        EXPECT_DOUBLE_EQ(f.video.frameRate, 30);
        EXPECT_EQ(f.audio.codec, c.audioCodec);
        EXPECT_NEAR(f.video.seconds, soundS, kFrameS);
        EXPECT_NEAR(f.audio.seconds, soundS, kFrameS);
        EXPECT_GT(f.audio.levelDb, -60) << "it sounds";

        std::set<std::string> worlds;
        for (const Lit& l : lights) worlds.insert(l.layout);
        EXPECT_EQ(worlds.size(), 3u) << "hot-spots lit in every world of the session";
        for (size_t i = 0; i < lights.size(); ++i) {
            const Lit& l = lights[i];
            SCOPED_TRACE(l.layout + " spot " + std::to_string(l.id) + " lit at " + std::to_string(l.fromMs) + " ms");
            const std::vector<uint32_t>& lit = f.pictures[2 * i];
            const std::vector<uint32_t>& dark = f.pictures[2 * i + 1];
            ASSERT_FALSE(lit.empty());
            ASSERT_FALSE(dark.empty());
            const double d = Difference(lit, dark, f.video.width, hubtest::SpotPoint(l.layout, l.id));
            EXPECT_GT(d, 8);
        }
    }
}

TEST(VideoRender, CtrlCEndsTheRenderWithStatus130AndLeavesNoFile) {
    const fs::path dir = Scratch("video-interrupted");
    WriteWorldsSession(dir / "s.sts", 1, 4);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        const std::string program = std::string(PLINKPAD_BUILD_DIR) + "/plinkpad";
        const std::string drive = hubtest::HubDrive::Get().Root().string();
        execl(program.c_str(), program.c_str(), "--drives", drive.c_str(), "--render", "s.sts", "s.mp4", nullptr);
        _exit(127);
    }
    // Once its temporary file is there, the render is under way.
    auto underWay = [&] {
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().extension() == ".tmp") return true;
        return false;
    };
    for (int i = 0; i < 2000 && !underWay(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(underWay());
    kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir)) left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"s.sts"});
}

}  // namespace
}  // namespace rendertest
