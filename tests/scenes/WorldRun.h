#pragma once
// Where to point in a world during a scripted run: points inside a hot-spot
// or a navigation bar button, found in the generated disc's masks at the
// places the asset tables give (the same places the program uses), on a
// 640 x 480 screen, and what the worlds' scripted runs share: going through
// the bar, the palette's script lines, a cut's place in a trace and its
// replayed sounds. Runs and the basic trace helpers are HubRun.h's.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/scenes/HubRun.h"

namespace hubtest {

// The stage origin of a world ("troid", "star", "kbot", "gama", "day"; also
// "center", the hub).
plat::Point WorldOrigin(const std::string& world);
// The mask of hot-spot `id` where the world places it.
MaskAt SpotMask(const std::string& world, int id);
// A point inside hot-spot `id` that no hot-spot asked before it takes.
plat::Point SpotPoint(const std::string& world, int id);
// A point inside the world's bar button `id` (1 the hub, 2..6 the worlds,
// 0 the toggle).
plat::Point NavPoint(const std::string& world, int id);
// A point of the stage that is on no hot-spot and off the bar's toggle.
plat::Point EmptyPoint(const std::string& world);

// Script lines: "move X Y\n", "click X Y\n".
std::string Move(plat::Point p);
std::string Click(plat::Point p);
// Script lines that open a world's navigation bar with its toggle, click
// bar button `id` and wait `settleMs` (the blink and the switch are over).
std::string ThroughBar(const std::string& world, int id, int settleMs = 2500);

// Where a cut shows in a trace: recorded in a world (from its label to the
// stop), then played back there from the hub (from the compact palette's
// reopening in the world to the palette's end of playback). -1 where a step
// is missing.
struct CutTrace {
    int recording = -1, stopped = -1, resumed = -1, ended = -1;
};
CutTrace FindCut(const std::vector<TraceLine>& t, const std::string& label, int world);
// Script lines: from a world back to the hub through its bar, then the cut
// of track 1 played there (the playback switches to the world it was
// recorded in), and `waitMs` for it to end.
std::string PlayCutFromHub(const std::string& world, int waitMs);

// From start-up into a world the way a user goes: choose its portal in the
// hub, then go, and wait `settleMs` (its loading and intro are over by then).
std::string EnterWorld(int scene, int settleMs = 6000);
// Back to the hub through the world's navigation bar: open it, pick the hub.
inline std::string ToHubByBar(const std::string& world) { return ThroughBar(world, 1); }

// Reaching the Record/Play palette (docs/scripting.md): open it full and
// choose track 1; Record and Play there; Stop on the compact palette.
inline const std::string kOpenPalette = "key tab\nwait 300\nclick 85 67\nwait 300\n";
inline const std::string kRecord = "click 67 95\nwait 500\n";
inline const std::string kPlay = "click 85 95\n";
inline const std::string kStop = "click 100 48\nwait 300\n";

// The program time of trace line i.
uint32_t Ms(const std::vector<TraceLine>& t, int i);
// How many lines of t[from, to) read exactly `text`.
int Count(const std::vector<TraceLine>& t, const std::string& text, int from, int to);
// Index of the first line after `from` that is not a busy-cursor step; -1 if none.
int NextNotBusy(const std::vector<TraceLine>& t, int from);

struct TimedSound {
    uint32_t gap;  // since the previous sound of the list
    std::string file;
    bool operator==(const TimedSound&) const = default;
};
// The sounds started in t[from, to) whose files begin with `prefix` (any case).
std::vector<TimedSound> SoundsOf(const std::vector<TraceLine>& t, const std::string& prefix, int from, int to);
// A cut played back gives the recorded sounds in order, each gap the same or
// up to `slackMs` longer (one palette timer tick, 10 ms, by default: events
// of one moment are a tick apart on playback).
void ExpectReplayed(const std::vector<TimedSound>& recorded, const std::vector<TimedSound>& replayed,
                    uint32_t slackMs = 10);

}  // namespace hubtest
