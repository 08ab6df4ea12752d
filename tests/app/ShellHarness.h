#pragma once
// A headless host with drive directories, the application object and, on
// request, the frame and stage view with test scenes. Shared by the shell's
// and the scenes' tests.

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlinkpadApp.h"
#include "app/PlinkpadView.h"
#include "graphics/BmpWriter.h"
#include "platform/headless/WavWriter.h"
#include "platform/window/InputScript.h"
#include "platform/fs/HostPath.h"
#include "platform/headless/HeadlessHost.h"
#include "scenes/Scene.h"

namespace shelltest {

namespace fs = std::filesystem;

// A scratch folder removed at the end; the current directory is restored.
struct ScratchDir {
    ScratchDir() {
        path = fs::temp_directory_path() / ("plinkpad-shell-" + std::to_string(std::random_device{}()));
        fs::create_directories(path);
        saved = fs::current_path();
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::current_path(saved, ec);
        fs::remove_all(path, ec);
    }
    // A drive directory; with the marker folder when `disc`.
    fs::path Drive(const std::string& name, bool disc) const {
        fs::path d = path / name;
        fs::create_directories(disc ? d / "DirectX" / "drivers" : d);
        return d;
    }
    fs::path path;
    fs::path saved;
};

inline void WriteFile(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

// The start-up picture of a test disc: two colours, so a screen can be
// checked against them.
inline constexpr plat::Rgb kSplashTop{200, 40, 40};
inline constexpr plat::Rgb kSplashBottom{30, 60, 220};
inline constexpr int kSplashWidth = 64;
inline constexpr int kSplashHeight = 32;

// Puts what the shell reads from the disc into `drive`: the marker folder,
// the start-up picture and the general sounds (100 ms of silence each).
inline void MakeDisc(const fs::path& drive) {
    fs::create_directories(drive / "Directx" / "Drivers");
    fs::path all = drive / "plinkpad" / "assets" / "all";
    fs::create_directories(all / "Gen_wavs");
    gfx::IndexedImage image;
    image.width = kSplashWidth;
    image.height = kSplashHeight;
    image.palette = {kSplashTop, kSplashBottom};
    for (int y = 0; y < kSplashHeight; ++y)
        for (int x = 0; x < kSplashWidth; ++x) image.pixels.push_back(y < kSplashHeight / 2 ? 0 : 1);
    std::vector<uint8_t> bmp = gfx::EncodeBmp8(image);
    std::ofstream(all / "heronix.bmp", std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()),
                                                               static_cast<std::streamsize>(bmp.size()));
    for (const char* name : {"Warning.wav", "Save.wav", "Nonono.wav", "Cancel.wav", "Close.wav", "Navup.wav",
                             "Nav_c.wav", "Recup.wav", "Rec_c.wav", "Zz_c.wav"}) {
        plat::WavWriter wav((all / "Gen_wavs" / name).string(), 22050);
        std::vector<int16_t> silence(2 * 2205, 0);
        wav.Write(silence.data(), 2205);
    }
}

// Set as the window system's script, it makes message boxes and file dialogs
// take the queued answers (as in a scripted run) without feeding anything.
struct AnswersOnly final : plat::InputScript {
    bool Step(std::optional<uint32_t>) override { return false; }
};

inline plat::HeadlessHostOptions ScreenOptions(int depth = 8) {
    plat::HeadlessHostOptions o;
    o.depth = depth;
    o.startMs = 1000;
    return o;
}

// The host, files and application; the home directory is `home` (made current
// while the application object is constructed).
struct Shell {
    Shell(std::vector<fs::path> drives, const fs::path& home, int depth = 8)
        : headless(ScreenOptions(depth)), files(std::move(drives)) {
        headless.host.files = &files;
        headless.host.display = &headless.display;
        std::error_code ec;
        fs::path before = fs::current_path(ec);
        fs::current_path(home, ec);
        app = std::make_unique<CPlinkpadApp>();
        fs::current_path(before, ec);
    }

    // Starts the frame and view as the application would after its checks,
    // with `factory` making the scenes.
    CPlinkpadView& StartView(CPlinkpadView::SceneFactory factory) {
        frame = std::make_unique<CMainFrame>(headless.windows);
        if (!frame->CreateFrame()) throw std::runtime_error("frame not created");
        frame->View()->SetSceneFactory(std::move(factory));
        return *frame->View();
    }

    // Handles everything that is ready now (paints, posted messages, due timers).
    void Run() { headless.windows.DispatchAll(); }
    plat::WindowSystem& Windows() { return headless.windows; }

    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const std::string& line : headless.trace.Lines()) {
            size_t at = line.find(" message ");
            if (at != std::string::npos) out.push_back(line.substr(at + 9));
        }
        return out;
    }
    // Trace lines without their time stamps that start with `prefix`.
    std::vector<std::string> Traced(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& line : headless.trace.Lines()) {
            std::string text = line.substr(line.find(' ') + 1);
            if (text.rfind(prefix, 0) == 0) out.push_back(text);
        }
        return out;
    }

    plat::HeadlessHost headless;
    plat::HostPath files;
    std::unique_ptr<CPlinkpadApp> app;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace shelltest
