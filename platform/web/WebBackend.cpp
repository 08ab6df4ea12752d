#include "platform/web/WebBackend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/text/Utf8.h"
#include "platform/web/WebAudioDevice.h"
#include "platform/window/Keys.h"

namespace plat {

namespace {

EM_JS(void, pp_canvas_open, (const char* selector, int width, int height), {
    const canvas = document.querySelector(UTF8ToString(selector));
    canvas.width = width;
    canvas.height = height;
    Module.ppCanvas = canvas;
    Module.ppCanvasContext = canvas.getContext('2d', {alpha: false});
    Module.ppFramesShown = 0;
    if (Module.onCanvasOpened) Module.onCanvasOpened();
});

EM_JS(void, pp_canvas_show, (const uint8_t* rgba, int width, int height), {
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    Module.ppCanvasContext.putImageData(new ImageData(pixels, width, height), 0, 0);
    Module.ppFramesShown++;
});

// The canvas's box on the page, in CSS pixels: left, top, width, height.
EM_JS(void, pp_canvas_box, (double* box), {
    const r = Module.ppCanvas.getBoundingClientRect();
    HEAPF64.set([r.left, r.top, r.width, r.height], box >> 3);
});

// Gives the page back to the browser until pp_wake or `ms` milliseconds.
EM_ASYNC_JS(void, pp_wait_input, (int ms), {
    await new Promise((resolve) => {
        const done = () => {
            clearTimeout(timer);
            Module.ppWake = null;
            resolve();
        };
        const timer = setTimeout(done, ms);
        Module.ppWake = done;
    });
});

EM_JS(void, pp_wake, (), {
    if (Module.ppWake) Module.ppWake();
});

// Must run inside a key handler: browsers grant full screen to a user's action only.
EM_JS(void, pp_toggle_full_screen, (const char* selector), {
    if (document.fullscreenElement) {
        document.exitFullscreen();
    } else {
        const stage = document.querySelector(UTF8ToString(selector));
        if (stage && stage.requestFullscreen) stage.requestFullscreen().catch(() => {});
    }
});

// The page's pointer handlers (page/pointer-input.js) reach the backend
// through Module.ppPointer(action, clientX, clientY).
EM_JS(void, pp_pointer_open, (void* backend), {
    Module.ppPointer = (action, x, y) => _pp_web_pointer(backend, action, x, y);
});

EM_JS(void, pp_pointer_close, (), {
    Module.ppPointer = null;
});

EM_JS(void, pp_scene_shown, (int number), {
    if (Module.ppFiles) Module.ppFiles.sceneShown(number);
});

EM_JS(void, pp_program_ended, (int status), {
    Module.ppEnded = {status};
    if (Module.onProgramEnded) Module.onProgramEnded(status);
});

WebBackend& Self(void* user) { return *static_cast<WebBackend*>(user); }

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void* user) {
    return Self(user).Key(type == EMSCRIPTEN_EVENT_KEYDOWN, e->key, e->code, e->ctrlKey, e->altKey, e->metaKey)
               ? EM_TRUE
               : EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* user) {
    Self(user).LostFocus();
    return EM_FALSE;
}

// A non-empty text makes the browser ask before the page goes (it shows
// its own words).
const char* OnBeforeUnload(int, const void*, void* user) { return Self(user).HasUnsavedWork() ? "unsaved" : nullptr; }

// The name of a key without a character, for the keys the program uses.
int NamedKey(std::string_view name) {
    static constexpr struct {
        std::string_view name;
        int key;
    } kNames[] = {
        {"Shift", vk::kShift},    {"Control", vk::kControl},  {"Alt", vk::kMenu},      {"Tab", vk::kTab},
        {"Enter", vk::kReturn},   {"Escape", vk::kEscape},    {"Backspace", vk::kBack}, {"Delete", vk::kDelete},
        {"ArrowLeft", vk::kLeft}, {"ArrowRight", vk::kRight}, {"ArrowUp", vk::kUp},     {"ArrowDown", vk::kDown},
        {"F1", vk::kHelp},        {"Help", vk::kHelp},
    };
    for (const auto& n : kNames)
        if (n.name == name) return n.key;
    return 0;
}

// The virtual-key code for a keyboard event's `key` (the character or name
// the layout gives) and `code` (the physical key); 0 for keys the program
// does not use.
int VirtualKeyFor(const std::string& key, const std::string& code) {
    // Letters and digits as the layout names them, like the host's key codes.
    if (key.size() == 1) {
        const char c = key[0];
        if (c >= 'a' && c <= 'z') return vk::kA + (c - 'a');
        if (c >= 'A' && c <= 'Z') return vk::kA + (c - 'A');
        if (c >= '0' && c <= '9') return vk::k0 + (c - '0');
        if (c == ' ') return vk::kSpace;
    }
    if (code == "NumpadEnter") return vk::kReturn;
    if (const int named = NamedKey(key)) return named;
    // A letter or digit key that gives another character (with Shift, or on
    // another layout) by its place.
    const char last = code.empty() ? '\0' : code.back();
    if (code.size() == 4 && code.starts_with("Key") && last >= 'A' && last <= 'Z') return vk::kA + (last - 'A');
    if (code.size() == 6 && code.starts_with("Digit") && last >= '0' && last <= '9') return vk::k0 + (last - '0');
    return 0;
}

}  // namespace

