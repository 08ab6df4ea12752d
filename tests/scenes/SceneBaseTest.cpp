#include <gtest/gtest.h>

#include <sstream>

#include "audio/SoundEngine.h"
#include "platform/window/EditControl.h"
#include "platform/window/Keys.h"
#include "recording/Session.h"
#include "tests/app/ShellHarness.h"
#include "tests/app/TestScene.h"

namespace shelltest {
namespace {

namespace vk = plat::vk;

// The program started on a test disc with test scenes, now in scene `number`
// with its hot-spots loaded.
class SceneBaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::path c = scratch_.path / "c";
        MakeDisc(c);
        shell_ = std::make_unique<Shell>(std::vector<fs::path>{c}, scratch_.path);
        ASSERT_TRUE(shell_->app->CheckStartup(shell_->headless.display));
        view_ = &shell_->StartView(TestScenes(log_));
        view_->SetPaletteFactory(FakePalettes(log_));
        shell_->Run();
    }

    TestScene& GoTo(int number) {
        if (view_->Scene()->m_nScene != number) {
            view_->Post(kSwitchScene, static_cast<uintptr_t>(number));
            shell_->Run();
        }
        auto& scene = static_cast<TestScene&>(*view_->Scene());
        scene.LoadHotspots();
        log_.clear();
        return scene;
    }

    void StartRecording(TestScene& scene) {
        scene.ToggleRecordPalette();
        view_->Session()->StartRecording(1);
        ASSERT_TRUE(scene.IsRecording());
        log_.clear();
    }

    // Runs steps such as "down A", "up shift", "point 1" on the scene.
    void Steps(TestScene& scene, const std::vector<std::string>& steps) {
        for (const std::string& step : steps) {
            std::istringstream in(step);
            std::string verb, what;
            in >> verb >> what;
            if (verb == "point") {
                scene.PointAt(std::stoi(what));
                continue;
            }
            int key = what == "shift" ? vk::kShift : what == "ctrl" ? vk::kControl : what == "help" ? vk::kHelp
                      : what == "tab" ? vk::kTab : what[0];
            if (verb == "down")
                scene.OnKeyDown(key, 0);
            else
                scene.OnKeyUp(key, 0);
        }
    }

    // Lets time pass, so general sounds played before have ended.
    void Pass(uint32_t ms) {
        shell_->headless.clock.Advance(ms);
        shell_->Run();
    }

    std::vector<std::string> Recorded() const {
        std::vector<std::string> out;
        for (const std::string& line : log_)
            if (line.rfind("record ", 0) == 0) out.push_back(line);
        return out;
    }

    ScratchDir scratch_;
    Log log_;  // outlives the scenes that write to it
    std::unique_ptr<Shell> shell_;
    CPlinkpadView* view_ = nullptr;
};

TEST_F(SceneBaseTest, LetterBindingsFollowTheShiftAndCtrlRules) {
    struct Case {
        const char* name;
        std::vector<std::string> steps;
        int presses0, presses1;
        std::vector<std::string> recorded;
    } cases[] = {
        {"shift+letter before any hot-spot binds nothing but is recorded",
         {"down shift", "down A", "up shift", "down A"},
         0,
         0,
         {"record 4 16 0", "record 4 65 0", "record 5 16 0", "record 4 65 0"}},
        {"shift+letter binds the hot-spot last entered; the letter then plays it",
         {"point 0", "down shift", "down A", "up shift", "down A"},
         1,
         0,
         {"record 4 16 0", "record 4 65 0", "record 5 16 0", "record 4 65 0"}},
        {"rebinding keeps only the newest binding",
         {"point 0", "down shift", "down B", "point 1", "down B", "up shift", "down B"},
         0,
         1,
         {"record 4 16 0", "record 4 66 0", "record 4 66 0", "record 5 16 0", "record 4 66 0"}},
        {"a letter never bound does nothing", {"point 0", "down C"}, 0, 0, {"record 4 67 0"}},
        {"ctrl held: letters are neither recorded nor played",
         {"point 0", "down shift", "down D", "up shift", "down ctrl", "down D", "up ctrl", "down D"},
         1,
         0,
         {"record 4 16 0", "record 4 68 0", "record 5 16 0", "record 4 17 0", "record 5 17 0", "record 4 68 0"}},
        {"keys other than letters, shift and ctrl are not recorded", {"down 5", "up 5", "up A"}, 0, 0, {}},
    };
    for (const Case& c : cases) {
        TestScene& scene = GoTo(4);
        StartRecording(scene);
        Steps(scene, c.steps);
        EXPECT_EQ(scene.Button(0).presses, c.presses0) << c.name;
        EXPECT_EQ(scene.Button(1).presses, c.presses1) << c.name;
        EXPECT_EQ(scene.Button(0).releases, scene.Button(0).presses) << c.name;
        EXPECT_EQ(Recorded(), c.recorded) << c.name;
        view_->Session()->StopAll();
        GoTo(0);  // a fresh scene, fresh bindings
    }
}

