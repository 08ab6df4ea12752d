#include "tests/render/WorldCuts.h"

#include <fstream>

#include "recording/codec/SessionFile.h"
#include "tests/scenes/WorldRun.h"

namespace rendertest {

const std::vector<WorldCut>& WorldCuts() {
    static const std::vector<WorldCut> cuts = {
        {0, "center", {80, 90, 100}},  // world portals
        {1, "star", {100, 110, 120}},  // stars
        {2, "day", {110, 130, 150}},   // tools of the strip
        {3, "kbot", {300, 302, 304}},  // keys of row 1
        {4, "troid", {90, 50, 10}},    // a rock, a crystal, a satellite
        {5, "gama", {100, 110, 200}},  // instruments
    };
    return cuts;
}

std::unique_ptr<SessionCut> RollOverCut(const WorldCut& world, int rounds, uint32_t gapMs, uint32_t startMs) {
    auto cut = std::make_unique<SessionCut>();
    cut->world = world.scene;
    cut->name = world.layout;
    uint32_t time = startMs;
    for (int round = 0; round < rounds; ++round)
        for (int id : world.spots) {
            const plat::Point p = hubtest::SpotPoint(world.layout, id);
            cut->events.push_back({time, 1, p.x, p.y});
            time += gapMs;
        }
    return cut;
}

uint32_t SpanMs(const SessionCut& cut) {
    uint32_t span = 0;
    for (size_t i = 1; i < cut.events.size(); ++i) span += EventGapMs(cut.events[i - 1], cut.events[i]);
    return span;
}

void WriteSession(const std::filesystem::path& path, const SessionTracks& tracks) {
    const std::vector<uint8_t> bytes = WriteSessionFile(tracks);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace rendertest
