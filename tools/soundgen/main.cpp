// soundgen DISC_ROOT: writes every sound file of the asset disc under
// DISC_ROOT, and the folder that marks the tree as the disc.
//
// Files are rendered in parallel, but each from its own seeded random stream,
// so the output does not depend on the thread count or timing.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/soundgen/SoundJob.h"
#include "tools/soundgen/synth/WavFile.h"
#include "tools/soundgen/worlds/Worlds.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen DISC_ROOT\n");
        return 2;
    }
    const fs::path root = argv[1];
    const auto start = std::chrono::steady_clock::now();
    const soundgen::JobList jobs = soundgen::AllJobs();

    std::error_code ec;
    fs::create_directories(root / "Directx" / "Drivers", ec);
    for (const soundgen::SoundJob& job : jobs) fs::create_directories((root / job.path).parent_path(), ec);

    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorLock;
    auto worker = [&] {
        for (size_t i; (i = next.fetch_add(1)) < jobs.size();) {
            const soundgen::SoundJob& job = jobs[i];
            const synth::Stereo s = soundgen::RenderFinished(job);
            if (!synth::WriteWav((root / job.path).string(), s, job.channels)) {
                std::lock_guard<std::mutex> lock(errorLock);
                std::fprintf(stderr, "soundgen: cannot write %s\n", (root / job.path).string().c_str());
                failed = true;
            }
        }
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);
    for (std::thread& t : pool) t.join();

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("soundgen: %zu files in %.1f s (%u threads)\n", jobs.size(), seconds, threads);
    return failed ? 1 : 0;
}
