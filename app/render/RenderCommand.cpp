#include "app/render/RenderCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "app/PlinkpadApp.h"
#include "app/render/RenderCapture.h"
#include "app/render/RenderFile.h"
#include "app/render/RenderProgress.h"
#include "app/render/SessionRender.h"
#include "audio/SoundEngine.h"
#include "platform/fs/TempFile.h"
#include "platform/headless/HeadlessHost.h"
#include "recording/Session.h"
#include "recording/codec/SessionFile.h"

namespace {

namespace fs = std::filesystem;

// A render plays this much at most at the mixer's own rate, and less at
// higher rates, so that a WAV file stays well inside its 4 GiB (about 2 GiB
// of sound, with room for world switches and the ring-out). Cuts recorded by
// hand last minutes.
constexpr uint64_t kMaxPlayMs = 3ull * 60 * 60 * 1000;

uint64_t MaxPlayMs(int rate) {
    return kMaxPlayMs * CSoundEngine::kDefaultSampleRate / std::max(rate, CSoundEngine::kDefaultSampleRate);
}

volatile std::sig_atomic_t g_interrupted = 0;
void OnInterrupt(int) { g_interrupted = 1; }

// Ctrl+C and termination end the render cleanly instead of the process,
// while it lives.
class InterruptGuard {
public:
    InterruptGuard() {
        g_interrupted = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

// The temporary file goes away unless it was renamed into place.
class TempFileGuard {
public:
    explicit TempFileGuard(fs::path path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        std::error_code ec;
        if (!path_.empty()) fs::remove(path_, ec);
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void Keep() { path_.clear(); }

private:
    fs::path path_;
};

struct CutsSummary {
    bool playable = false;
    uint64_t playMs = 0;  // the waits between events, over every playable cut
    uint64_t events = 0;
};

CutsSummary Summarise(const SessionTracks& tracks) {
    CutsSummary s;
    for (const auto& cut : tracks) {
        if (!cut || !IsPlayableCut(*cut)) continue;
        s.playable = true;
        s.events += cut->events.size();
        for (size_t i = 1; i < cut->events.size(); ++i) s.playMs += EventGapMs(cut->events[i - 1], cut->events[i]);
    }
    return s;
}

std::string HoursMinutesSeconds(uint64_t ms) {
    const uint64_t s = ms / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", static_cast<unsigned long long>(s / 3600),
                  static_cast<unsigned long long>(s / 60 % 60), static_cast<unsigned long long>(s % 60));
    return text;
}

// The file's bytes reach the disk before it is renamed into place.
bool SyncFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

}  // namespace

int RenderSession(const RenderRequest& r, plat::FileSystem& files, std::FILE* err, RenderStats* stats) {
    auto fail = [err](const std::string& text, int status = kRenderFailed) {
        std::fprintf(err, "plinkpad: %s\n", text.c_str());
        return status;
    };
    if (const std::string problem = RenderFileProblem(r); !problem.empty()) return fail(problem);
    SessionTracks tracks;
    std::string reason;
    if (!LoadSessionFile(r.sessionPath, tracks, reason))
        return fail("Unable to load session! " + r.sessionPath + ": " + reason);
    const CutsSummary cuts = Summarise(tracks);
    if (!cuts.playable)
        return fail(r.sessionPath + ": no cut to play: every track is empty, or its cut has no events or an unknown world");
    const int rate = r.sampleRate > 0 ? r.sampleRate : CSoundEngine::kDefaultSampleRate;
    if (cuts.playMs > MaxPlayMs(rate))
        return fail(r.sessionPath + ": its cuts play for " + HoursMinutesSeconds(cuts.playMs) +
                    ", longer than a render may be (" + HoursMinutesSeconds(MaxPlayMs(rate)) + ")");

    // From before the temporary file is made, so that a signal never leaves it behind.
    InterruptGuard interrupts;
    std::error_code ec;
    if (fs::is_directory(r.outPath, ec)) return fail("cannot write " + r.outPath + ": it is a folder");
    fs::path temp;
    const int fd = plat::CreateTempBeside(r.outPath, temp);
    if (fd < 0) return fail("cannot write " + r.outPath + ": " + std::strerror(errno));
    ::close(fd);
    TempFileGuard tempGuard(temp);
    const std::unique_ptr<RenderFile> file = OpenRenderFile(temp.string(), r, rate);
    if (!file->IsOpen()) return fail("cannot write " + r.outPath + ": " + file->Error());

    RenderCapture capture(*file);
    RenderProgress progress(err, r.progress, cuts.playMs + SessionRender::kLoopFadeMs);
    SessionRender::Outcome outcome = SessionRender::Outcome::Running;
    uint64_t renderedMs = 0;
    std::vector<std::string> messages;
    {
        plat::HeadlessHostOptions options;
        options.width = r.screenWidth;
        options.height = r.screenHeight;
        options.depth = r.depth;
        options.tracePath = r.tracePath;
        options.backend.keepAudio = false;
        options.backend.audioSink = &capture;
        options.backend.showFrames = false;  // nobody looks
        plat::HeadlessHost headless(options);
        headless.host.files = &files;
        headless.host.display = &headless.display;
        file->Watch(headless.windows);
        SessionRender driver(headless.windows, headless.clock, capture, progress,
                             CSession::FromTracks(std::move(tracks)), fs::path(r.sessionPath).stem().string(),
                             cuts.playMs, cuts.events, [] { return g_interrupted != 0; });
        headless.windows.SetScript(&driver);
        {
            CPlinkpadApp app = r.homeDir ? CPlinkpadApp(*r.homeDir) : CPlinkpadApp();
            app.m_nAudioRate = rate;
            app.m_nRandomSeed = r.seed;
            if (app.InitInstance(headless.windows)) headless.windows.Run();
        }
        headless.windows.SetScript(nullptr);
        outcome = driver.Result();
        renderedMs = driver.RenderedMs();
        // What the program told its user, who is not looking at it.
        for (const std::string& line : headless.trace.Lines())
            if (const size_t at = line.find(" message "); at != std::string::npos && at == line.find(' '))
                messages.push_back(line.substr(at + 9));
    }
    for (const std::string& m : messages) std::fprintf(err, "plinkpad: the program said: %s\n", m.c_str());

    using Outcome = SessionRender::Outcome;
    switch (outcome) {
        case Outcome::Done: break;
        case Outcome::Running:
        case Outcome::NoHub: return fail("the program did not start; nothing written");
        case Outcome::NoPalette: return fail("the Record/Play palette did not open; nothing written");
        case Outcome::Stuck: return fail("the playback did not end in the time its cuts allow; nothing written");
        case Outcome::WriteFailed: return fail("cannot write " + r.outPath + ": " + file->Error());
        case Outcome::Interrupted: return fail("interrupted; nothing written", kRenderInterrupted);
    }
    if (!file->Close()) return fail("cannot write " + r.outPath + ": " + file->Error());
    if (!SyncFile(temp)) return fail("cannot write " + r.outPath + ": " + std::strerror(errno));
    fs::rename(temp, r.outPath, ec);
    if (ec) return fail("cannot write " + r.outPath + ": " + ec.message());
    tempGuard.Keep();
    if (stats != nullptr) stats->programMs = renderedMs;
    return 0;
}
