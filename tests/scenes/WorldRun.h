#pragma once
// Where to point in a world during a scripted run: points inside a hot-spot
// or a navigation bar button, found in the generated disc's masks at the
// places the asset tables give (the same places the program uses), on a
// 640 x 480 screen. Runs and trace helpers are HubRun.h's.

#include <string>
#include <vector>

#include "tests/scenes/HubRun.h"

namespace hubtest {

// The stage origin of a world ("troid", "star", "kbot", "gama", "day").
plat::Point WorldOrigin(const std::string& world);
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
// The Record/Play palette in a run (docs/scripting.md: full at (25, 50),
// compact at (5, 30)): open it on track 1, record, play, stop.
inline const std::string kOpenPalette = "key tab\nwait 300\nclick 85 67\nwait 300\n";
inline const std::string kRecord = "click 67 95\nwait 500\n";
inline const std::string kPlay = "click 85 95\n";
inline const std::string kStop = "click 100 48\nwait 300\n";

// Script lines: from a world back to the hub through its bar, then the cut
// of track 1 played there (the playback switches to the world it was
// recorded in), and `waitMs` for it to end.
std::string PlayCutFromHub(const std::string& world, int waitMs);

// A cut recorded in a world and played back from the hub (PlayCutFromHub):
// where its recording and its playback lie in the run's trace.
struct CutRun {
    int recording = -1, stopped = -1;  // the cut's label shown .. the stop sound
    int resumed = -1, ended = -1;      // the palette back in the world .. the end of the playback
};
// Checks (gtest) that the trace holds it all, the cut labelled `label`,
// recorded and replayed in scene `scene`; -1s where it does not.
CutRun FindCutRun(const std::vector<TraceLine>& t, const std::string& label, int scene);

// A sound started in a run, with the gap since the sound before it.
struct GapSound {
    uint32_t gap;
    std::string file;
    bool operator==(const GapSound&) const = default;
};
// The sounds in t[from, to) whose file names start with `prefix` (any case):
// a world's own sounds, to compare a cut's recording with its playback.
std::vector<GapSound> SoundsWithGaps(const std::vector<TraceLine>& t, const std::string& prefix, int from, int to);
// Checks (gtest) that a playback started the recorded sounds in order, each
// after the recorded gap or up to a timer tick (10 ms) later: events of the
// same moment are a tick apart on playback.
void ExpectSameSoundsAndGaps(const std::vector<GapSound>& recorded, const std::vector<GapSound>& replayed);

// From start-up into a world the way a user goes: choose its portal in the
// hub, then go, and wait `settleMs` (its loading and intro are over by then).
std::string EnterWorld(int scene, int settleMs = 6000);

}  // namespace hubtest
