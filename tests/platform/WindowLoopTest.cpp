#include <gtest/gtest.h>

#include "platform/audio/AudioDevice.h"
#include "platform/headless/HeadlessHost.h"
#include "tests/platform/WindowTestSupport.h"

namespace plat {
namespace {

using testing::LoggingWindow;
using T = InputEvent::Type;

class WindowLoop : public ::testing::Test {
protected:
    WindowLoop() : win(h.windows, log, "main") {
        EXPECT_TRUE(win.Open({0, 0, 640, 480}));
        h.windows.DispatchAll();  // the first paint
        log.clear();
    }
    HeadlessHost h;
    std::vector<std::string> log;
    LoggingWindow win;
};

TEST_F(WindowLoop, RetrievesPostedThenInputThenPaintThenTimers) {
    win.SetTimer(1, 50);
    h.clock.Advance(50);
    win.Invalidate();
    h.windows.QueueInput(testing::Mouse(T::MouseMove, 3, 4));
    win.Post(0x401);
    win.Post(0x402);
    h.windows.DispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"main message 1025", "main message 1026", "main move 3 4", "main paint",
                                             "main timer 1"}));
}

TEST_F(WindowLoop, InputArrivingDuringAHandlerComesBeforeThePaintItCaused) {
    // A burst of input is handled before a repaint: paints are synthesised
    // only when nothing else waits.
    h.windows.QueueInput(testing::Mouse(T::MouseMove, 1, 1));
    h.windows.QueueInput(testing::Mouse(T::MouseMove, 2, 2));
    win.Invalidate();
    h.windows.DispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"main move 1 1", "main move 2 2", "main paint"}));
}

TEST_F(WindowLoop, TimersKeepOnePendingTickHoweverLateRestartWhenSetAgainAndStopWhenKilled) {
    struct Step {
        const char* what;  // set, kill, advance
        int id;            // timer to set or kill
        uint32_t arg;      // period to set, or ms to advance
        int ticks;         // ticks delivered by dispatching after the step; -1: do not dispatch
    } steps[] = {
        {"set", 5, 100, 0},
        {"advance", 0, 1000, 1},  // ten periods late: still one tick
        {"advance", 0, 99, 0},    // the next is a whole period after delivery
        {"advance", 0, 1, 1},
        {"advance", 0, 60, 0},
        {"set", 5, 100, 0},  // restart: due 100 ms from now
        {"advance", 0, 60, 0},
        {"advance", 0, 40, 1},
        {"advance", 0, 100, -1},  // due, but not dispatched yet ...
        {"kill", 5, 0, 0},        // ... and killed: the pending tick is gone
        {"advance", 0, 500, 0},
        {"set", 6, 3, 0},  // periods under 10 ms are raised to 10
        {"advance", 0, 9, 0},
        {"advance", 0, 1, 1},
    };
    int n = 0;
    for (const Step& s : steps) {
        ++n;
        const std::string w = s.what;
        if (w == "set") win.SetTimer(s.id, s.arg);
        if (w == "kill") win.KillTimer(s.id);
        if (w == "advance") h.clock.Advance(s.arg);
        if (s.ticks < 0) continue;
        log.clear();
        h.windows.DispatchAll();
        EXPECT_EQ(static_cast<int>(log.size()), s.ticks) << "step " << n;
    }
}

TEST_F(WindowLoop, SeveralDueTimersComeMostOverdueFirstAndAKilledOneNeverTicks) {
    win.SetTimer(1, 30);
    win.SetTimer(2, 10);
    win.SetTimer(3, 20);
    win.onTimer = [&](int id) {
        if (id == 2) win.KillTimer(3);
    };
    h.clock.Advance(40);
    h.windows.DispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"main timer 2", "main timer 1"}));
}