TEST_F(SceneBaseTest, TriggeringLightsThePlaysAndWaitsAHundredMilliseconds) {
    TestScene& scene = GoTo(3);
    Steps(scene, {"point 1", "down shift", "down K", "up shift"});
    const uint32_t before = shell_->headless.clock.NowMs();
    Steps(scene, {"down K"});
    EXPECT_GE(uint32_t(shell_->headless.clock.NowMs() - before), 100u);
    EXPECT_EQ(scene.Button(1).presses, 1);
    EXPECT_EQ(scene.Button(1).releases, 1);
    ASSERT_TRUE(scene.BoundId('K').has_value());
    EXPECT_EQ(*scene.BoundId('K'), 200);

    // A binding whose hot-spot has gone triggers nothing.
    scene.m_pLastHotspot = scene.m_pHoverHotspot = nullptr;
    scene.m_hotspots.clear();
    Steps(scene, {"down K"});
    EXPECT_FALSE(scene.IsRecorderBusy());
}

TEST_F(SceneBaseTest, TheHelpKeyGoesToTheHubsHelpUnlessTheRecorderIsBusy) {
    struct Case {
        const char* name;
        int scene;
        bool recording;
        std::vector<std::string> steps;
        int sceneAfter;
        bool helpShown;
        bool refused;
    } cases[] = {
        {"help key in a world", 4, false, {"down help"}, 0, true, false},
        {"ctrl+H in a world", 1, false, {"down ctrl", "down H", "up ctrl"}, 0, true, false},
        {"help key in the hub", 0, false, {"down help"}, 0, true, false},
        {"help key while recording", 5, true, {"down help"}, 5, false, true},
        {"ctrl+H while recording in the hub", 0, true, {"down ctrl", "down H", "up ctrl"}, 0, false, true},
    };
    for (const Case& c : cases) {
        TestScene& scene = GoTo(c.scene);
        if (c.recording) StartRecording(scene);
        Pass(500);
        const size_t traced = shell_->Traced("play 30").size();
        Steps(scene, c.steps);
        shell_->Run();
        EXPECT_EQ(view_->Scene()->m_nScene, c.sceneAfter) << c.name;
        bool helpShown = std::find(log_.begin(), log_.end(), "help") != log_.end() || view_->m_bReturnToCenter == 1;
        EXPECT_EQ(helpShown, c.helpShown) << c.name;
        EXPECT_EQ(shell_->Traced("play 30").size() - traced, c.refused ? 1u : 0u) << c.name;
        if (c.recording) view_->Session()->StopAll();
        view_->m_bReturnToCenter = 0;
    }
}

TEST_F(SceneBaseTest, ShiftOneTogglesMute) {
    TestScene& scene = GoTo(2);
    CSoundEngine& engine = *view_->Engine();
    ASSERT_EQ(engine.VolumeLevel(), 1);
    Steps(scene, {"down 1"});
    EXPECT_EQ(engine.VolumeLevel(), 1) << "1 without shift is nothing";
    Steps(scene, {"down shift", "down 1"});
    EXPECT_EQ(engine.VolumeLevel(), CSoundEngine::kMuted);
    Steps(scene, {"down 1", "up shift"});
    EXPECT_EQ(engine.VolumeLevel(), 1);
}

TEST_F(SceneBaseTest, CtrlLettersRunTheSessionCommands) {
    TestScene& scene = GoTo(1);
    plat::WindowSystem& windows = shell_->Windows();
    AnswersOnly script;
    windows.SetScript(&script);

    windows.QueueFileAnswer(std::nullopt);
    Steps(scene, {"down ctrl", "down O"});
    EXPECT_EQ(shell_->Traced("play 10").size(), 1u) << "cancelled open plays the cancel sound";

    Pass(500);
    windows.QueueFileAnswer(std::nullopt);
    Steps(scene, {"down S"});
    EXPECT_EQ(shell_->Traced("play 10").size(), 2u) << "cancelled save plays the cancel sound";

    const CSession* before = view_->Session();
    view_->SessionEdit().SetText("Old");
    Steps(scene, {"down N"});
    EXPECT_NE(view_->Session(), before);
    EXPECT_EQ(view_->SessionEdit().GetText(), "New Session");

    EXPECT_FALSE(windows.QuitPosted());
    Steps(scene, {"down Q", "up ctrl"});
    EXPECT_TRUE(windows.QuitPosted());
    windows.SetScript(nullptr);
}

