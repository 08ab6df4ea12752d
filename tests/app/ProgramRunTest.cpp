// The real plinkpad program, run headless with a script and a trace (and once
// with the SDL2 backend under a virtual X server).

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "tests/app/ShellHarness.h"

namespace shelltest {
namespace {

const fs::path kProgram = fs::path(PLINKPAD_BUILD_DIR) / "plinkpad";

struct RunResult {
    int status = -1;
    std::vector<std::string> trace;  // lines without times
    std::vector<uint32_t> times;
};

class ProgramRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kProgram)) GTEST_SKIP() << "the program is not built";
    }

    // Runs the program with `args` and the script text; the trace is read back.
    RunResult Run(const std::string& args, const std::string& script, const std::string& prefix = "") {
        fs::path scriptFile = scratch_.path / "run.script";
        fs::path traceFile = scratch_.path / "run.trace";
        WriteFile(scriptFile, script);
        fs::remove(traceFile);
        std::string cmd = prefix + kProgram.string() + " " + args + " --script " + scriptFile.string() +
                          " --trace " + traceFile.string() + " >" + (scratch_.path / "run.out").string() + " 2>&1";
        RunResult r;
        int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream in(traceFile);
        for (std::string line; std::getline(in, line);) {
            size_t space = line.find(' ');
            r.times.push_back(static_cast<uint32_t>(std::stoul(line.substr(0, space))));
            r.trace.push_back(line.substr(space + 1));
        }
        return r;
    }

    std::string Drives(const std::vector<fs::path>& dirs) const {
        std::string list;
        for (const fs::path& d : dirs) list += (list.empty() ? "" : ":") + d.string();
        return "--drives " + list;
    }

    static std::vector<std::string> Messages(const RunResult& r) {
        std::vector<std::string> out;
        for (const std::string& line : r.trace)
            if (line.rfind("message ", 0) == 0) out.push_back(line.substr(8));
        return out;
    }

    ScratchDir scratch_;
};

constexpr char kDiscMessage[] = "Please make sure the Plinkpads CD-ROM is in your CD-ROM drive.";
constexpr char kDepthMessage[] = "Your display must be set to 8-bit 256 colors for Plinkpads to run.";

TEST_F(ProgramRunTest, StartupRefusalsShowOnlyTheirMessageAndEnd) {
    fs::path empty = scratch_.Drive("empty", false);
    fs::path disc = scratch_.path / "disc";
    MakeDisc(disc);
    struct Case {
        const char* name;
        std::string args;
        std::vector<std::string> messages;
    } cases[] = {
        {"no disc", "--headless " + Drives({empty}), {kDiscMessage}},
        {"16-bit display", "--headless --depth 16 " + Drives({disc}), {kDepthMessage}},
        {"24-bit display", "--headless --depth 24 " + Drives({empty, disc}), {kDepthMessage}},
        {"neither", "--headless --depth 16 " + Drives({empty}), {kDiscMessage}},
    };
    for (const Case& c : cases) {
        RunResult r = Run(c.args, "wait 100\n");
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.trace.size(), c.messages.size()) << c.name;
        EXPECT_EQ(Messages(r), c.messages) << c.name;
    }
}

TEST_F(ProgramRunTest, TheEarliestDriveWithTheMarkerIsTheDiscAndZIsNeverTried) {
    // Drives with the marker but without assets: the general sounds' load
    // messages name the drive that was taken.
    std::vector<fs::path> drives;
    for (int i = 0; i < 24; ++i) drives.push_back(scratch_.Drive("d" + std::to_string(i), i == 1 || i == 2));
    RunResult r = Run("--headless " + Drives(drives), "wait 3000\nquit\n");
    EXPECT_EQ(r.status, 0);
    std::vector<std::string> messages = Messages(r);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), "Error loading sound d:\\plinkpad\\assets\\all\\Gen_wavs\\Warning.wav Unable to load file.");

    std::vector<fs::path> onlyZ;
    for (int i = 0; i < 24; ++i) onlyZ.push_back(scratch_.Drive("z" + std::to_string(i), i == 23));
    EXPECT_EQ(Messages(Run("--headless " + Drives(onlyZ), "wait 100\n")), (std::vector<std::string>{kDiscMessage}));
}