WebBackend::WebBackend(const WebOptions& options) : options_(options) {
    pp_canvas_open(options_.canvas.c_str(), options_.desktopWidth, options_.desktopHeight);
    pp_pointer_open(this);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, OnKey);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, OnBlur);
    emscripten_set_beforeunload_callback(this, OnBeforeUnload);
}

WebBackend::~WebBackend() {
    pp_pointer_close();
    emscripten_html5_remove_all_event_listeners();
}

void WebBackend::Queue(InputEvent e) {
    pending_.push_back(std::move(e));
    pp_wake();
}

void WebBackend::Pointer(PointerAction action, double clientX, double clientY) {
    const int w = options_.desktopWidth, h = options_.desktopHeight;
    InputEvent e;
    if (action == PointerAction::Leave) {
        // Gone from the stage: the middle of the desktop's left edge is left
        // of every scene's stage, and the program puts no window there (the
        // compact palette takes the top-left corner).
        e.pos = {0, h / 2};
        if (buttonHeld_) {
            buttonHeld_ = false;
            e.type = InputEvent::Type::LButtonUp;
            Queue(e);
        }
        e.type = InputEvent::Type::MouseMove;
        Queue(std::move(e));
        return;
    }
    double box[4];
    pp_canvas_box(box);
    const double x = clientX - box[0], y = clientY - box[1];
    const bool inside = x >= 0 && y >= 0 && x < box[2] && y < box[3];
    // Outside the canvas only a held button's moves and release count.
    if (!inside && !buttonHeld_) return;
    if (action == PointerAction::Down) {
        if (buttonHeld_) return;
        buttonHeld_ = true;
    }
    if (action == PointerAction::Up) {
        if (!buttonHeld_) return;
        buttonHeld_ = false;
    }
    e.type = action == PointerAction::Down ? InputEvent::Type::LButtonDown
             : action == PointerAction::Up ? InputEvent::Type::LButtonUp
                                           : InputEvent::Type::MouseMove;
    e.pos = {std::clamp(static_cast<int>(std::floor(x * w / std::max(1.0, box[2]))), 0, w - 1),
             std::clamp(static_cast<int>(std::floor(y * h / std::max(1.0, box[3]))), 0, h - 1)};
    Queue(std::move(e));
}

bool WebBackend::Key(bool down, const std::string& key, const std::string& code, bool ctrl, bool alt, bool meta) {
    if (down && alt && (key == "Enter" || code == "NumpadEnter")) {
        pp_toggle_full_screen(options_.stage.c_str());
        return true;
    }
    const int vkey = VirtualKeyFor(key, code);
    const bool known = vkey != 0;
    if (known) {
        const auto at = std::find(keysDown_.begin(), keysDown_.end(), vkey);
        if (down && at == keysDown_.end()) keysDown_.push_back(vkey);
        if (!down) {
            if (at == keysDown_.end()) return true;  // went down before the page had the keyboard
            keysDown_.erase(at);
        }
        InputEvent e;
        e.type = down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
        e.key = vkey;
        Queue(std::move(e));
    }
    // A key that gives one character types it (edit boxes), unless it is a shortcut.
    size_t i = 0;
    const bool oneCharacter = !key.empty() && NextCodePoint(key, i) >= 0x20 && i == key.size();
    if (down && oneCharacter && !ctrl && !alt && !meta) {
        InputEvent e;
        e.type = InputEvent::Type::Text;
        e.text = key;
        Queue(std::move(e));
        return true;
    }
    return known;
}

void WebBackend::LostFocus() {
    for (const int key : keysDown_) {
        InputEvent e;
        e.type = InputEvent::Type::KeyUp;
        e.key = key;
        Queue(std::move(e));
    }
    keysDown_.clear();
}

void WebBackend::Ended(int status) { pp_program_ended(status); }

void WebBackend::SceneShown(int number) { pp_scene_shown(number); }

void WebBackend::Present(const uint32_t* xrgb, int width, int height) {
    if (width != options_.desktopWidth || height != options_.desktopHeight) return;
    const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
    rgba_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const uint32_t p = xrgb[i];
        // R, G, B, A in memory order.
        rgba_[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
    }
    pp_canvas_show(reinterpret_cast<const uint8_t*>(rgba_.data()), width, height);
}

void WebBackend::PollInput(std::vector<InputEvent>& out) {
    for (InputEvent& e : pending_) out.push_back(std::move(e));
    pending_.clear();
}

void WebBackend::WaitInput(uint32_t timeoutMs) {
    if (idle_) idle_();
    if (!pending_.empty()) return;
    pp_wait_input(static_cast<int>(std::min<uint32_t>(timeoutMs, 0x7FFFFFFF)));
}

std::unique_ptr<AudioDevice> WebBackend::OpenAudio(AudioSource& source, const AudioConfig& config) {
    auto device = std::make_unique<WebAudioDevice>(source, config);
    if (!device->Ok()) return nullptr;
    return device;
}

}  // namespace plat

extern "C" EMSCRIPTEN_KEEPALIVE void pp_web_pointer(plat::WebBackend* backend, int action, double clientX,
                                                    double clientY) {
    using Action = plat::WebBackend::PointerAction;
    if (action < static_cast<int>(Action::Move) || action > static_cast<int>(Action::Leave)) return;
    backend->Pointer(static_cast<Action>(action), clientX, clientY);
}
