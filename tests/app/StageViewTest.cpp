#include <gtest/gtest.h>

#include <algorithm>

#include "audio/SoundEngine.h"
#include "platform/window/EditControl.h"
#include "platform/window/InputScript.h"
#include "platform/window/WindowSystem.h"
#include "tests/app/ShellHarness.h"
#include "tests/app/TestScene.h"

namespace shelltest {
namespace {

class StageViewTest : public ::testing::Test {
protected:
    void Start(bool disc = true) {
        fs::path c = scratch_.path / "c";
        fs::create_directories(c);
        if (disc) MakeDisc(c);
        shell_ = std::make_unique<Shell>(std::vector<fs::path>{c}, scratch_.path);
        shell_->app->m_strCDDrive = "c";
        view_ = &shell_->StartView(TestScenes(log_));
        view_->SetPaletteFactory(FakePalettes(log_));
    }
    uint32_t TimeOf(const std::string& text) const {
        for (const std::string& line : shell_->headless.trace.Lines())
            if (line.substr(line.find(' ') + 1) == text) return static_cast<uint32_t>(std::stoul(line));
        ADD_FAILURE() << "not traced: " << text;
        return 0;
    }

    ScratchDir scratch_;
    Log log_;
    std::unique_ptr<Shell> shell_;
    CPlinkpadView* view_ = nullptr;
};

TEST_F(StageViewTest, SplashShowsThePictureForAtLeastTwoAndAHalfSecondsThenTheHubsCover) {
    Start();
    const uint32_t start = shell_->headless.clock.NowMs();
    shell_->Run();
    ASSERT_GE(log_.size(), 2u);
    EXPECT_EQ(Log(log_.begin(), log_.begin() + 2), (Log{"construct 0", "cover"}));
    EXPECT_GE(TimeOf("scene 0") - start, 2500u);
    EXPECT_EQ(view_->Scene()->m_nScene, 0);

    // The hub's stage on a 640 x 480 desktop starts at (15, 7); the pointer
    // is held on the cover's start control.
    const StageOrigin& o = TheStageOrigin();
    EXPECT_EQ(o.x, 15);
    EXPECT_EQ(o.y, 7);
    ASSERT_TRUE(shell_->Windows().CursorClip().has_value());
    EXPECT_EQ(*shell_->Windows().CursorClip(), (plat::Rect{306, 415, 308, 417}));
    EXPECT_EQ(shell_->Windows().CursorPos(), (plat::Point{306, 416}));

    // The picture's colours are on the screen at the stage origin.
    plat::Bitmap screen(640, 480, 8);
    shell_->Windows().Compose(screen);
    EXPECT_EQ(shell_->headless.display.ColourOf(screen.At(15 + 3, 7 + 3)), kSplashTop);
    EXPECT_EQ(shell_->headless.display.ColourOf(screen.At(15 + 3, 7 + kSplashHeight - 3)), kSplashBottom);
    EXPECT_EQ(shell_->Traced("cursor"), (std::vector<std::string>{"cursor 1"}));
}

TEST_F(StageViewTest, AMissingPictureAndMissingSoundsStillStart) {
    Start(false);  // no picture and no sounds on the disc: messages, but the start goes on
    shell_->Run();
    ASSERT_NE(view_->Scene(), nullptr);
    EXPECT_EQ(view_->Scene()->m_nScene, 0);
    EXPECT_GE(shell_->Messages().size(), 10u) << "one message per missing general sound";
}

TEST_F(StageViewTest, SwitchingScenesEntersTheNewSceneAndFallsBackToTheHub) {
    Start();
    shell_->Run();
    view_->SessionEdit().Show(true);  // as the hub does when entered
    struct Case {
        int requested;
        int expected;
    } cases[] = {{4, 4}, {2, 2}, {0, 0}, {9, 0}, {-1, 0}, {5, 5}};
    for (const Case& c : cases) {
        const int before = view_->Scene()->m_nScene;
        log_.clear();
        view_->Post(kSwitchScene, static_cast<uintptr_t>(c.requested));
        shell_->Run();
        ASSERT_NE(view_->Scene(), nullptr) << c.requested;
        EXPECT_EQ(view_->Scene()->m_nScene, c.expected) << c.requested;
        EXPECT_EQ(log_, (Log{"destroy " + std::to_string(before), "construct " + std::to_string(c.expected), "enter"}))
            << c.requested;
        if (before == 0) {
            EXPECT_FALSE(view_->SessionEdit().IsVisible()) << "leaving the hub hides the name";
        }
        view_->Invalidate();
        shell_->Run();
        EXPECT_EQ(log_.back(), "paint") << "later paints go to Paint";
    }
    EXPECT_EQ(shell_->Traced("scene").back(), "scene 5");
}

TEST_F(StageViewTest, SceneReadyLoadsHotspotsAndReopensThePaletteForPlayback) {
    Start();
    shell_->Run();
    view_->ResumeInWorld(3, 2);
    shell_->Run();
    log_.clear();
    view_->Post(kSceneReady);
    shell_->Run();
    EXPECT_EQ(log_, (Log{"load", "palette open"}));
    EXPECT_EQ(view_->m_nResumeCut, 2);
    EXPECT_NE(view_->Scene()->Palette(), nullptr);
}

TEST_F(StageViewTest, InputAndTimersAreForwardedInViewCoordinates) {
    Start();
    shell_->Run();
    plat::WindowSystem& windows = shell_->Windows();
    windows.ClipCursor(nullptr);
    log_.clear();
    auto mouse = [&windows](plat::InputEvent::Type type, int x, int y) {
        plat::InputEvent e;
        e.type = type;
        e.pos = {x, y};
        windows.QueueInput(e);
    };
    mouse(plat::InputEvent::Type::MouseMove, 100, 120);
    mouse(plat::InputEvent::Type::LButtonDown, 100, 120);
    mouse(plat::InputEvent::Type::LButtonUp, 101, 121);
    shell_->Run();
    view_->SetSoundTimer(77, 40);
    shell_->headless.clock.Advance(40);
    shell_->Run();
    EXPECT_EQ(log_, (Log{"move 100 120", "down 100 120", "up 101 121", "timer 77"}));
}

TEST_F(StageViewTest, EditBoxSitsOnTheHubStageAndStartsHidden) {
    Start();
    const plat::EditControl& edit = view_->SessionEdit();
    EXPECT_FALSE(edit.IsVisible());
    EXPECT_EQ(edit.GetText(), "New Session");
    EXPECT_EQ(edit.OuterRect(), (plat::Rect{15 + 260, 7 + 436, 15 + 500, 7 + 456}));
}


// A modal dialog that notes which scene the view holds while it runs and
// closes itself on its first timer tick.
class WatchingDialog final : public plat::Window {
public:
    WatchingDialog(plat::WindowSystem& system, CPlinkpadView& view) : plat::Window(system), view_(view) {}
    void OnTimer(int) override {
        sceneWhileOpen = view_.Scene()->m_nScene;
        System().EndModal(*this, 0);
    }
    int sceneWhileOpen = -1;

private:
    CPlinkpadView& view_;
};

// Lets the manual clock run up to each timer, as a scripted `wait` does.
struct ClockRunner final : plat::InputScript {
    explicit ClockRunner(plat::ManualClock& c) : clock(c) {}
    bool Step(std::optional<uint32_t> nextTimerDue) override {
        if (!nextTimerDue) return false;
        clock.Advance(std::max<uint32_t>(1, *nextTimerDue - clock.NowMs()));
        return true;
    }
    plat::ManualClock& clock;
};

TEST_F(StageViewTest, ASwitchPostedWhileAModalDialogRunsWaitsUntilItHasClosed) {
    Start();
    shell_->Run();
    ASSERT_EQ(view_->Scene()->m_nScene, 0);
    ClockRunner clock(shell_->headless.clock);
    shell_->Windows().SetScript(&clock);

    WatchingDialog dialog(shell_->Windows(), *view_);
    plat::WindowParams params;
    params.rect = plat::Rect::FromSize(10, 10, 50, 50);
    ASSERT_TRUE(dialog.Create(params));
    dialog.SetTimer(1, 100);
    view_->Post(kSwitchScene, 4);  // as a playback would, from inside the dialog's loop
    shell_->Windows().RunModal(dialog);
    EXPECT_EQ(dialog.sceneWhileOpen, 0) << "the scene that opened the dialog must outlive it";

    shell_->Windows().SetScript(nullptr);
    shell_->headless.clock.Advance(20);
    shell_->Run();
    EXPECT_EQ(view_->Scene()->m_nScene, 4) << "the switch happens once the dialog has closed";
}

}  // namespace
}  // namespace shelltest
