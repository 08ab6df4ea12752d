// Every world entered from the hub loads all it names (pictures, masks,
// sounds) from the generated disc: a missing or unreadable file would show
// "Failed to load file" in a message box, which the trace records.

#include <gtest/gtest.h>

#include "tests/scenes/WorldRun.h"

namespace hubtest {
namespace {

TEST(WorldLoad, EveryWorldLoadsWithoutAMessage) {
    for (int scene = 1; scene <= 5; ++scene) {
        const std::vector<TraceLine> t = RunScript("world-load-" + std::to_string(scene), EnterWorld(scene, 3000));
        EXPECT_GE(FindLine(t, "scene " + std::to_string(scene)), 0) << scene;
        const std::vector<std::string> messages = Texts(t, "message");
        EXPECT_TRUE(messages.empty()) << "scene " << scene << ": " << messages.front();
    }
}

}  // namespace
}  // namespace hubtest
