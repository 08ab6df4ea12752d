#pragma once
// Sessions to render, for the render tests and the benchmark: a cut in each
// scene the program has, rolling the pointer over hot-spots found in the
// disc's own masks. The scenes are data: a world joins with one line.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "recording/codec/SessionData.h"

namespace rendertest {

struct WorldCut {
    int scene;               // 0 the hub, 1 Star, 2 Day, 3 kBot, 4 Troid, 5 Gama
    std::string layout;      // its layout on the disc ("center", "troid", ...)
    std::vector<int> spots;  // hot-spots that sound when the pointer rolls onto them
};

// Every scene of this build, in track order (at most six).
const std::vector<WorldCut>& WorldCuts();

// A cut in `world` whose events roll over its spots in turn, `rounds` times,
// `gapMs` apart, starting at time `startMs`.
std::unique_ptr<SessionCut> RollOverCut(const WorldCut& world, int rounds, uint32_t gapMs, uint32_t startMs = 1000);

// The program time the cut's events span.
uint32_t SpanMs(const SessionCut& cut);

// Writes a session file of `tracks`.
void WriteSession(const std::filesystem::path& path, const SessionTracks& tracks);

}  // namespace rendertest
