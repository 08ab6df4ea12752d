// The scenes and the Record/Play palette on a stage view of the test's own,
// with no application object: this program links the scenes' library and
// what lies below it, nothing of app/. A world takes its folders from its
// host, loads from the generated disc, lights a hot-spot, opens its palette,
// records into the host's session and runs the host's commands.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/SoundEngine.h"
#include "audio/SoundTimers.h"
#include "graphics/DIBButton.h"
#include "platform/fs/HostPath.h"
#include "platform/headless/HeadlessHost.h"
#include "platform/window/EditControl.h"
#include "platform/window/Keys.h"
#include "recording/RecordPalette.h"
#include "recording/Session.h"
#include "scenes/SceneHost.h"
#include "scenes/center/CenterScene.h"
#include "scenes/day/DayScene.h"
#include "scenes/gama/GamaScene.h"
#include "scenes/kbot/KBotScene.h"
#include "scenes/star/StarScene.h"
#include "scenes/troid/TroidScene.h"

namespace {

class StubView final : public SceneHost, public SoundTimers {
public:
    explicit StubView(plat::WindowSystem& windows) : SceneHost(windows), m_edit(windows, plat::EditStyle{}) {
        m_engine.SetTimerTarget(this);
        plat::WindowParams params;
        params.rect = plat::Rect::FromSize(0, 0, 640, 480);
        Create(params);
    }
    ~StubView() override { Destroy(); }

    CSession* Session() const override { return m_session.get(); }
    CSoundEngine* Engine() const override { return const_cast<CSoundEngine*>(&m_engine); }
    void SetCursorKind(int kind) override {
        m_nCursor = kind;
        log.push_back("cursor " + std::to_string(kind));
    }
    int CursorKind() const override { return m_nCursor; }
    int ShowRecordHelp(const std::string&) override { return Logged("record help"); }
    const std::string& CDDrive() const override { return m_drive; }
    const std::string& HomeDir() const override { return m_home; }
    const std::string& AudioDir() const override { return m_audio; }
    plat::EditControl& SessionEdit() override { return m_edit; }
    std::unique_ptr<ScenePalette> MakeRecordPalette(CScene& scene) override {
        log.push_back("make palette");
        return NewRecordPalette(*this, scene);
    }
    int NewSession() override { return Logged("new"); }
    int OpenSession() override { return Logged("open"); }
    int SaveSession() override { return Logged("save"); }
    int QuitProgram() override { return Logged("quit"); }
    void ShowAbout() override { Logged("about"); }
    void SetSoundTimer(int id, uint32_t periodMs) override { SetTimer(id, periodMs); }

    std::vector<std::string> log;

private:
    int Logged(const std::string& what) {
        log.push_back(what);
        return 1;
    }

    CSoundEngine m_engine{1};
    std::unique_ptr<CSession> m_session = std::make_unique<CSession>(nullptr, nullptr, nullptr, [] { return 0; });
    plat::EditControl m_edit;
    int m_nCursor = 0;
    std::string m_drive = "c";
    std::string m_home = "/no/such/home";
    std::string m_audio = "\\";
};

class SceneHostTest : public ::testing::Test {
protected:
    SceneHostTest() {
        h.host.files = &files;
        h.host.display = &h.display;
    }
    // Whether a trace line (without its time) starts with `head`.
    bool Traced(const std::string& head) const {
        const auto& lines = h.trace.Lines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.compare(line.find(' ') + 1, head.size(), head) == 0;
        });
    }

    plat::HeadlessHost h;
    plat::HostPath files{{PLINKPAD_DISC_DIR}};
    StubView view{h.windows};
};

