// The plinkpad program: joins the core to the SDL2 backend (people) or to the
// headless one (scripted runs and tests), then runs the application.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/Options.h"
#include "app/PlinkpadApp.h"
#include "app/PlinkpadView.h"
#include "app/monkey/Monkey.h"
#include "app/render/RenderCommand.h"
#include "platform/Clock.h"
#include "platform/Host.h"
#include "platform/Trace.h"
#include "platform/fs/HostPath.h"
#include "platform/gdi/Display.h"
#include "platform/headless/HeadlessHost.h"
#include "platform/script/ScriptRunner.h"
#include "platform/sdl/SdlBackend.h"
#include "platform/window/WindowSystem.h"

namespace {

constexpr int kUsageExit = 2;
constexpr int kRefusedExit = 1;

namespace fs = std::filesystem;

// Where the program's own files are, found from where the program itself is,
// so that a moved build folder or install prefix still works. In the build
// folder the generated disc lies beside the program and the home folder is
// the current directory. Installed, the home folder (settings file, installed
// pictures and sounds) is the share folder, and the disc lies in it.
struct OwnFiles {
    fs::path disc;
    std::optional<std::string> home;  // nullopt: the current directory
};

OwnFiles FindOwnFiles(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(argv0, ec);
    if (ec) return {};  // nowhere known: the drives decide
    const fs::path dir = exe.parent_path();
    if (fs::is_directory(dir / "disc", ec)) return {dir / "disc", std::nullopt};
    const fs::path share = (dir / PLINKPAD_SHARE_FROM_BIN).lexically_normal();
    if (fs::is_directory(share, ec)) return {share / "disc", share.string()};
    return {share / "disc", std::nullopt};  // no disc of its own: the drives decide
}

std::vector<fs::path> DriveList(const AppOptions& o, const fs::path& ownDisc) {
    if (o.drives) return plat::HostPath::ParseList(*o.drives);
    if (const char* env = std::getenv("PLINKPAD_DRIVES"); env != nullptr && *env != '\0')
        return plat::HostPath::ParseList(env);
    return plat::HostPath::DefaultCandidates(ownDisc);
}

// A path given on the command line, taken from the current directory, which
// the program's own paths do not climb out of.
std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.string();
}

// Runs the application on a ready window system, driven by `driver` (a
// script or the monkey) when given; the exit status.
int RunApp(plat::WindowSystem& windows, const AppOptions& o, const OwnFiles& own, plat::InputScript* driver) {
    windows.SetScript(driver);
    int status = 0;
    {
        CPlinkpadApp app = own.home ? CPlinkpadApp(*own.home) : CPlinkpadApp();
        app.m_nAudioBufferFrames = o.audioBufferFrames;
        app.m_nAudioRate = o.sampleRate;
        app.m_nRandomSeed = o.seed;
        if (app.InitInstance(windows)) {
            if (!o.sessionPath.empty()) app.MainFrame()->View()->OpenOnceHubIsUp(AbsolutePath(o.sessionPath));
            status = windows.Run();
        } else {
            status = kRefusedExit;
        }
    }
    windows.SetScript(nullptr);
    return status;
}

// Runs the application with the --script file, if any.
int RunScripted(plat::WindowSystem& windows, plat::Clock& clock, const AppOptions& o, const OwnFiles& own) {
    std::unique_ptr<plat::ScriptRunner> script;
    if (!o.scriptPath.empty()) {
        script = std::make_unique<plat::ScriptRunner>(windows, clock);
        if (!script->LoadFile(o.scriptPath, std::cerr)) return plat::ScriptRunner::kBadScriptExit;
    }
    int status = RunApp(windows, o, own, script.get());
    if (script && script->Failed() && status == 0) status = 1;
    return status;
}

int RunHeadless(AppOptions o, const OwnFiles& own, plat::HostPath& files) {
    plat::HeadlessHostOptions ho;
    ho.width = o.screenWidth;
    ho.height = o.screenHeight;
    ho.depth = o.depth;
    ho.tracePath = o.tracePath;
    ho.keepTraceLines = false;
    ho.backend.audioOutPath = o.audioOutPath;
    ho.backend.keepAudio = false;
    plat::HeadlessHost headless(ho);
    headless.host.files = &files;
    headless.host.display = &headless.display;
    if (o.monkeySeconds == 0) return RunScripted(headless.windows, headless.clock, o, own);
    o.seed = o.seed.value_or(1);
    monkey::Monkey m(headless.windows, headless.host,
                     {static_cast<uint32_t>(o.monkeySeconds), *o.seed, o.monkeyScriptPath});
    return m.Finish(RunApp(headless.windows, o, own, &m), std::cout);
}

int RunSdl(const AppOptions& o, const OwnFiles& own, plat::HostPath& files) {
    plat::SdlOptions so;
    so.desktopWidth = o.screenWidth;
    so.desktopHeight = o.screenHeight;
    so.windowed = o.windowed;
    plat::SdlBackend backend(so);
    if (backend.NoDisplay()) {
        std::fprintf(stderr, "%s\n", backend.Error().c_str());
        return kRefusedExit;
    }
    if (!backend.Ok()) {
        std::fprintf(stderr, "plinkpad: cannot open the screen: %s (try --headless)\n", backend.Error().c_str());
        return kRefusedExit;
    }
    plat::SteadyClock clock;
    plat::Display display(o.screenWidth, o.screenHeight, o.depth);
    std::optional<plat::Trace> trace;
    if (!o.tracePath.empty()) trace.emplace(clock, o.tracePath, false);
    plat::WindowSystem windows(backend, display, clock, trace ? &*trace : nullptr);
    plat::Host host = plat::Host::Of(windows, files);
    plat::SetHost(&host);
    int status = RunScripted(windows, clock, o, own);
    plat::SetHost(nullptr);
    return status;
}

int RunRender(const AppOptions& o, const OwnFiles& own, plat::HostPath& files) {
    RenderRequest r;
    r.homeDir = own.home;
    r.sessionPath = o.renderSession;
    r.outPath = o.renderOut;
    r.sampleRate = o.sampleRate;
    r.seed = o.seed.value_or(r.seed);
    r.screenWidth = o.screenWidth;
    r.screenHeight = o.screenHeight;
    r.depth = o.depth;
    r.scale = o.scale;
    r.tracePath = o.tracePath;
    r.progress = ::isatty(STDERR_FILENO) == 1;
    return RenderSession(r, files, stderr);
}

}  // namespace

int main(int argc, char** argv) {
    ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "plinkpad: %s\n%s", parsed.error.c_str(), OptionsUsage());
        return kUsageExit;
    }
    const AppOptions& o = parsed.options;
    if (o.help) {
        std::fputs(OptionsUsage(), stdout);
        return 0;
    }
    if (!o.renderSession.empty() &&
        (!o.scriptPath.empty() || !o.audioOutPath.empty() || o.windowed || !o.sessionPath.empty())) {
        std::fputs("plinkpad: --render runs the program itself: it takes no --script, --audio-out, --windowed or FILE.sts\n",
                   stderr);
        return kUsageExit;
    }
    if (!o.headless && !o.audioOutPath.empty()) {
        std::fputs("plinkpad: --audio-out works with --headless only\n", stderr);
        return kUsageExit;
    }
    const OwnFiles own = FindOwnFiles(argv[0]);
    plat::HostPath files(DriveList(o, own.disc));
    if (!o.renderSession.empty()) return RunRender(o, own, files);
    return o.headless ? RunHeadless(o, own, files) : RunSdl(o, own, files);
}