TEST_F(ProgramRunTest, TheSplashLastsTwoAndAHalfSecondsOfProgramTime) {
    fs::path disc = scratch_.path / "disc";
    MakeDisc(disc);
    RunResult r = Run("--headless " + Drives({disc}), "wait 4000\nquit\n");
    EXPECT_EQ(r.status, 0);
    // The splash loads cleanly; this disc has none of the hub's own files.
    const auto hub = std::find(r.trace.begin(), r.trace.end(), "scene 0");
    ASSERT_NE(hub, r.trace.end());
    EXPECT_TRUE(std::none_of(r.trace.begin(), hub, [](const std::string& l) { return l.rfind("message", 0) == 0; }));
    ASSERT_FALSE(r.times.empty());
    const uint32_t start = r.times.front();
    for (size_t i = 0; i < r.trace.size(); ++i) {
        if (r.trace[i] == "scene 0") {
            EXPECT_GE(r.times[i] - start, 2500u);
        }
    }
}

TEST_F(ProgramRunTest, BadOptionsEndWithStatusTwo) {
    for (const char* args : {"--nonsense", "--screen 100", "--depth", "--depth x", "--audio-buffer 0"}) {
        std::string cmd = kProgram.string() + " " + args + " >/dev/null 2>&1";
        int raw = std::system(cmd.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 2) << args;
    }
}

TEST_F(ProgramRunTest, WithoutADisplayItSaysSoUnlessADriverWasAskedFor) {
    fs::path disc = scratch_.path / "disc";
    MakeDisc(disc);
    // SDL keeps memory of its drivers to the end; the program's own leaks are
    // checked by the headless runs.
    const std::string noDisplay =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 ";
    RunResult r = Run(Drives({disc}), "quit\n", noDisplay);
    EXPECT_EQ(r.status, 1);
    std::ifstream out(scratch_.path / "run.out");
    std::string line, last;
    while (std::getline(out, line)) last = line;
    EXPECT_EQ(last, "No display found: start Plinkpad from a desktop session, or use --headless.");
    EXPECT_TRUE(r.trace.empty()) << "nothing ran";
    // A driver the user asked for is used as it is.
    r = Run(Drives({disc}), "wait 10\nquit\n", noDisplay + "SDL_VIDEODRIVER=offscreen ");
    EXPECT_EQ(r.status, 0) << "see " << (scratch_.path / "run.out");
}

// Reads a PNG as RGB triples.
bool ReadPng(const fs::path& path, std::vector<uint8_t>& rgb, int& w, int& h) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    w = static_cast<int>(image.width);
    h = static_cast<int>(image.height);
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

TEST_F(ProgramRunTest, InARealWindowTheStartUpPictureShows) {
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
    fs::path disc = scratch_.path / "disc";
    MakeDisc(disc);
    // The script's first step comes once start-up is over and the hub shows
    // its background in its cover's colours: the same picture stands in for both.
    const fs::path hub = disc / "plinkpad" / "assets" / "center" / "ce_bmp";
    fs::create_directories(hub);
    for (const char* name : {"Cecover.bmp", "Cebkgrnd.bmp"})
        fs::copy_file(disc / "plinkpad" / "assets" / "all" / "heronix.bmp", hub / name);
    fs::path shot = scratch_.path / "window.png";
    RunResult r = Run("--windowed " + Drives({disc}), "wait 1000\nwindowshot " + shot.string() + "\nquit\n",
                      // The X and D-Bus client libraries keep memory to the end; the
                      // program's own leaks are checked by the headless runs.
                      "SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 xvfb-run -a ");
    ASSERT_EQ(r.status, 0) << "see " << (scratch_.path / "run.out");
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    ASSERT_TRUE(ReadPng(shot, rgb, w, h));
    size_t top = 0, bottom = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        plat::Rgb c{rgb[i], rgb[i + 1], rgb[i + 2]};
        top += c == kSplashTop;
        bottom += c == kSplashBottom;
    }
    // Both halves of the picture, at least at their own size.
    const size_t half = static_cast<size_t>(kSplashWidth * kSplashHeight / 2);
    EXPECT_GE(top, half);
    EXPECT_GE(bottom, half);
}

}  // namespace
}  // namespace shelltest
