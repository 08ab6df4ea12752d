#pragma once
// Where to point in a world during a scripted run: points inside a hot-spot
// or a navigation bar button, found in the generated disc's masks at the
// places the asset tables give (the same places the program uses), on a
// 640 x 480 screen. Runs and trace helpers are HubRun.h's.

#include <string>

#include "tests/scenes/HubRun.h"

namespace hubtest {

// The stage origin of a world ("troid", "star", "kbot", "gama", "day"; also
// "center", the hub).
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
// From start-up into a world the way a user goes: choose its portal in the
// hub, then go, and wait `settleMs` (its loading and intro are over by then).
std::string EnterWorld(int scene, int settleMs = 6000);

}  // namespace hubtest
