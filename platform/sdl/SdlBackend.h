#pragma once
// The backend for people: one SDL2 window showing the virtual desktop scaled
// by the largest whole factor that fits, centred on black, with nearest-
// neighbour pixels; host input mapped back to desktop pixels and virtual-key
// codes; the default audio output, which the program keeps running without
// when it goes away and opens again when one is back. Alt+Enter switches between full screen
// and a window. The host pointer is hidden: the program draws its own.
// Window thread, except the audio callback.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/Clock.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace plat {

struct SdlOptions {
    int desktopWidth = 640;
    int desktopHeight = 480;
    bool windowed = false;  // resizable window instead of borderless full screen
    std::string title = "Plinkpad";
};

class SdlBackend final : public Backend {
public:
    // Opens the window; Ok() tells whether it worked (Error() says why).
    explicit SdlBackend(const SdlOptions& options);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    bool Ok() const { return renderer_ != nullptr; }
    const std::string& Error() const { return error_; }
    // SDL found no display, only its drivers that show nothing (offscreen,
    // dummy), and SDL_VIDEODRIVER did not ask for one: Error() is then
    // kNoDisplayMessage.
    bool NoDisplay() const { return noDisplay_; }
    static constexpr const char* kNoDisplayMessage =
        "No display found: start Plinkpad from a desktop session, or use --headless.";

    void Present(const uint32_t* xrgb, int width, int height) override;
    void PollInput(std::vector<InputEvent>& out) override;
    void WaitInput(uint32_t timeoutMs) override;
    void WarpPointer(Point p) override;
    std::unique_ptr<AudioDevice> OpenAudio(AudioSource& source, const AudioConfig& config) override;
    bool ReadScreen(std::vector<uint32_t>& xrgb, int& width, int& height) override;

    // The virtual-key code for an SDL key code; 0 for keys the program does not use.
    static int VirtualKeyFor(int sdlKeycode);

private:
    struct Viewport {
        int x = 0, y = 0, scale = 1;
    };
    Viewport CurrentViewport() const;
    void Translate(const SDL_Event& e);
    void Draw();
    Point ToDesktop(int windowX, int windowY) const;

    SdlOptions options_;
    std::string error_;
    bool noDisplay_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::vector<InputEvent> pending_;
    bool haveFrame_ = false;
    class AudioOutput;
    AudioOutput* audio_ = nullptr;  // the open audio output, owned by whoever opened it
    SteadyClock audioClock_;        // paces the mix while the output is lost
};

}  // namespace plat