TEST_F(SceneHostTest, EveryScenesFoldersComeFromItsHost) {
    const std::vector<std::function<std::unique_ptr<CScene>(SceneHost*)>> scenes = {
        [](SceneHost* v) { return std::make_unique<CCenterScene>(v); },
        [](SceneHost* v) { return std::make_unique<CStarScene>(v); },
        [](SceneHost* v) { return std::make_unique<CDayScene>(v); },
        [](SceneHost* v) { return std::make_unique<CKBotScene>(v); },
        [](SceneHost* v) { return std::make_unique<CTroidScene>(v); },
        [](SceneHost* v) { return std::make_unique<CGamaScene>(v); },
    };
    for (const auto& make : scenes) {
        std::unique_ptr<CScene> scene = make(&view);
        SCOPED_TRACE("scene " + std::to_string(scene->m_nScene));
        for (const std::string* disc : {&scene->m_strDiscImageDir, &scene->m_strDiscMaskDir, &scene->m_strDiscAudioDir})
            EXPECT_EQ(disc->rfind("c:\\plinkpad\\Assets\\", 0), 0u) << *disc;
        for (const std::string* home : {&scene->m_strHomeImageDir, &scene->m_strHomeMaskDir, &scene->m_strHomeAudioDir})
            EXPECT_EQ(home->rfind("/no/such/home\\Assets\\", 0), 0u) << *home;
        EXPECT_EQ(scene->m_strDiscAudioDir.back(), '\\');
        CRecordPalette palette(view, *scene);
        EXPECT_EQ(palette.DiscImageDir().rfind("c:\\plinkpad\\", 0), 0u) << palette.DiscImageDir();
    }
}

TEST_F(SceneHostTest, AWorldRunsOnItsHostAlone) {
    ASSERT_TRUE(view.Engine()->Create());
    CTroidScene troid(&view);
    plat::DeviceContext dc = view.GetDC();
    troid.Enter(dc);
    troid.LoadContents();
    ASSERT_FALSE(troid.m_hotspots.empty());
    EXPECT_FALSE(Traced("message")) << "a picture or sound of the host's disc was missing";

    // A point the first hot-spot takes.
    CDIBButton* spot = troid.m_hotspots.front().get();
    plat::Point at{-1, -1};
    for (int y = spot->m_rect.top; y < spot->m_rect.bottom && at.x < 0; ++y)
        for (int x = spot->m_rect.left; x < spot->m_rect.right && at.x < 0; ++x)
            if (troid.HitTest(x, y) == spot) at = {x, y};
    ASSERT_GE(at.x, 0);
    troid.OnMouseMove(at.x, at.y);
    EXPECT_TRUE(Traced("spot lit " + std::to_string(spot->m_nId)));
    EXPECT_GE(view.CursorKind(), 2);

    // The palette comes from the host and records into the host's session.
    troid.ToggleRecordPalette();
    ASSERT_NE(troid.Palette(), nullptr);
    h.windows.DispatchAll();
    view.Session()->StartRecording(1);
    troid.OnMouseMove(0, 0);
    troid.OnMouseMove(at.x, at.y);
    view.Session()->StopRecording();
    const SessionCut* cut = view.Session()->GetCut(0);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->world, 4);
    ASSERT_EQ(cut->events.size(), 2u);
    EXPECT_EQ(cut->events[1].kind, 1);
    EXPECT_EQ(cut->events[1].a, at.x);
    EXPECT_EQ(cut->events[1].b, at.y);
    troid.OnKeyUp(plat::vk::kTab, 0);
    EXPECT_EQ(troid.Palette(), nullptr);

    // The scene's keys run the host's commands.
    troid.OnKeyDown(plat::vk::kControl, 0);
    for (int key : {'N', 'O', 'S', 'Q'}) troid.OnKeyDown(key, 0);
    troid.OnKeyUp(plat::vk::kControl, 0);
    const std::vector<std::string> commands = {"new", "open", "save", "quit"};
    std::vector<std::string> ran;
    for (const std::string& line : view.log)
        if (std::find(commands.begin(), commands.end(), line) != commands.end()) ran.push_back(line);
    EXPECT_EQ(ran, commands);
    EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "make palette"), 1);
}

}  // namespace
