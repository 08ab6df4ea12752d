#pragma once
// The Record/Play palette inside the real application object, frame and stage
// view, on a headless host, with a plain test scene and a small generated
// disc (palette skins of every world, masks, palette and general sounds).
// Tests drive it with script text, exactly as a scripted run of the program
// does, and then look at the session, the palette and the trace.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlinkpadApp.h"
#include "app/PlinkpadView.h"
#include "graphics/BmpWriter.h"
#include "platform/fs/HostPath.h"
#include "platform/headless/HeadlessHost.h"
#include "platform/headless/WavWriter.h"
#include "platform/script/ScriptRunner.h"
#include "recording/RecordPalette.h"
#include "recording/Session.h"
#include "scenes/Scene.h"

namespace palettetest {

namespace fs = std::filesystem;

// Colours of the test skin (palette indices of every picture).
inline const std::vector<plat::Rgb> kColours = {
    {0, 0, 0}, {255, 255, 255}, {128, 128, 128}, {220, 30, 30}, {30, 200, 30}, {30, 30, 220}, {240, 220, 20},
    {0, 255, 255},
};
enum : uint8_t { kBlack, kWhite, kGrey, kRed, kGreen, kBlue, kYellow, kKey };

inline void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A w x h picture of one colour; with `keyLeft`, its left half is the key
// colour (transparent), with `blackLeft`/`blackRight` a mask of that half.
inline void WritePicture(const fs::path& p, int w, int h, uint8_t colour) {
    gfx::IndexedImage image{w, h, std::vector<uint8_t>(size_t(w) * size_t(h), colour), kColours};
    WriteBytes(p, gfx::EncodeBmp8(image));
}
inline void WriteMask(const fs::path& p, int w, int h, int blackFrom = 0, int blackTo = -1) {
    if (blackTo < 0) blackTo = w;
    gfx::IndexedImage image{w, h, {}, kColours};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.pixels.push_back(x >= blackFrom && x < blackTo ? kBlack : kWhite);
    WriteBytes(p, gfx::EncodeBmp8(image));
}
inline void WriteSilence(const fs::path& p, int ms) {
    fs::create_directories(p.parent_path());
    plat::WavWriter wav(p.string(), 22050);
    std::vector<int16_t> silence(size_t(2 * 22050 * ms / 1000), 0);
    wav.Write(silence.data(), 22050 * ms / 1000);
}

// The palette's geometry on this disc, in the palette's client coordinates:
// Record and Play share a 40 x 30 disc at (32, 26), Record the left half;
// track buttons are 14 x 14, pads 30 x 22, compact lights 9 x 9 with a
// 10 x 10 mask, Stop 30 x 20.
struct WorldFolder {
    const char* folder;
    const char* prefix;
    const char* full;
    const char* compact;
};
inline const WorldFolder kWorldFolders[] = {
    {"center/recpal", "Ce", "Cepaback.bmp", "Cebkgd2.bmp"}, {"star/recpal", "St", "Stpaback.bmp", "Stbkgd2.bmp"},
    {"day/recpal", "Da", "Dabkgdbw.bmp", "Dabkgd2.bmp"},     {"kbot/recpal", "Kb", "Kbpaback.bmp", "Kbbkgd2.bmp"},
    {"troid/recpal", "tr", "trbkgrnd.bmp", "trbkgd2.bmp"},  {"GAMA/recpal", "Ga", "Gabkgdbw.bmp", "Gabkgd2.bmp"},
};

inline void MakePaletteDisc(const fs::path& drive) {
    fs::create_directories(drive / "Directx" / "Drivers");
    const fs::path assets = drive / "plinkpad" / "assets";
    WritePicture(assets / "all" / "heronix.bmp", 16, 16, kBlack);
    for (const char* name : {"Warning.wav", "Save.wav", "Nonono.wav", "Cancel.wav", "Close.wav", "Navup.wav",
                             "Nav_c.wav", "Recup.wav", "Rec_c.wav", "Zz_c.wav"})
        WriteSilence(assets / "all" / "Gen_wavs" / name, 50);
    for (const char* name : {"Restop_c.wav", "Rerec_c.wav", "Recone_c.wav", "Resmall.wav", "Rerolovr.wav",
                             "Replay_c.wav", "Rebutt_c.wav"})
        WriteSilence(assets / "all" / "Rec_wavs" / name, 50);
    for (const WorldFolder& w : kWorldFolders) {
        const fs::path dir = assets / w.folder;
        const std::string p = w.prefix;
        WritePicture(dir / w.full, 120, 148, kGrey);
        WritePicture(dir / w.compact, 120, 35, kGrey);
        WritePicture(dir / (p + "p01up.bmp"), 20, 30, kRed);
        WritePicture(dir / (p + "p02up.bmp"), 40, 30, kGreen);
        WritePicture(dir / (p + "p11up.bmp"), 10, 10, kGreen);
        WritePicture(dir / (p + "p12up.bmp"), 10, 10, kRed);
        for (int i = 3; i <= 8; ++i) WritePicture(dir / (p + "p0" + std::to_string(i) + "up.bmp"), 14, 14, kRed);
        WritePicture(dir / (p + "p09up.bmp"), 30, 20, kRed);
        WritePicture(dir / (p + "p10up.bmp"), 19, 11, kWhite);
        for (int i = 13; i <= 15; ++i) WritePicture(dir / (p + "p" + std::to_string(i) + "up.bmp"), 30, 22, kBlue);
        WritePicture(dir / (p + "p16up.bmp"), 9, 9, kYellow);
        WritePicture(dir / (p + "p17up.bmp"), 9, 9, kYellow);
        WritePicture(dir / (p + "rechp.bmp"), 374, 382, kBlue);
    }
    const fs::path masks = assets / "all" / "masks" / "RecPal";
    WriteMask(masks / "p01mk.bmp", 40, 30, 0, 20);
    WriteMask(masks / "p02mk.bmp", 40, 30, 20, 40);
    WriteMask(masks / "p03mk.bmp", 10, 10);
    for (int i = 4; i <= 8; ++i) WriteMask(masks / ("p0" + std::to_string(i) + "mk.bmp"), 14, 14);
    WriteMask(masks / "p09mk.bmp", 30, 20);
    WriteMask(masks / "p10mk.bmp", 19, 11);
    WriteMask(masks / "p13mk.bmp", 30, 22);
}

// A scene with no pictures: its "hot-spots" are the 100-pixel columns of the
// band 50 <= y < 350 of the view, right of x = 200. Entering or leaving one is a roll-over; clicks and
// keys are recorded as the worlds record them. Every input it handles is
// logged with the time, in a log that outlives the scene.
struct SceneLog {
    std::vector<std::string> lines;
    std::vector<uint32_t> times;
};

class ColumnScene final : public CScene {
public:
    ColumnScene(CPlinkpadView& view, int number, SceneLog& log) : CScene(&view), log_(log) { m_nScene = number; }
    void Enter(plat::DeviceContext&) override { m_pView->Post(kSceneReady); }
    // The first scene is shown by the view's first paint, through its cover.
    void DrawCover(plat::DeviceContext&) override { m_pView->Post(kSceneReady); }
    int LoadHotspots() override {
        m_bNotReady = 0;
        // The view holds the pointer on the hub's start control until the hub lets it go.
        m_pView->System().ClipCursor(nullptr);
        return 1;
    }
    void OnMouseMove(int x, int y) override {
        const int column = x >= 200 && y >= 50 && y < 350 ? x / 100 : -1;
        if (column == column_) return;
        column_ = column;
        Log("move " + std::to_string(x) + "," + std::to_string(y));
        RecordRollover(x, y);
    }
    void OnLButtonDown(int x, int y) override {
        Log("down " + std::to_string(x) + "," + std::to_string(y));
        RecordPress(x, y);
    }
    void OnLButtonUp(int x, int y) override {
        Log("up " + std::to_string(x) + "," + std::to_string(y));
        RecordClick(x, y);
    }
    void OnKeyDown(int key, uint32_t flags) override {
        if (key >= 'A' && key <= 'Z' && !m_bCtrl) Log(std::string("key ") + char(key));
        CScene::OnKeyDown(key, flags);
    }

private:
    void Log(const std::string& line) {
        log_.lines.push_back("scene " + std::to_string(m_nScene) + " " + line);
        log_.times.push_back(m_pView->System().NowMs());
    }
    SceneLog& log_;
    int column_ = -1;
};

// Desktop points of the palette's controls while it is full at its first
// place (client origin (25, 50)) and while compact (client origin (5, 30)).
struct At {
    int x, y;
    std::string Str() const { return std::to_string(x) + " " + std::to_string(y); }
};
inline At FullPoint(int cx, int cy) { return {25 + cx, 50 + cy}; }
inline At CompactPoint(int cx, int cy) { return {5 + cx, 30 + cy}; }
inline const At kTrack[6] = {FullPoint(60, 15), FullPoint(78, 41), FullPoint(66, 67),
                             FullPoint(36, 66), FullPoint(17, 42), FullPoint(32, 14)};
inline const At kRecord = FullPoint(40, 40);
inline const At kPlay = FullPoint(62, 40);
inline const At kClearCut = FullPoint(20, 120);
inline const At kPlayAll = FullPoint(55, 120);
inline const At kHelp = FullPoint(90, 120);
inline const At kCutBox = FullPoint(50, 95);
inline At Volume(int level) { return FullPoint(98, 26 + 10 * (level - 1) + 5); }
inline const At kLight[6] = {CompactPoint(13, 9),  CompactPoint(24, 10), CompactPoint(34, 9),
                             CompactPoint(45, 10), CompactPoint(56, 9),  CompactPoint(66, 10)};
inline const At kStop = CompactPoint(90, 15);
// After a world switch the palette opens compact at (0, 0) and stays there
// when it turns full: client origin (5, 30).
inline At Corner(At full) { return {full.x - 20, full.y - 20}; }

class ProbingScript final : public plat::InputScript {
public:
    ProbingScript(plat::ScriptRunner& runner, std::function<void()> probe) : runner_(runner), probe_(std::move(probe)) {}
    bool Step(std::optional<uint32_t> nextTimerDue) override {
        if (probe_) probe_();
        return runner_.Step(nextTimerDue);
    }

private:
    plat::ScriptRunner& runner_;
    std::function<void()> probe_;
};

class PaletteRig {
public:
    PaletteRig() {
        dir_ = fs::temp_directory_path() / ("plinkpad-palette-" + std::to_string(std::random_device{}()));
        MakePaletteDisc(dir_ / "disc");
        saved_ = fs::current_path();
        fs::create_directories(dir_ / "home");
        fs::current_path(dir_ / "home");
        files_ = std::make_unique<plat::HostPath>(std::vector<fs::path>{dir_ / "disc"});
        host_.host.files = files_.get();
        host_.host.display = &host_.display;
        app_ = std::make_unique<CPlinkpadApp>();
        ok_ = app_->InitInstance(host_.windows);
        if (ok_) {
            View().SetSceneFactory([this](CPlinkpadView& view, int n) -> std::unique_ptr<CScene> {
                if (n < 0 || n > 5) return nullptr;
                return std::make_unique<ColumnScene>(view, n, log_);
            });
        }
    }
    ~PaletteRig() {
        // A failing test shows what the program did.
        if (::testing::Test::HasFailure()) {
            for (const std::string& line : host_.trace.Lines()) std::cerr << "  trace: " << line << "\n";
            for (size_t i = 0; i < log_.lines.size(); ++i)
                std::cerr << "  scene: " << log_.times[i] << " " << log_.lines[i] << "\n";
        }
        host_.windows.SetScript(nullptr);
        app_.reset();
        std::error_code ec;
        fs::current_path(saved_, ec);
        fs::remove_all(dir_, ec);
    }

