// Windows hear about changes of their outer rectangle, whoever made them.

#include <gtest/gtest.h>

#include "platform/headless/HeadlessHost.h"
#include "tests/platform/WindowTestSupport.h"

namespace plat {
namespace {

class MovingWindow final : public Window {
public:
    explicit MovingWindow(WindowSystem& s) : Window(s) {}
    ~MovingWindow() override { Destroy(); }
    void OnRectChanged() override { seen.push_back(OuterRect()); }
    std::vector<Rect> seen;
};

TEST(WindowMove, ProgramAndCaptionDragChangesAreReportedAndNothingElse) {
    HeadlessHost h;
    MovingWindow w(h.windows);
    WindowParams p;
    p.style = WindowStyle::ToolCaption;
    p.rect = Rect::FromSize(200, 100, 130, 178);
    ASSERT_TRUE(w.Create(p));
    h.windows.DispatchAll();
    EXPECT_TRUE(w.seen.empty());  // creation is not a change

    w.SetRect(Rect::FromSize(200, 100, 130, 178));  // the same rectangle
    EXPECT_TRUE(w.seen.empty());
    w.SetRect(Rect::FromSize(0, 0, 130, 65));  // moved and resized
    w.SetRect(Rect::FromSize(0, 0, 130, 178));  // resized only
    EXPECT_EQ(w.seen, (std::vector<Rect>{Rect::FromSize(0, 0, 130, 65), Rect::FromSize(0, 0, 130, 178)}));

    w.seen.clear();
    using T = InputEvent::Type;
    for (const InputEvent& e : {testing::Mouse(T::LButtonDown, 10, 10), testing::Mouse(T::MouseMove, 60, 40),
                                testing::Mouse(T::LButtonUp, 60, 40)})
        h.windows.QueueInput(e);
    h.windows.DispatchAll();
    ASSERT_FALSE(w.seen.empty());
    EXPECT_EQ(w.seen.back(), Rect::FromSize(50, 30, 130, 178));
}

}  // namespace
}  // namespace plat
