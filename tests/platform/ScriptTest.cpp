#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/HeadlessHost.h"
#include "platform/script/ScriptRunner.h"
#include "platform/window/Keys.h"
#include "tests/platform/WindowTestSupport.h"

namespace fs = std::filesystem;

namespace plat {
namespace {

using K = ScriptCommand::Kind;

TEST(ScriptLine, GoodLines) {
    struct Case {
        const char* line;
        K kind;
        Point pos;
        int key;
        uint32_t ms;
        const char* text;  // type text, or the path of file/shots; null: none
    } cases[] = {
        {"move 10 20", K::Move, {10, 20}, 0, 0, nullptr},
        {"  DOWN 0 479   # comment", K::Down, {0, 479}, 0, 0, nullptr},
        {"up -5 700", K::Up, {-5, 700}, 0, 0, nullptr},
        {"click 291 409", K::Click, {291, 409}, 0, 0, nullptr},
        {"key a", K::Key, {}, 'A', 0, nullptr},
        {"key 7", K::Key, {}, '7', 0, nullptr},
        {"keydown shift", K::KeyDown, {}, vk::kShift, 0, nullptr},
        {"keyup Ctrl", K::KeyUp, {}, vk::kControl, 0, nullptr},
        {"key help", K::Key, {}, vk::kHelp, 0, nullptr},
        {"key backspace", K::Key, {}, vk::kBack, 0, nullptr},
        {"key 47", K::Key, {}, 0x2F, 0, nullptr},
        {"type My Session 2", K::Type, {}, 0, 0, "My Session 2"},
        {"wait 2500", K::Wait, {}, 0, 2500, nullptr},
        {"wait 0", K::Wait, {}, 0, 0, nullptr},
        {"file /tmp/a b.sts", K::File, {}, 0, 0, "/tmp/a b.sts"},
        {"file cancel", K::File, {}, 0, 0, nullptr},
        {"screenshot out/hub.png", K::Screenshot, {}, 0, 0, "out/hub.png"},
        {"windowshot w.png", K::Windowshot, {}, 0, 0, "w.png"},
        {"quit", K::Quit, {}, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        const ScriptLine l = ParseScriptLine(c.line);
        ASSERT_TRUE(l.error.empty()) << c.line << ": " << l.error;
        ASSERT_TRUE(l.command.has_value()) << c.line;
        const ScriptCommand& cmd = *l.command;
        EXPECT_EQ(cmd.kind, c.kind) << c.line;
        EXPECT_EQ(cmd.pos, c.pos) << c.line;
        EXPECT_EQ(cmd.key, c.key) << c.line;
        EXPECT_EQ(cmd.ms, c.ms) << c.line;
        if (c.kind == K::Type) {
            EXPECT_EQ(cmd.text, c.text) << c.line;
        }
        if (c.kind == K::File || c.kind == K::Screenshot || c.kind == K::Windowshot) {
            EXPECT_EQ(cmd.path, c.text ? std::optional<std::string>(c.text) : std::nullopt) << c.line;
        }
    }
    const ScriptLine answer = ParseScriptLine("answer Cancel");
    ASSERT_TRUE(answer.command);
    EXPECT_EQ(answer.command->answer, MessageBoxAnswer::Cancel);
    for (const char* blank : {"", "   ", "# only a comment", "\r"}) {
        const ScriptLine l = ParseScriptLine(blank);
        EXPECT_FALSE(l.command) << blank;
        EXPECT_TRUE(l.error.empty()) << blank;
    }
}

TEST(ScriptLine, BadLinesAreErrorsNotCrashes) {
    for (const char* line : {"jump 1 2", "move 10", "move 10 20 30", "move x 20", "click 1.5 2", "key",
                             "key ab", "key 256", "key 0x41", "key f1", "keydown", "wait", "wait -1", "wait 1e3",
                             "wait 99999999999999999999", "answer maybe", "answer", "file", "screenshot", "type",
                             "quit now", "move 99999999999 0"}) {
        const ScriptLine l = ParseScriptLine(line);
        EXPECT_FALSE(l.error.empty()) << line;
        EXPECT_FALSE(l.command) << line;
    }
}

TEST(ScriptRunner, ReportsEveryBadLineWithItsNumber) {
    HeadlessHost h;
    ScriptRunner runner(h.windows, h.clock);
    std::ostringstream err;
    EXPECT_FALSE(runner.LoadText("move 1 2\nbogus\n\nwait x\nquit\n", "s.txt", err));
    EXPECT_EQ(err.str(), "s.txt:2: unknown command 'bogus'\n"
                         "s.txt:4: wait: milliseconds must be a whole number from 0 to 86400000\n");
    std::ostringstream err2;
    EXPECT_FALSE(runner.LoadFile("/nonexistent/script.txt", err2));
    EXPECT_NE(err2.str().find("cannot read"), std::string::npos);
}

TEST(ScriptRunner, DrivesTheLoopWithTimersOnTimeAndEndsAsQuit) {
    HeadlessHost h;
    std::vector<std::string> log;
    testing::LoggingWindow win(h.windows, log, "view");
    ASSERT_TRUE(win.Open({0, 0, 640, 480}));
    win.SetTimer(1, 100);
    std::vector<uint32_t> tickTimes;
    win.onTimer = [&](int) { tickTimes.push_back(h.clock.NowMs()); };
    ScriptRunner runner(h.windows, h.clock);
    std::ostringstream err;
    ASSERT_TRUE(runner.LoadText("click 10 20\nwait 250\nkey a\ntype hi\nanswer no\n", "s", err)) << err.str();
    h.windows.SetScript(&runner);
    EXPECT_EQ(h.windows.Run(), 0);
    EXPECT_EQ(tickTimes, (std::vector<uint32_t>{100, 200}));
    EXPECT_EQ(h.clock.NowMs(), 250u);
    const std::vector<std::string> expected{"view paint",      "view move 10 20", "view down 10 20", "view up 10 20",
                                            "view timer 1",    "view timer 1",    "view keydown 65", "view keyup 65",
                                            "view text hi"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(h.windows.MessageBox("q", MessageBoxButtons::YesNoCancel), MessageBoxAnswer::No);
}

TEST(ScriptRunner, InputGoesBetweenTicksOfATimerThatBlocksForItsWholePeriod) {
    // The tick is due again as soon as its handler returns, so the loop is
    // never idle; the script still takes a turn after each tick, once its
    // wait is over, as a person's input would.
    HeadlessHost h;
    std::vector<std::string> log;
    testing::LoggingWindow win(h.windows, log, "view");
    ASSERT_TRUE(win.Open({0, 0, 640, 480}));
    win.SetTimer(1, 100);
    int ticks = 0;
    win.onTimer = [&](int) {
        h.windows.BusyWait(100);
        if (++ticks == 20) win.KillTimer(1);  // ends the test should the script starve
    };
    ScriptRunner runner(h.windows, h.clock);
    std::ostringstream err;
    ASSERT_TRUE(runner.LoadText("wait 150\nmove 1 1\nmove 2 2\nwait 250\nmove 3 3\n", "s", err)) << err.str();
    h.windows.SetScript(&runner);
    h.windows.Run();
    // Ticks end at 200, 300, ...; the wait of 250 begins at 400 (after the
    // tick that was due when the move was handled) and ends at 650.
    const std::vector<std::string> expected{"view paint",    "view timer 1", "view move 1 1", "view timer 1",
                                            "view move 2 2", "view timer 1", "view timer 1",  "view timer 1",
                                            "view timer 1",  "view move 3 3", "view timer 1"};
    EXPECT_EQ(log, expected);
}

TEST(ScriptRunner, ScreenshotsWritePngFiles) {
    HeadlessHost h;
    std::vector<std::string> log;
    testing::LoggingWindow win(h.windows, log, "view");
    ASSERT_TRUE(win.Open({0, 0, 640, 480}));
    const fs::path dir = fs::temp_directory_path() / ("plinkpad-shots-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string shot = (dir / "s.png").string(), wshot = (dir / "w.png").string();
    ScriptRunner runner(h.windows, h.clock);
    std::ostringstream err;
    ASSERT_TRUE(runner.LoadText("screenshot " + shot + "\nwindowshot " + wshot + "\nscreenshot /nonexistent/x.png\n",
                                "s", err));
    h.windows.SetScript(&runner);
    h.windows.Run();
    for (const std::string& f : {shot, wshot}) {
        std::ifstream in(f, std::ios::binary);
        char sig[8] = {};
        in.read(sig, 8);
        EXPECT_EQ(std::string(sig + 1, 3), "PNG") << f;
    }
    EXPECT_TRUE(runner.Failed());  // the unwritable one
    fs::remove_all(dir);
}

}  // namespace
}  // namespace plat
