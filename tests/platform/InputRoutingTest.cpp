#include <gtest/gtest.h>

#include "platform/headless/HeadlessHost.h"
#include "platform/window/Keys.h"
#include "tests/platform/WindowTestSupport.h"

namespace plat {
namespace {

using testing::LoggingWindow;
using testing::Mouse;
using T = InputEvent::Type;

class Routing : public ::testing::Test {
protected:
    Routing() : view(h.windows, log, "view"), tool(h.windows, log, "tool") {
        EXPECT_TRUE(view.Open({0, 0, 640, 480}));
        EXPECT_TRUE(tool.Open(Rect::FromSize(200, 100, 130, 178), WindowStyle::ToolCaption, true));
        h.windows.DispatchAll();
        log.clear();
    }
    void Feed(std::initializer_list<InputEvent> events) {
        for (const InputEvent& e : events) h.windows.QueueInput(e);
        h.windows.DispatchAll();
    }
    HeadlessHost h;
    std::vector<std::string> log;
    LoggingWindow view;
    LoggingWindow tool;
};

TEST_F(Routing, ToolCaptionFrameLeavesTheClientSizesThePaletteRelies) {
    EXPECT_EQ(tool.ClientRect(), (Rect{0, 0, 120, 148}));
    EXPECT_EQ(tool.ClientOrigin(), (Point{205, 130}));
    tool.SetRect(Rect::FromSize(0, 0, 130, 65));  // compact, at the top-left corner
    EXPECT_EQ(tool.ClientRect(), (Rect{0, 0, 120, 35}));
    EXPECT_EQ(tool.ClientToDesktop({0, 0}), (Point{5, 30}));
    EXPECT_EQ(tool.ClientToDesktop({0, 35}).y, 65);
    EXPECT_EQ(tool.Surface().Height(), 35);
    EXPECT_FALSE(tool.UpdateRegion().empty());  // a new size repaints the whole client
}

TEST_F(Routing, MouseGoesToTheTopmostVisibleWindowUnderThePointInClientCoordinates) {
    Feed({Mouse(T::MouseMove, 210, 140), Mouse(T::MouseMove, 10, 10), Mouse(T::MouseMove, 210, 110)});
    // The last move is on the tool window's caption: no client message.
    EXPECT_EQ(log, (std::vector<std::string>{"tool move 5 10", "view move 10 10"}));
    log.clear();
    tool.Show(false);
    Feed({Mouse(T::MouseMove, 210, 140)});
    EXPECT_EQ(log, (std::vector<std::string>{"view move 210 140"}));
}

TEST_F(Routing, CaptureTakesEveryMouseEventWhereverThePointerIs) {
    h.windows.SetCapture(&tool);
    Feed({Mouse(T::MouseMove, 10, 10), Mouse(T::LButtonUp, 600, 400)});
    h.windows.ReleaseCapture();
    Feed({Mouse(T::MouseMove, 10, 10)});
    EXPECT_EQ(log, (std::vector<std::string>{"tool move -195 -120", "tool up 395 270", "view move 10 10"}));
}

TEST_F(Routing, KeysGoToTheFocusAndAPressActivatesTheWindowItLandsIn) {
    // The tool window was created last, visible: it was activated.
    Feed({testing::Key(T::KeyDown, vk::kTab)});
    Feed({Mouse(T::LButtonDown, 10, 10), testing::Key(T::KeyUp, vk::kTab)});
    EXPECT_EQ(log, (std::vector<std::string>{"tool keydown 9", "view down 10 10", "view keyup 9"}));
    // The topmost tool window stays above the activated view.
    EXPECT_EQ(h.windows.ZOrder().back(), &tool);
}

TEST_F(Routing, ConfinementClampsThePointerAndSetCursorPosProducesAMove) {
    const Rect clip{100, 100, 102, 102};  // right and bottom exclusive
    h.windows.ClipCursor(&clip);
    h.windows.DispatchAll();  // the pointer was moved into the rectangle
    EXPECT_EQ(h.windows.CursorPos(), (Point{101, 101}));
    log.clear();
    Feed({Mouse(T::MouseMove, 300, 20), Mouse(T::LButtonDown, 0, 479)});
    EXPECT_EQ(log, (std::vector<std::string>{"view move 101 100", "view down 100 101"}));
    log.clear();
    h.windows.SetCursorPos({50, 50});
    EXPECT_EQ(h.windows.CursorPos(), (Point{100, 100}));
    h.windows.DispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"view move 100 100"}));
    log.clear();
    h.windows.ClipCursor(nullptr);
    h.windows.SetCursorPos({700, -5});  // still kept on the desktop
    h.windows.DispatchAll();
    EXPECT_EQ(log, (std::vector<std::string>{"view move 639 0"}));
}

