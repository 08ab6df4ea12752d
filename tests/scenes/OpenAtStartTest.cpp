// A session file named on the command line, opened by the real program once
// the hub is up, as Open Session would open it; bad ones get Open's messages
// and the program goes on with a new session.

#include <gtest/gtest.h>

#include <fstream>

#include "recording/codec/SessionFile.h"
#include "tests/scenes/HubRun.h"

namespace hubtest {
namespace {

// The palette's controls, full at its first place (docs/scripting.md).
std::string Palette(const char* command, int x, int y) {
    return std::string(command) + " " + std::to_string(25 + x) + " " + std::to_string(50 + y) + "\n";
}
// Opens the palette and points at track 1, whose label names its cut.
const std::string kLookAtTrackOne = "wait 10\nkey tab\nwait 100\n" + Palette("move", 60, 17) + "wait 100\n";

// Start-up is over, the pointer let go, when the hub first releases its clip.
int HubUp(const std::vector<TraceLine>& t) { return Find(t, "clip off", Find(t, "scene 0")); }

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
}

TEST(OpenAtStart, TheSessionOpensOnceTheHubIsUpAndThePalettePlaysIt) {
    const plat::Point star = HubDrive::Get().PointIn(WorldMask(80));
    SessionTracks tracks;
    tracks[0] = std::make_unique<SessionCut>();
    tracks[0]->name = "From the desktop";
    tracks[0]->events = {{1000, 1, star.x, star.y}, {1400, 1, kHubOrigin.x + 600, kHubOrigin.y + 455}};
    const fs::path dir = RunDir("open-at-start-files");
    fs::create_directories(dir);
    WriteBytes(dir / "Jam Night.sts", WriteSessionFile(tracks));

    const std::vector<TraceLine> t = RunScript(
        "open-at-start", kLookAtTrackOne + Palette("click", 60, 125) + "wait 2000\n", "'" + (dir / "Jam Night.sts").string() + "'");
    const int up = HubUp(t);
    ASSERT_GE(up, 0);
    const int opened = FindLine(t, "session open Jam Night", up);
    ASSERT_GT(opened, up);
    EXPECT_EQ(Find(t, "message "), -1);
    const int label = FindLine(t, "label From the desktop", opened);
    ASSERT_GT(label, opened);
    // Play all cuts: the cut's roll-over sounds and the palette turns compact.
    const int playAll = FindLine(t, "label Play all cuts", label);
    ASSERT_GT(playAll, label);
    EXPECT_GT(FindSound(t, "cet16.wav", playAll), playAll);
    EXPECT_GT(FindLine(t, "palette 5 30", playAll), playAll);
}

TEST(OpenAtStart, ABadFileGetsTheOpenMessageAndTheProgramGoesOnWithANewSession) {
    const fs::path dir = RunDir("open-at-start-bad-files");
    fs::create_directories(dir);
    std::ofstream(dir / "notes.txt") << "hello";
    std::ofstream(dir / "broken.sts") << "not a session at all";
    std::ofstream(dir / ".sts") << "hidden";
    SessionTracks none;
    WriteBytes(dir / "LOUD.STS", WriteSessionFile(none));
    struct Case {
        const char* file;
        const char* message;  // none: it opens
    } cases[] = {
        {"gone.sts", "Unable to load session!"},
        {"broken.sts", "Unable to load session!"},
        {"notes.txt", "Not Plinkpads session. File must have .sts extention. Try Again."},
        {".sts", "Not Valid filename. Try again."},
        {"LOUD.STS", nullptr},  // the extension in any case
    };
    for (const Case& c : cases) {
        const std::vector<TraceLine> t = RunScript("open-at-start-bad", kLookAtTrackOne, "'" + (dir / c.file).string() + "'");
        const int up = HubUp(t);
        ASSERT_GE(up, 0) << c.file;
        if (c.message != nullptr) {
            EXPECT_EQ(Texts(t, "message "), std::vector<std::string>{std::string("message ") + c.message}) << c.file;
            EXPECT_GT(Find(t, "message "), up) << c.file;
            EXPECT_EQ(Find(t, "session open"), -1) << c.file;
        } else {
            EXPECT_EQ(Find(t, "message "), -1) << c.file;
            EXPECT_GT(FindLine(t, "session open LOUD", up), up) << c.file;
        }
        // Either way the program goes on, with a session of empty tracks.
        EXPECT_GE(FindLine(t, "label Empty Cut.1", up), 0) << c.file;
    }
}

}  // namespace
}  // namespace hubtest
