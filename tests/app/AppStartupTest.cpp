#include <gtest/gtest.h>

#include "tests/app/ShellHarness.h"

namespace shelltest {
namespace {

constexpr char kDiscMessage[] = "Please make sure the Plinkpads CD-ROM is in your CD-ROM drive.";
constexpr char kDepthMessage[] = "Your display must be set to 8-bit 256 colors for Plinkpads to run.";

TEST(AppStartup, FindsTheFirstDriveWithTheMarkerAndChecksInOrder) {
    struct Case {
        const char* name;
        std::vector<int> discs;  // drive indexes (0 = c) that carry the marker
        int drives;              // how many candidates
        int depth;
        const char* drive;       // expected letter, "" when none
        std::vector<std::string> messages;
    } cases[] = {
        {"one disc", {1}, 3, 8, "d", {}},
        {"earlier letter wins", {2, 1}, 4, 8, "d", {}},
        {"first candidate", {0, 5}, 6, 8, "c", {}},
        {"no disc", {}, 3, 8, "", {kDiscMessage}},
        {"letter z is never tried", {23}, 24, 8, "", {kDiscMessage}},
        {"letter y is the last one", {22}, 24, 8, "y", {}},
        {"16-bit display", {0}, 1, 16, "c", {kDepthMessage}},
        {"24-bit display", {0}, 1, 24, "c", {kDepthMessage}},
        {"neither: only the disc message", {}, 1, 16, "", {kDiscMessage}},
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        std::vector<fs::path> drives;
        for (int i = 0; i < c.drives; ++i) {
            bool disc = std::find(c.discs.begin(), c.discs.end(), i) != c.discs.end();
            drives.push_back(scratch.Drive("drive" + std::to_string(i), disc));
        }
        fs::path home = scratch.path / "home";
        fs::create_directories(home);
        Shell shell(drives, home, c.depth);
        fs::current_path(home);
        bool ok = shell.app->CheckStartup(shell.headless.display);
        EXPECT_EQ(ok, c.messages.empty()) << c.name;
        EXPECT_EQ(shell.app->m_strCDDrive, c.drive) << c.name;
        EXPECT_EQ(shell.Messages(), c.messages) << c.name;
        EXPECT_EQ(fs::current_path(), home) << c.name << ": the current directory is restored";
    }
}

TEST(AppStartup, ReadsTheAudioSettingFromTheInstallFolder) {
    struct Case {
        const char* name;
        const char* fileName;  // nullptr: no settings file
        std::string contents;
        std::string expected;
    } cases[] = {
        {"no file", nullptr, "", "\\"},
        {"value", "Plinkpad.INI", "[Plinkpads]\r\nAudio=\\low\\\r\n", "\\low\\"},
        {"file name in other case", "plinkpad.ini", "[plinkpads]\naudio=x\n", "x"},
        {"no key", "Plinkpad.INI", "[Plinkpads]\nVideo=1\n", "\\"},
        {"long value cut to the buffer", "Plinkpad.INI", "[Plinkpads]\nAudio=" + std::string(250, 'a') + "\n",
         std::string(199, 'a')},
    };
    for (const Case& c : cases) {
        ScratchDir scratch;
        fs::path home = scratch.path / "home";
        fs::create_directories(home);
        if (c.fileName != nullptr) WriteFile(home / c.fileName, c.contents);
        Shell shell({scratch.Drive("c", true)}, home);
        ASSERT_TRUE(shell.app->CheckStartup(shell.headless.display)) << c.name;
        EXPECT_EQ(shell.app->m_strAudioDir, c.expected) << c.name;
        EXPECT_EQ(shell.app->m_strHomeDir, home.string()) << c.name;
    }
}

}  // namespace
}  // namespace shelltest
