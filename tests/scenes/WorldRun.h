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

// The stage origin of a world ("troid", "star", "kbot", "gama", "day").
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

// The program time of trace line i.
uint32_t Ms(const std::vector<TraceLine>& t, int i);
// Index of the first line after `from` that is not a busy cursor step
// (cursor 4 or 5); -1 if none.
int Next(const std::vector<TraceLine>& t, int from);

// Script lines: "move X Y\n", "click X Y\n".
std::string Move(plat::Point p);
std::string Click(plat::Point p);
// Script lines that open a world's navigation bar with its toggle, click
// bar button `id` and wait `settleMs` (the blink and the switch are over).
std::string ThroughBar(const std::string& world, int id, int settleMs = 2500);

// Script lines for the Record/Play palette, at the points docs/scripting.md
// gives (full at (25, 50), compact at (5, 30)): open it (Tab) and choose
// track 1; Record and Play on the full palette; Stop on the compact one.
inline const std::string kOpenPaletteTrack1 = "key tab\nwait 300\nclick 85 67\nwait 300\n";
inline const std::string kRecordCut = "click 67 95\nwait 500\n";
inline const std::string kPlayCut = "click 85 95\n";
inline const std::string kStopCut = "click 100 48\nwait 300\n";

// Where a cut shows in a trace: recorded in a world (from its label to the
// stop), then played back there from the hub (from the compact palette's
// reopening in the world to the palette's end of playback). -1 where a step
// is missing.
struct CutTrace {
    int recording = -1, stopped = -1, resumed = -1, ended = -1;
};
CutTrace FindCut(const std::vector<TraceLine>& t, const std::string& label, int world);

// A sound the program started, with the time since the one listed before it.
struct TimedSound {
    uint32_t gap;
    std::string file;
};
// The sounds of t[from, to) whose files start with `prefix` (any case).
std::vector<TimedSound> SoundsOf(const std::vector<TraceLine>& t, const std::string& prefix, int from, int to);
// Expects `replayed` to be `recorded` again: the same files in the same
// order, each gap at least as long and at most `slackMs` longer (events of
// the same moment are a timer tick, 10 ms, apart on playback).
void ExpectReplayed(const std::vector<TimedSound>& recorded, const std::vector<TimedSound>& replayed, uint32_t slackMs);

// From start-up into a world the way a user goes: choose its portal in the
// hub, then go, and wait `settleMs` (its loading and intro are over by then).
std::string EnterWorld(int scene, int settleMs = 6000);

}  // namespace hubtest
