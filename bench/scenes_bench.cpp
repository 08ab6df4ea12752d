// Entering the hub: from the switch (the engine's scene sounds dropped, the
// hub constructed) through its background, hot-spots, menu panel, sounds and
// loops to the first full paint of the stage. The hub's own waits and
// animations (the intro) are left out; BM_HubSwitchWithIntro measures the
// whole switch through the view, intro included, with waits costing nothing.
// BM_WorldSwitchWithIntro does the same for a world (its scene number the
// argument): background, hot-spots, bar, sounds, loops and its intro.
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

void BM_HubEnterToFirstPaint(benchmark::State& state) {
    Program program;
    CPlinkpadView& view = program.View();
    for (auto _ : state) {
        view.Engine()->Clear();
        auto hub = std::make_unique<CCenterScene>(&view);
        plat::DeviceContext dc = view.GetDC();
        hub->Enter(dc);
        hub->LoadContents();
        hub->Paint(dc);
        benchmark::DoNotOptimize(hub->m_hotspots.size());
        state.PauseTiming();
        hub.reset();
        program.headless.windows.DispatchAll();  // the ready message finds no scene
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HubEnterToFirstPaint)->Unit(benchmark::kMillisecond);

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

void BM_WorldSwitchWithIntro(benchmark::State& state) {
    Program program;
    CPlinkpadView& view = program.View();
    view.SetSceneFactory(MakeScene);
    const int world = static_cast<int>(state.range(0));
    for (auto _ : state) {
        view.Post(kSwitchScene, static_cast<uintptr_t>(world));
        program.headless.windows.DispatchAll();
    }
    if (view.Scene() == nullptr || view.Scene()->m_nScene != world || view.Scene()->m_bNotReady)
        state.SkipWithError("the world was not entered");
}
BENCHMARK(BM_WorldSwitchWithIntro)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
