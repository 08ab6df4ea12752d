#pragma once
// `plinkpad --render SESSION OUT`: plays every cut of a session in order, as
// "Play all cuts" does in the running program, headless and on a manual
// clock (so faster than real time), and writes the sound to OUT as WAV, FLAC
// or Ogg Vorbis, or a video of the screen with that sound as MP4, WebM or
// Matroska, by its extension (RenderFile). The file is written beside OUT
// under a temporary name and renamed into place only when whole. Window
// thread.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace plat {
class FileSystem;
}

struct RenderRequest {
    std::string sessionPath;
    std::string outPath;
    int sampleRate = 0;   // frames per second; 0: the mixer's own
    uint32_t seed = 1;    // the program's random choices
    int screenWidth = 640;
    int screenHeight = 480;
    int depth = 8;
    int scale = 0;        // a video's pixels per screen pixel; 0: kDefaultVideoScale
    std::string tracePath;  // the run's trace; empty: none
    std::optional<std::string> homeDir;  // the program's home folder; nullopt: the current directory
    bool progress = false;  // draw a progress bar on `err`
};

struct RenderStats {
    uint64_t programMs = 0;  // program time rendered: the sound file's length
};

// Exit status of a render that was refused or failed; each says why on `err`.
inline constexpr int kRenderFailed = 1;
inline constexpr int kRenderInterrupted = 130;

// Runs the render with the asset drives of `files`; 0 when OUT was written,
// else the exit status after telling why on `err` (no OUT then, and nothing
// of the attempt left beside it). `stats` (may be null) gets the figures.
int RenderSession(const RenderRequest& request, plat::FileSystem& files, std::FILE* err,
                  RenderStats* stats = nullptr);