TEST_F(Routing, DraggingTheCaptionMovesTheToolWindowAndTellsTheClientNothing) {
    Feed({Mouse(T::LButtonDown, 210, 110), Mouse(T::MouseMove, 260, 150), Mouse(T::MouseMove, 300, 200),
          Mouse(T::LButtonUp, 300, 200), Mouse(T::MouseMove, 100, 400)});
    EXPECT_EQ(tool.OuterRect(), Rect::FromSize(290, 190, 130, 178));
    EXPECT_EQ(log, (std::vector<std::string>{"view move 100 400"}));
}

TEST_F(Routing, AModalDialogRefusesInputToOtherWindowsWhileTimersAndPaintsGoOn) {
    LoggingWindow dialog(h.windows, log, "dialog");
    ASSERT_TRUE(dialog.Open(Rect::FromSize(400, 300, 100, 100), WindowStyle::Dialog));
    view.SetTimer(7, 50);
    view.Invalidate();
    testing::FeedScript script(h.windows);
    script.Add(T::MouseMove, {10, 10});       // over the view: refused
    script.Add(T::LButtonDown, {210, 140});   // on the topmost tool window: refused
    script.Add(T::KeyDown, {}, 'A');          // keys go to the dialog
    script.Add(T::LButtonDown, {410, 310});   // inside the dialog
    view.SetFocus();
    struct Ender : InputScript {
        InputScript& inner;
        WindowSystem& ws;
        Window& dialog;
        ManualClock& clock;
        int steps = 0;
        Ender(InputScript& i, WindowSystem& w, Window& d, ManualClock& c) : inner(i), ws(w), dialog(d), clock(c) {}
        bool Step(std::optional<uint32_t> due) override {
            if (++steps == 3) clock.Advance(50);  // let the view's timer fall due inside the modal loop
            if (inner.Step(due)) return true;
            ws.EndModal(dialog, 42);
            return true;
        }
    } ender(script, h.windows, dialog, h.clock);
    h.windows.SetScript(&ender);
    log.clear();
    EXPECT_EQ(h.windows.RunModal(dialog), 42);
    EXPECT_FALSE(h.windows.IsModalRunning());
    h.windows.SetScript(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"dialog paint", "view paint", "dialog keydown 65", "view timer 7",
                                             "dialog down 7 7"}));
    // Afterwards the focus is back where it was.
    EXPECT_EQ(h.windows.Focus(), &view);
}

TEST_F(Routing, ComposeDrawsWindowsInZOrderWithTheirFramesAndChildren) {
    view.paintIndex = 3;
    tool.paintIndex = 4;
    LoggingWindow child(h.windows, log, "child");
    WindowParams p;
    p.style = WindowStyle::Child;
    p.parent = &tool;
    p.rect = {10, 10, 20, 20};
    ASSERT_TRUE(child.Create(p));
    child.paintIndex = 5;
    view.Invalidate();
    tool.Invalidate();
    h.windows.DispatchAll();
    Bitmap desk(640, 480, 8);
    h.windows.Compose(desk);
    EXPECT_EQ(desk.At(100, 100), 3);             // the view
    EXPECT_EQ(desk.At(205, 130), 4);             // the tool window's client corner, above the view
    EXPECT_EQ(desk.At(205 + 15, 130 + 15), 5);   // its child
    EXPECT_NE(desk.At(202, 115), 3);             // the frame covers the view
    EXPECT_NE(desk.At(202, 115), 4);
    tool.Show(false);
    h.windows.Compose(desk);
    EXPECT_EQ(desk.At(205, 130), 3);
}

}  // namespace
}  // namespace plat
