// plinkpad --render of a session with one cut in each scene of the build,
// whole: start-up, the playback with its world switches, the ring-out and
// the WAV file, or the MP4 of the screen (1280 x 960 at 30 frames a second)
// with that sound. realtime_ratio is the sound's length over the wall-clock
// time the render took (the machine's load counts); cpu_ratio the same over
// the process's CPU time. Reads the generated disc.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/render/RenderCommand.h"
#include "platform/fs/HostPath.h"
#include "tests/render/WorldCuts.h"

namespace {

namespace fs = std::filesystem;

// Each cut rolls over its hot-spots for about ten seconds.
constexpr int kRounds = 8;
constexpr uint32_t kGapMs = 400;

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Render(benchmark::State& state, const char* out) {
    // A folder of this process's own: others may run the benchmark at the same time.
    const fs::path dir = fs::temp_directory_path() / ("plinkpad-bench-render-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    SessionTracks tracks;
    for (size_t i = 0; i < rendertest::WorldCuts().size() && i < tracks.size(); ++i)
        tracks[i] = rendertest::RollOverCut(rendertest::WorldCuts()[i], kRounds, kGapMs);
    rendertest::WriteSession(dir / "session.sts", tracks);

    plat::HostPath files({PLINKPAD_DISC_DIR});
    RenderRequest request;
    request.sessionPath = (dir / "session.sts").string();
    request.outPath = (dir / out).string();
    double soundSeconds = 0, cpuSeconds = 0;
    RenderStats stats;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        if (RenderSession(request, files, stderr, &stats) != 0) {
            state.SkipWithError("the render failed");
            break;
        }
        cpuSeconds += ProcessCpuSeconds() - cpuBefore;
        soundSeconds += double(stats.programMs) / 1000;
    }
    state.counters["scenes"] = double(rendertest::WorldCuts().size());
    state.counters["sound_s"] = double(stats.programMs) / 1000;
    state.counters["realtime_ratio"] = benchmark::Counter(soundSeconds, benchmark::Counter::kIsRate);
    state.counters["cpu_ratio"] = cpuSeconds > 0 ? soundSeconds / cpuSeconds : 0;
    fs::remove_all(dir);
}
void BM_RenderOneCutPerScene(benchmark::State& state) { Render(state, "session.wav"); }
void BM_RenderOneCutPerSceneToVideo(benchmark::State& state) { Render(state, "session.mp4"); }
void BM_RenderOneCutPerSceneToWebm(benchmark::State& state) { Render(state, "session.webm"); }
BENCHMARK(BM_RenderOneCutPerScene)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderOneCutPerSceneToVideo)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderOneCutPerSceneToWebm)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
