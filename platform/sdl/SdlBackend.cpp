#include "platform/sdl/SdlBackend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioPort.h"
#include "platform/audio/ReopeningAudioDevice.h"
#include "platform/window/Keys.h"

namespace plat {

namespace {

// The default output as a stream SDL pulls from on its audio thread. The
// callback only forwards to the source: no lock, no allocation.
class SdlAudioPort final : public AudioPort {
public:
    ~SdlAudioPort() override { Close(); }
    int Open(AudioSource& source, const AudioConfig& config) override {
        Close();
        callback_ = {&source, config.sampleRate};
        SDL_AudioSpec want{};
        want.freq = config.sampleRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = static_cast<Uint16>(std::clamp(config.bufferFrames, 64, 8192));
        want.callback = &SdlAudioPort::Fill;
        want.userdata = &callback_;
        SDL_AudioSpec have{};
        // Rate, format and channels as asked (SDL converts if the hardware
        // differs); the buffer size may be what the device prefers.
        id_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
        if (id_ == 0) return 0;
        SDL_PauseAudioDevice(id_, 0);
        return std::max<int>(1, have.samples);
    }
    void Close() override {
        if (id_ != 0) SDL_CloseAudioDevice(id_);  // waits for the callback to return
        id_ = 0;
    }
    SDL_AudioDeviceID Id() const { return id_; }

private:
    struct Callback {
        AudioSource* source = nullptr;
        int rate = 0;
    };
    static void Fill(void* user, Uint8* stream, int len) {
        const auto* cb = static_cast<const Callback*>(user);
        cb->source->Render(reinterpret_cast<int16_t*>(stream), len / 4, cb->rate);
    }
    Callback callback_;  // written only while closed
    SDL_AudioDeviceID id_ = 0;
};

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// SDL's video drivers that draw into memory only.
bool ShowsNothing(const char* driver) {
    return driver == nullptr || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
}

}  // namespace

// The device OpenAudio hands out: the reopening output over SDL's port, known
// to the backend while it lives, so that SDL's device events reach it.
class SdlBackend::AudioOutput final : public AudioDevice {
public:
    AudioOutput(SdlBackend& backend, AudioSource& source, const AudioConfig& config)
        : backend_(backend), port_(new SdlAudioPort),
          device_(std::unique_ptr<AudioPort>(port_), source, config, backend.audioClock_) {
        backend_.audio_ = this;
    }
    ~AudioOutput() override {
        backend_.audio_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);  // after the device has closed its port
    }
    int SampleRate() const override { return device_.SampleRate(); }
    int BufferFrames() const override { return device_.BufferFrames(); }
    bool Ok() const { return device_.Ok(); }
    void OnEvent(const SDL_AudioDeviceEvent& e) {
        if (e.iscapture != 0) return;
        if (e.type == SDL_AUDIODEVICEADDED) device_.OnAdded();
        if (e.type == SDL_AUDIODEVICEREMOVED && port_->Id() != 0 && e.which == port_->Id()) device_.OnRemoved();
    }
    void Poll() { device_.Poll(); }

private:
    SdlBackend& backend_;
    SdlAudioPort* port_;  // owned by device_
    ReopeningAudioDevice device_;
};

SdlBackend::SdlBackend(const SdlOptions& options) : options_(options) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error_ = SDL_GetError();
        return;
    }
    // Without a display SDL falls back to drivers that show nothing, and the
    // program would run unseen with no way to stop it. Only a driver the user
    // named may be one of those. A display named in the environment that did
    // not answer at once (an X server may refuse a connection now and then)
    // gets a few more tries first.
    if (!IsSet("SDL_VIDEODRIVER")) {
        for (int retry = 0; retry < 3 && ShowsNothing(SDL_GetCurrentVideoDriver()) &&
                            (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"));
             ++retry) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
            if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
                error_ = SDL_GetError();
                return;
            }
        }
        if (ShowsNothing(SDL_GetCurrentVideoDriver())) {
            noDisplay_ = true;
            error_ = kNoDisplayMessage;
            return;
        }
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");  // nearest neighbour
    const int w = options_.desktopWidth, h = options_.desktopHeight;
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
    int winW = w, winH = h;
    if (options_.windowed) {
        flags |= SDL_WINDOW_RESIZABLE;
        // As large a whole multiple as fits the screen comfortably.
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
            const int s = std::max(1, std::min((usable.w - 40) / w, (usable.h - 80) / h));
            winW = w * s;
            winH = h * s;
        }
    } else {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    window_ = SDL_CreateWindow(options_.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, winW, winH, flags);
    if (window_ == nullptr) {
        error_ = SDL_GetError();
        return;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) {
        error_ = SDL_GetError();
        return;
    }
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (texture_ == nullptr) {
        error_ = SDL_GetError();
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        return;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_StartTextInput();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
}

SdlBackend::~SdlBackend() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

SdlBackend::Viewport SdlBackend::CurrentViewport() const {
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    Viewport v;
    v.scale = std::max(1, std::min(outW / options_.desktopWidth, outH / options_.desktopHeight));
    v.x = (outW - options_.desktopWidth * v.scale) / 2;
    v.y = (outH - options_.desktopHeight * v.scale) / 2;
    return v;
}

void SdlBackend::Draw() {
    const Viewport v = CurrentViewport();
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    const SDL_Rect dst{v.x, v.y, options_.desktopWidth * v.scale, options_.desktopHeight * v.scale};
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
}

void SdlBackend::Present(const uint32_t* xrgb, int width, int height) {
    if (!Ok() || width != options_.desktopWidth || height != options_.desktopHeight) return;
    SDL_UpdateTexture(texture_, nullptr, xrgb, width * 4);
    haveFrame_ = true;
    Draw();
    SDL_RenderPresent(renderer_);
}

bool SdlBackend::ReadScreen(std::vector<uint32_t>& xrgb, int& width, int& height) {
    if (!Ok() || !haveFrame_) return false;
    // Draw the frame again and read it before it is shown: what the back
    // buffer holds after a present is undefined.
    Draw();
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    xrgb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const bool ok = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, xrgb.data(), width * 4) == 0;
    SDL_RenderPresent(renderer_);
    for (uint32_t& p : xrgb) p &= 0xFFFFFFu;
    return ok;
}