    // Runs the program with script text, once: the loop ends with the
    // script, and everything stays alive for the test to look at. `probe`
    // runs whenever the script is asked for more (the program is idle), to
    // look at states that do not outlast the script (a modal dialog).
    void Run(const std::string& script, std::function<void()> probe = {}) {
        ASSERT_TRUE(ok_);
        plat::ScriptRunner runner(host_.windows, host_.clock);
        std::ostringstream err;
        ASSERT_TRUE(runner.LoadText(script, "test", err)) << err.str();
        ProbingScript probing(runner, std::move(probe));
        host_.windows.SetScript(&probing);
        host_.windows.Run();
        host_.windows.SetScript(nullptr);
    }

    CPlinkpadView& View() { return *app_->MainFrame()->View(); }
    CSession& Session() { return *View().Session(); }
    CRecordPalette* Palette() {
        CScene* scene = View().Scene();
        return scene != nullptr ? dynamic_cast<CRecordPalette*>(scene->Palette()) : nullptr;
    }
    // Trace lines without their times, from `from` on.
    std::vector<std::string> Trace(size_t from = 0) const {
        std::vector<std::string> out;
        const auto& lines = host_.trace.Lines();
        for (size_t i = from; i < lines.size(); ++i) out.push_back(lines[i].substr(lines[i].find(' ') + 1));
        return out;
    }
    size_t TraceSize() const { return host_.trace.Lines().size(); }
    // The trace lines that start with `head`, without their times.
    std::vector<std::string> TraceOf(const std::string& head, size_t from = 0) const {
        std::vector<std::string> out;
        for (const std::string& line : Trace(from))
            if (line.rfind(head, 0) == 0) out.push_back(line);
        return out;
    }
    SceneLog& Log() { return log_; }
    plat::HeadlessHost& Host() { return host_; }
    const fs::path& Dir() const { return dir_; }

private:
    fs::path dir_;
    fs::path saved_;
    plat::HeadlessHost host_;
    std::unique_ptr<plat::HostPath> files_;
    std::unique_ptr<CPlinkpadApp> app_;
    SceneLog log_;
    bool ok_ = false;
};

}  // namespace palettetest
