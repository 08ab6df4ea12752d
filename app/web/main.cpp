// The plinkpad program of the browser page: joins the core to the web
// backend. The page passes the options in its address as the command line
// (platform/web/page/page.js: "?seed=7&trace=/tmp/plinkpad.trace"); a
// session link in it ("#s=...") is opened as a session file named on the
// command line is, and the page's share button gets the link of the session
// in use (page/share-link.js).

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainFrame.h"
#include "app/Options.h"
#include "app/PlinkpadApp.h"
#include "app/PlinkpadView.h"
#include "graphics/Cursors.h"
#include "platform/Host.h"
#include "platform/Trace.h"
#include "platform/fs/HostPath.h"
#include "platform/gdi/Display.h"
#include "platform/web/ArrivingFiles.h"
#include "platform/web/WebBackend.h"
#include "platform/web/WebClock.h"
#include "platform/web/WebShareLink.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"
#include "recording/link/SessionLink.h"
#include "scenes/Scene.h"

namespace {

constexpr int kUsageExit = 2;
constexpr int kRefusedExit = 1;
constexpr int kBusyCursor = 4;  // the cursor a scene shows while it loads

// Where the session of a link in the page's address is put for Open; its
// name is the one the session box shows.
constexpr const char* kLinkedSessionPath = "/tmp/Shared Session.sts";

// The file of the session that the page's address links to, to open once
// the hub is up; empty when the address holds no link. A damaged link
// gives an empty file, which Open refuses with its message.
std::string LinkedSessionFile() {
    const std::string address = plat::WebPageAddress();
    const std::optional<std::string_view> text = SessionLinkText(address);
    if (!text) return {};
    std::vector<uint8_t> bytes;
    std::string error;
    if (!DecodeSessionLink(*text, bytes, error)) std::fprintf(stderr, "plinkpad: the session link: %s\n", error.c_str());
    std::ofstream(kLinkedSessionPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return kLinkedSessionPath;
}

const CSession* SessionInUse(const CPlinkpadApp& app) {
    const CMainFrame* frame = app.MainFrame();
    const CPlinkpadView* view = frame != nullptr ? frame->View() : nullptr;
    return view != nullptr ? view->Session() : nullptr;
}

// The link to the session in use, saved or not (the bytes a save would
// write now), after the page's own address; empty when there is none.
std::string SessionLinkOf(const CPlinkpadApp& app) {
    const CSession* session = SessionInUse(app);
    if (session == nullptr) return {};
    std::string text, error;
    if (!EncodeSessionLink(session->Encode(), text, error)) {
        std::fprintf(stderr, "plinkpad: no link to the session: %s\n", error.c_str());
        return {};
    }
    return SessionLinkAddress(plat::WebPageAddress(), text);
}

int Run(const AppOptions& o) {
    plat::WebOptions wo;
    wo.desktopWidth = o.screenWidth;
    wo.desktopHeight = o.screenHeight;
    plat::WebBackend backend(wo);
    plat::WebClock clock;
    plat::Display display(o.screenWidth, o.screenHeight, o.depth);
    std::optional<plat::Trace> trace;
    if (!o.tracePath.empty()) trace.emplace(clock, o.tracePath);
    plat::WindowSystem windows(backend, display, clock, trace ? &*trace : nullptr);
    // The page's file system holds the home folder as an installed program
    // has it: the settings file, and the disc in it. The page's package
    // holds files only, so the disc's empty marker folder is made here.
    std::error_code ec;
    std::filesystem::create_directories(PLINKPAD_WEB_HOME "/disc/Directx/Drivers", ec);
    plat::HostPath disc(plat::HostPath::DefaultCandidates(PLINKPAD_WEB_HOME "/disc"));
    // While a file is on its way the screen shows the busy cursor.
    const plat::Cursor* shown = nullptr;
    plat::ArrivingFiles files(disc, [&windows, &shown](bool waiting) {
        if (waiting) {
            shown = windows.GetCursor();
            windows.SetCursor(&AppCursor(kBusyCursor));
            windows.Present();
        } else {
            windows.SetCursor(shown);
        }
    });
    plat::Host host = plat::Host::Of(windows, files);
    plat::SetHost(&host);
    int status = kRefusedExit;
    {
        CPlinkpadApp app(PLINKPAD_WEB_HOME);
        // The page fetches the rest of the files once the hub is up.
        backend.OnIdle([&app, told = -1]() mutable {
            const CMainFrame* frame = app.MainFrame();
            const CScene* scene = frame != nullptr && frame->View() != nullptr ? frame->View()->Scene() : nullptr;
            if (scene == nullptr || scene->m_bNotReady || scene->SceneNumber() == told) return;
            told = scene->SceneNumber();
            plat::WebBackend::SceneShown(told);
        });
        app.m_nAudioBufferFrames = o.audioBufferFrames;
        app.m_nAudioRate = o.sampleRate;
        app.m_nRandomSeed = o.seed;
        // A session with changes not saved: the page asks before it goes, as
        // New and Quit do.
        backend.AskBeforeLeaving([&app] {
            const CSession* session = SessionInUse(app);
            return session != nullptr && session->IsModified();
        });
        if (app.InitInstance(windows)) {
            if (const std::string linked = LinkedSessionFile(); !linked.empty())
                app.MainFrame()->View()->OpenOnceHubIsUp(linked);
            plat::OfferShareLink([&app] { return SessionLinkOf(app); });
            status = windows.Run();
            plat::OfferShareLink(nullptr);
        }
        backend.AskBeforeLeaving(nullptr);
        backend.OnIdle(nullptr);
    }
    plat::SetHost(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    const AppOptions& o = parsed.options;
    if (parsed.error.empty() && (o.help || o.headless || o.windowed || o.drives || !o.scriptPath.empty() ||
                                 !o.audioOutPath.empty() || !o.renderSession.empty()))
        parsed.error = "the page takes no --help, --headless, --windowed, --drives, --script, --audio-out or --render";
    int status = kUsageExit;
    if (parsed.error.empty()) {
        status = Run(o);
    } else {
        std::fprintf(stderr, "plinkpad: %s\n", parsed.error.c_str());
    }
    plat::WebBackend::Ended(status);
    return status;
}
