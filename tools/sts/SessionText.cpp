#include "tools/sts/SessionText.h"

#include <cinttypes>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace {

// Names as quoted JSON strings, so control bytes cannot reach the terminal.
std::string Quote(const std::string& text) {
    return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string World(int32_t world) {
    const char* name = WorldName(world);
    return name != nullptr ? std::string(name) + " (" + std::to_string(world) + ")"
                           : "unknown world " + std::to_string(world) + " (cannot be played)";
}

// "3 roll-over, 1 press, ..." for the kinds that occur.
std::string KindCounts(const std::vector<SessionEvent>& events) {
    static constexpr const char* kNames[] = {"roll-over", "press", "release", "key down", "key up"};
    static constexpr size_t kSlotOfKind[] = {0, 0, 1, 2, 3, 4};  // kind 0 replays as a roll-over
    size_t counts[5] = {};
    size_t unknown = 0;
    for (const SessionEvent& e : events) {
        if (e.kind >= 0 && e.kind <= 5)
            ++counts[kSlotOfKind[e.kind]];
        else
            ++unknown;
    }
    std::string out;
    for (size_t i = 0; i < 5; ++i)
        if (counts[i] != 0) out += (out.empty() ? "" : ", ") + std::to_string(counts[i]) + " " + kNames[i];
    if (unknown != 0) out += (out.empty() ? "" : ", ") + std::to_string(unknown) + " of unknown kinds (skipped)";
    return out;
}

// How long the cut plays: the sum of the waits between its events.
std::string Duration(const std::vector<SessionEvent>& events) {
    uint64_t ms = 0;
    for (size_t i = 1; i < events.size(); ++i) ms += EventGapMs(events[i - 1], events[i]);
    char text[64];
    std::snprintf(text, sizeof text, "%" PRIu64 ".%03" PRIu64 " s", ms / 1000, ms % 1000);
    return text;
}

std::string DescribeCut(const SessionCut& cut) {
    const size_t n = cut.events.size();
    std::string out = Quote(cut.name) + ", world " + World(cut.world) + ", " + std::to_string(n) +
                      (n == 1 ? " event" : " events");
    if (n == 0) return out + " (cannot be played)\n";
    out += ", plays " + Duration(cut.events) + "\n";
    out += "    kinds: " + KindCounts(cut.events) + "\n";
    if (cut.arrangement) {
        const DayArrangement& a = *cut.arrangement;
        out += "    Day board: set " + std::to_string(a.set) + ", " + std::to_string(a.pieces.size()) +
               (a.pieces.size() == 1 ? " piece" : " pieces") + "\n";
        for (const ArrangementPiece& p : a.pieces)
            out += "      piece " + std::to_string(p.id) + " at (" + std::to_string(p.x) + ", " + std::to_string(p.y) +
                   ")\n";
    }
    return out;
}

}  // namespace

std::string DescribeSession(const SessionTracks& tracks) {
    size_t cuts = 0;
    for (const auto& cut : tracks) cuts += cut ? 1 : 0;
    std::string out = "Session with " + std::to_string(cuts) + (cuts == 1 ? " cut" : " cuts") + " in 6 tracks\n";
    for (size_t t = 0; t < tracks.size(); ++t) {
        out += "Track " + std::to_string(t + 1) + ": ";
        out += tracks[t] ? DescribeCut(*tracks[t]) : "empty\n";
    }
    return out;
}