Point SdlBackend::ToDesktop(int windowX, int windowY) const {
    // Window coordinates are in points; the renderer's output may have more pixels (high DPI).
    int winW = 1, winH = 1, outW = 1, outH = 1;
    SDL_GetWindowSize(window_, &winW, &winH);
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    const Viewport v = CurrentViewport();
    const int px = static_cast<int>(int64_t(windowX) * outW / std::max(1, winW));
    const int py = static_cast<int>(int64_t(windowY) * outH / std::max(1, winH));
    auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    return {std::clamp(floorDiv(px - v.x, v.scale), 0, options_.desktopWidth - 1),
            std::clamp(floorDiv(py - v.y, v.scale), 0, options_.desktopHeight - 1)};
}

void SdlBackend::WarpPointer(Point p) {
    if (!Ok()) return;
    int winW = 1, winH = 1, outW = 1, outH = 1;
    SDL_GetWindowSize(window_, &winW, &winH);
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    const Viewport v = CurrentViewport();
    // The centre of the desktop pixel, back in window points.
    const int px = v.x + p.x * v.scale + v.scale / 2;
    const int py = v.y + p.y * v.scale + v.scale / 2;
    SDL_WarpMouseInWindow(window_, static_cast<int>(int64_t(px) * winW / std::max(1, outW)),
                          static_cast<int>(int64_t(py) * winH / std::max(1, outH)));
}

int SdlBackend::VirtualKeyFor(int k) {
    if (k >= SDLK_a && k <= SDLK_z) return vk::kA + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return vk::k0 + (k - SDLK_0);
    switch (k) {
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return vk::kShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return vk::kControl;
        case SDLK_LALT:
        case SDLK_RALT: return vk::kMenu;
        case SDLK_TAB: return vk::kTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return vk::kReturn;
        case SDLK_ESCAPE: return vk::kEscape;
        case SDLK_BACKSPACE: return vk::kBack;
        case SDLK_DELETE: return vk::kDelete;
        case SDLK_SPACE: return vk::kSpace;
        case SDLK_LEFT: return vk::kLeft;
        case SDLK_RIGHT: return vk::kRight;
        case SDLK_UP: return vk::kUp;
        case SDLK_DOWN: return vk::kDown;
        case SDLK_F1:
        case SDLK_HELP: return vk::kHelp;
        default: return 0;
    }
}

void SdlBackend::Translate(const SDL_Event& e) {
    InputEvent out;
    switch (e.type) {
        case SDL_QUIT:
            out.type = InputEvent::Type::Quit;
            break;
        case SDL_MOUSEMOTION:
            out.type = InputEvent::Type::MouseMove;
            out.pos = ToDesktop(e.motion.x, e.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT) return;
            out.type = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::LButtonDown : InputEvent::Type::LButtonUp;
            out.pos = ToDesktop(e.button.x, e.button.y);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const SDL_Keycode k = e.key.keysym.sym;
            if (e.type == SDL_KEYDOWN && (k == SDLK_RETURN || k == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT) != 0) {
                const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
                SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
                return;
            }
            out.key = VirtualKeyFor(k);
            if (out.key == 0) return;
            out.type = e.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
            break;
        }
        case SDL_TEXTINPUT:
            out.type = InputEvent::Type::Text;
            out.text = e.text.text;
            break;
        case SDL_AUDIODEVICEADDED:
        case SDL_AUDIODEVICEREMOVED:
            if (audio_ != nullptr) audio_->OnEvent(e.adevice);
            return;
        case SDL_WINDOWEVENT:
            // A resized or uncovered window shows the last frame again.
            if (haveFrame_ && (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                               e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
                Draw();
                SDL_RenderPresent(renderer_);
            }
            return;
        default:
            return;
    }
    pending_.push_back(std::move(out));
}

void SdlBackend::PollInput(std::vector<InputEvent>& out) {
    if (!Ok()) return;
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) Translate(e);
    if (audio_ != nullptr) audio_->Poll();
    for (InputEvent& p : pending_) out.push_back(std::move(p));
    pending_.clear();
}

void SdlBackend::WaitInput(uint32_t timeoutMs) {
    if (!Ok()) return;
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, static_cast<int>(std::min<uint32_t>(timeoutMs, 0x7FFFFFFF))) != 0) Translate(e);
}

std::unique_ptr<AudioDevice> SdlBackend::OpenAudio(AudioSource& source, const AudioConfig& config) {
    if (audio_ != nullptr) return nullptr;  // one output at a time
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    auto output = std::make_unique<AudioOutput>(*this, source, config);
    if (!output->Ok()) return nullptr;
    return output;
}

}  // namespace plat
