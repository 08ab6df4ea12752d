// Entering a scene: from the switch (the engine's scene sounds dropped, the
// scene constructed) through its background, hot-spots, sounds and loops to
// the first full paint of the stage. The scenes' own waits and animations
// (their intros) are left out. BM_HubSwitchWithIntro measures the hub's whole
// switch through the view, intro included, with waits costing nothing; a
// world (BM_WorldSwitch, the scene number its argument) the same way: from
// the old scene's deletion through background, hot-spots, navigation bar,
// sounds, loops and the intro sweep to the first full paint. Gama has no
// intro: its LoadHotspots is all of its loading.
// Reads the generated disc (PLINKPAD_DRIVES overrides it).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/MainFrame.h"
#include "app/PlinkpadApp.h"
#include "app/PlinkpadView.h"
#include "app/SceneTable.h"
#include "audio/SoundEngine.h"
#include "platform/fs/HostPath.h"
#include "platform/headless/HeadlessHost.h"
#include "scenes/center/CenterScene.h"
#include "scenes/gama/GamaScene.h"
#include "scenes/troid/TroidScene.h"

namespace {

namespace fs = std::filesystem;

// The program up to the end of its start-up splash, with no scene.
struct Program {
    Program() : files(Drives()) {
        headless.host.files = &files;
        headless.host.display = &headless.display;
        const fs::path home = fs::temp_directory_path() / "plinkpad-bench-home";
        fs::create_directories(home);
        std::error_code ec;
        const fs::path before = fs::current_path(ec);
        fs::current_path(home, ec);
        app = std::make_unique<CPlinkpadApp>();
        fs::current_path(before, ec);
        app->FindAssetDisc();
        app->ReadSettings();
        frame = std::make_unique<CMainFrame>(headless.windows);
        frame->CreateFrame();
        View().SetSceneFactory([](CPlinkpadView&, int) { return nullptr; });
        headless.windows.DispatchAll();  // the splash: engine, general sounds, cursors
    }
    static std::vector<fs::path> Drives() {
        if (const char* env = std::getenv("PLINKPAD_DRIVES"); env != nullptr && *env != '\0')
            return plat::HostPath::ParseList(env);
        return {PLINKPAD_DISC_DIR};
    }
    CPlinkpadView& View() { return *frame->View(); }

    plat::HeadlessHost headless;
    plat::HostPath files;
    std::unique_ptr<CPlinkpadApp> app;
    std::unique_ptr<CMainFrame> frame;
};

// One scene entered and painted, `Load` building its contents (without the
// waits of an intro).
template <class Scene, auto Load>
void BM_EnterToFirstPaint(benchmark::State& state) {
    Program program;
    CPlinkpadView& view = program.View();
    for (auto _ : state) {
        view.Engine()->Clear();
        auto scene = std::make_unique<Scene>(&view);
        plat::DeviceContext dc = view.GetDC();
        scene->Enter(dc);
        ((*scene).*Load)();
        scene->Paint(dc);
        benchmark::DoNotOptimize(scene->m_hotspots.size());
        state.PauseTiming();
        scene.reset();
        program.headless.windows.DispatchAll();  // the ready message finds no scene
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnterToFirstPaint<CCenterScene, &CCenterScene::LoadContents>)
    ->Name("BM_HubEnterToFirstPaint")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterToFirstPaint<CTroidScene, &CTroidScene::LoadContents>)
    ->Name("BM_TroidEnterToFirstPaint")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterToFirstPaint<CGamaScene, &CGamaScene::LoadHotspots>)
    ->Name("BM_GamaEnterToFirstPaint")
    ->Unit(benchmark::kMillisecond);

void BM_HubSwitchWithIntro(benchmark::State& state) {
    Program program;
    CPlinkpadView& view = program.View();
    view.SetSceneFactory(MakeScene);
    for (auto _ : state) {
        view.Post(kSwitchScene, 0);
        program.headless.windows.DispatchAll();
    }
    if (view.Scene() == nullptr || view.Scene()->m_bNotReady) state.SkipWithError("the hub was not entered");
}
BENCHMARK(BM_HubSwitchWithIntro)->Unit(benchmark::kMillisecond);

void BM_WorldSwitch(benchmark::State& state) {
    const int world = static_cast<int>(state.range(0));
    Program program;
    CPlinkpadView& view = program.View();
    view.SetSceneFactory(MakeScene);
    for (auto _ : state) {
        view.Post(kSwitchScene, world);
        program.headless.windows.DispatchAll();
    }
    const CScene* scene = view.Scene();
    if (scene == nullptr || scene->m_nScene != world || scene->m_bNotReady)
        state.SkipWithError("the world was not entered");
}
BENCHMARK(BM_WorldSwitch)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace
