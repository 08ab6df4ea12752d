#pragma once
// Running `plinkpad --render` as a user does, for the render and video tests:
// the program on the scripted runs' test drive, in a scratch folder.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "recording/codec/SessionData.h"
#include "tests/scenes/HubRun.h"

namespace rendertest {

struct Exit {
    int status = -1;
    std::string err;
};

// Runs the program on the test drive with `args`, in the scratch folder `dir`.
Exit Program(const std::filesystem::path& dir, const std::string& args);

// An empty scratch folder of the test runs.
std::filesystem::path Scratch(const std::string& name);

std::vector<hubtest::TraceLine> ReadTrace(const std::filesystem::path& path);

// The tracks of a session: the cuts in track order.
SessionTracks Tracks(std::vector<std::unique_ptr<SessionCut>> cuts);

}  // namespace rendertest