TEST_F(WindowLoop, UpdateNowPaintsInsideTheCallClippedToTheUpdateRegion) {
    win.paintIndex = 9;
    Rect r{10, 10, 20, 20};
    win.Invalidate(&r);
    Rect r2{30, 30, 31, 31};
    win.Invalidate(&r2);
    win.UpdateNow();
    EXPECT_EQ(log, (std::vector<std::string>{"main paint"}));
    EXPECT_TRUE(win.UpdateRegion().empty());
    const Bitmap& s = win.Surface();
    EXPECT_EQ(s.At(15, 15), 9);
    EXPECT_EQ(s.At(30, 30), 9);
    EXPECT_EQ(s.At(5, 5), 7);    // outside the region: as the first paint left it
    EXPECT_EQ(s.At(25, 25), 7);  // between the rectangles
    log.clear();
    win.UpdateNow();  // nothing to paint: no paint
    h.windows.DispatchAll();
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowLoop, APostedMessageToADestroyedWindowIsDropped) {
    LoggingWindow other(h.windows, log, "other");
    ASSERT_TRUE(other.Open({0, 0, 10, 10}));
    other.Post(0x401);
    other.SetTimer(1, 10);
    other.Destroy();
    h.clock.Advance(100);
    log.clear();
    h.windows.DispatchAll();
    EXPECT_TRUE(log.empty());
}

// A backend that hands over one event per poll: input "arriving" while the
// program is busy.
class TricklingBackend final : public Backend {
public:
    std::deque<InputEvent> arriving;
    int polls = 0;
    void Present(const uint32_t*, int, int) override {}
    void PollInput(std::vector<InputEvent>& out) override {
        ++polls;
        if (!arriving.empty()) {
            out.push_back(arriving.front());
            arriving.pop_front();
        }
    }
    void WaitInput(uint32_t) override {}
    std::unique_ptr<AudioDevice> OpenAudio(AudioSource&, const AudioConfig&) override { return nullptr; }
    bool ReadScreen(std::vector<uint32_t>&, int&, int&) override { return false; }
};

TEST(BusyWait, DispatchesNothingAndDeliversInputThatArrivedMeanwhileAfterwardsInOrder) {
    ManualClock clock(1000);
    Display display(640, 480);
    TricklingBackend backend;
    WindowSystem ws(backend, display, clock, nullptr);
    std::vector<std::string> log;
    LoggingWindow win(ws, log, "main");
    ASSERT_TRUE(win.Open({0, 0, 640, 480}));
    ws.DispatchAll();
    log.clear();
    win.SetTimer(1, 20);
    win.Post(0x401);
    win.Invalidate();
    backend.arriving = {testing::Mouse(T::MouseMove, 1, 1), testing::Key(T::KeyDown, 'A'),
                        testing::Key(T::KeyUp, 'A'), testing::Mouse(T::LButtonDown, 2, 2)};
    ws.BusyWait(100);
    EXPECT_EQ(clock.NowMs(), 1100u);
    EXPECT_TRUE(log.empty()) << log.front();
    EXPECT_TRUE(backend.arriving.empty());
    ws.DispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"main message 1025", "main move 1 1", "main keydown 65", "main keyup 65",
                                             "main down 2 2", "main paint", "main timer 1"}));
}

TEST(HeadlessRun, EndsWhenNothingCanHappenAnyMore) {
    HeadlessHost h;
    std::vector<std::string> log;
    LoggingWindow win(h.windows, log, "main");
    ASSERT_TRUE(win.Open({0, 0, 640, 480}));
    win.SetTimer(1, 100);  // would fire only if someone moved the clock on
    EXPECT_EQ(h.windows.Run(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"main paint"}));
}

TEST(HeadlessRun, PaletteChangesReachEveryTopLevelWindowBeforeOtherMessages) {
    HeadlessHost h;
    struct Watcher : Window {
        using Window::Window;
        int changes = 0;
        void OnPaletteChanged() override { ++changes; }
    } a(h.windows), b(h.windows);
    WindowParams p;
    p.rect = {0, 0, 10, 10};
    ASSERT_TRUE(a.Create(p) && b.Create(p));
    h.windows.DispatchAll();
    h.display.Realize(Palette({{1, 2, 3}}));
    h.windows.DispatchAll();
    h.display.Realize(Palette({{1, 2, 3}}));  // no change: no notice
    h.windows.DispatchAll();
    EXPECT_EQ(a.changes, 1);
    EXPECT_EQ(b.changes, 1);
}

}  // namespace
}  // namespace plat
