#pragma once
// What a backend gives the window system: a place to show the desktop, host
// input, and an audio device. SDL2 (platform/sdl) for people; headless
// (platform/headless) for tests, tools and scripted runs.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Geometry.h"
#include "platform/window/InputEvent.h"

namespace plat {

class AudioDevice;
class AudioSource;
struct AudioConfig;

class Backend {
public:
    virtual ~Backend() = default;
    // Shows one frame: `xrgb` holds width x height pixels 0x00RRGGBB, the
    // desktop with the pointer already drawn. Window thread.
    virtual void Present(const uint32_t* xrgb, int width, int height) = 0;
    // Moves host input into `out` without waiting.
    virtual void PollInput(std::vector<InputEvent>& out) = 0;
    // Sleeps until input arrives or `timeoutMs` passes (real backends only;
    // headless returns at once).
    virtual void WaitInput(uint32_t timeoutMs) = 0;
    // The program moved or confined the pointer (desktop coordinates).
    virtual void WarpPointer(Point p) { (void)p; }
    // Opens the audio output that pulls samples from `source`; null when no
    // device can be opened.
    virtual std::unique_ptr<AudioDevice> OpenAudio(AudioSource& source, const AudioConfig& config) = 0;
    // What the program's window shows now, read back from the host (SDL2) or
    // the last presented frame (headless): 0x00RRGGBB pixels, row-major.
    // False when nothing can be read (no frame presented yet, or a backend
    // that cannot read back).
    virtual bool ReadScreen(std::vector<uint32_t>& xrgb, int& width, int& height) {
        (void)xrgb; (void)width; (void)height;
        return false;
    }
    // True when input can arrive from a person. A headless run without a
    // script has no other source of input, so its loop ends when idle.
    virtual bool Interactive() const { return true; }
    // False when nothing would look at the frames: the loop then does not
    // compose them (an explicit Present still does).
    virtual bool ShowsFrames() const { return true; }
};

}  // namespace plat
