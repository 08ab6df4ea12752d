#pragma once
// The program's command line. Plain data; parsing never exits the program.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct AppOptions {
    bool help = false;
    bool headless = false;          // headless backend with the manual clock
    std::string scriptPath;         // --script: drives input and time
    std::string tracePath;          // --trace: writes the trace of the run
    int screenWidth = 640;          // --screen WxH: the virtual desktop
    int screenHeight = 480;
    int depth = 8;                  // --depth: what the display reports
    std::optional<std::string> drives;  // --drives DIR:DIR:... (replaces the drive list)
    bool windowed = false;          // SDL2: a window instead of full screen
    std::string audioOutPath;       // --audio-out FILE.wav: also write the mix
    int audioBufferFrames = 512;    // --audio-buffer FRAMES
    int sampleRate = 0;             // --rate HZ: the sound output's rate; 0: the engine's
    std::optional<uint32_t> seed;   // --seed N: the program's random choices; none: the time
    std::string renderSession;      // --render SESSION OUT: play every cut into a sound file or video
    std::string renderOut;
    int scale = 0;                  // --scale N: a video's pixels per screen pixel; 0: the render's default
    int monkeySeconds = 0;          // --monkey SECONDS: random use for that much program time (0: none)
    std::string monkeyScriptPath;   // --monkey-script FILE: the monkey's input as a script
    std::string sessionPath;        // FILE.sts, the one argument that is no option: opened once the hub is up
};

struct ParsedOptions {
    AppOptions options;
    std::string error;  // empty on success; else one line for the user
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The text of --help.
const char* OptionsUsage();