TEST_F(SceneBaseTest, TabTogglesThePaletteButNeverClosesItWhileRecording) {
    TestScene& scene = GoTo(4);
    Steps(scene, {"up tab"});
    ASSERT_NE(scene.Palette(), nullptr);
    EXPECT_EQ(log_, (Log{"palette open"}));
    EXPECT_EQ(shell_->Traced("play 82").size(), 1u);

    view_->Session()->StartRecording(2);
    Steps(scene, {"up tab"});
    EXPECT_NE(scene.Palette(), nullptr) << "closing refused while recording";

    view_->Session()->StopRecording();
    Steps(scene, {"up tab"});
    EXPECT_EQ(scene.Palette(), nullptr);
    EXPECT_EQ(log_, (Log{"palette open", "palette closed"}));

    view_->SetPaletteFactory(FakePalettes(log_, false));
    Steps(scene, {"up tab"});
    EXPECT_EQ(scene.Palette(), nullptr) << "a palette whose window fails is deleted at once";
}

TEST_F(SceneBaseTest, RecordingHooksReachThePaletteOnlyWhileRecording) {
    TestScene& scene = GoTo(5);
    scene.RecordRollover(1, 2);  // no palette
    scene.ToggleRecordPalette();
    log_.clear();
    scene.RecordClick(3, 4);  // palette open, not recording
    EXPECT_TRUE(Recorded().empty());
    EXPECT_FALSE(scene.IsRecorderBusy());

    view_->Session()->StartRecording(3);
    EXPECT_TRUE(scene.IsRecorderBusy());
    EXPECT_FALSE(scene.IsPlayingBack());
    scene.RecordRollover(10, 11);
    scene.RecordPress(12, 13);
    scene.RecordClick(14, 15);
    scene.RecordKeyDown(65);
    scene.RecordKeyUp(65);
    EXPECT_EQ(Recorded(), (std::vector<std::string>{"record 1 10 11", "record 2 12 13", "record 3 14 15",
                                                    "record 4 65 0", "record 5 65 0"}));
    view_->Session()->StopAll();
}

TEST_F(SceneBaseTest, HitTestTakesTheFirstHotspotAndNeverLeftOfOrAboveTheStage) {
    TestScene& scene = GoTo(4);
    // A hot-spot reaching out of the stage on the left and top, and one
    // overlapping hot-spot 100 later in the list.
    scene.m_hotspots.push_back(std::make_unique<TestButton>(-10, -10, 15, 15, 300));
    scene.m_hotspots.push_back(std::make_unique<TestButton>(15, 15, 30, 30, 400));
    const StageOrigin o = TheStageOrigin();
    ASSERT_EQ(o.x, 16);  // (640 - 608) / 2
    ASSERT_EQ(o.y, 12);  // (480 - 456) / 2
    struct Case {
        int x, y;  // stage coordinates
        int id;    // 0 = no hot-spot
    } cases[] = {
        {10, 10, 100}, {29, 29, 100}, {30, 30, 400},  {120, 120, 200}, {99, 99, 0},
        {2, 2, 300},   {-2, 2, 0},    {2, -2, 0},     {-1, -1, 0},     {20, 20, 100},
    };
    for (const Case& c : cases) {
        CDIBButton* h = scene.HitTest(o.x + c.x, o.y + c.y);
        EXPECT_EQ(h != nullptr ? h->m_nId : 0, c.id) << c.x << "," << c.y;
    }
    EXPECT_EQ(scene.FindHotspot(400), scene.m_hotspots.back().get());
    EXPECT_EQ(scene.FindHotspot(7), nullptr);
}

TEST_F(SceneBaseTest, WaitCursorAlternatesBetweenTheTwoBusyPictures) {
    TestScene& scene = GoTo(3);
    view_->SetCursorKind(1);
    scene.ToggleWaitCursor();
    EXPECT_EQ(view_->CursorKind(), 4);
    scene.ToggleWaitCursor();
    EXPECT_EQ(view_->CursorKind(), 5);
    scene.ToggleWaitCursor();
    EXPECT_EQ(view_->CursorKind(), 4);
}

}  // namespace
}  // namespace shelltest
