#pragma once
// The backend of the browser page: the virtual desktop drawn on the page's
// canvas (which the page scales to fit, see page/layout.js), the page's
// pointer (mouse, pen or finger, see page/pointer-input.js) and keyboard
// events mapped to desktop pixels and virtual-key codes, and the sound
// through Web Audio (WebAudioDevice).
// Waiting for input gives the page back to the browser until input arrives
// or the time is up; the program's stack waits where it was (emscripten's
// Asyncify, see docs/web.md), so the message loop, busy waits and modal
// dialogs keep their meaning. F1 and the Help key are the Help key;
// Alt+Enter switches the page to full screen and back. The host pointer is
// hidden over the canvas: the program draws its own. While the program has
// unsaved work, closing or reloading the page asks first.
// Page thread (the page's only thread).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Backend.h"

namespace plat {

struct WebOptions {
    int desktopWidth = 640;
    int desktopHeight = 480;
    std::string canvas = "#canvas";  // CSS selector of the canvas
    std::string stage = "#stage";    // the element that goes full screen
};

class WebBackend final : public Backend {
public:
    explicit WebBackend(const WebOptions& options);
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;

    void Present(const uint32_t* xrgb, int width, int height) override;
    void PollInput(std::vector<InputEvent>& out) override;
    void WaitInput(uint32_t timeoutMs) override;
    // Returns a WebAudioDevice; null when the browser has no Web Audio.
    std::unique_ptr<AudioDevice> OpenAudio(AudioSource& source, const AudioConfig& config) override;

    // Tells the page that the program has ended with `status`.
    static void Ended(int status);
    // Tells the page that scene `number` is up and waits for input (the page
    // then fetches the rest of the program's files, page/files.js).
    static void SceneShown(int number);
    // `idle` is called whenever the program is about to wait for input; null: nothing.
    void OnIdle(std::function<void()> idle) { idle_ = std::move(idle); }

    // Closing or reloading the page asks first (the browser's own question)
    // while `unsaved` returns true; null never asks. The web main sets it
    // while the program runs and clears it before what it reads goes away.
    void AskBeforeLeaving(std::function<bool()> unsaved) { unsaved_ = std::move(unsaved); }
    bool HasUnsavedWork() const { return unsaved_ && unsaved_(); }

    // Called by the page's event handlers (WebBackend.cpp, page/pointer-input.js).
    enum class PointerAction { Move, Down, Up, Leave };
    // At a point of the page, in CSS pixels. Leave: the pointer went away
    // (a finger lifted, a mouse left the canvas); a button still held comes up.
    void Pointer(PointerAction action, double clientX, double clientY);
    // Returns whether the key was the program's (the page then does nothing with it).
    bool Key(bool down, const std::string& key, const std::string& code, bool ctrl, bool alt, bool meta);
    // The page lost the keyboard: keys still down come up, as when a window
    // loses the focus.
    void LostFocus();

private:
    void Queue(InputEvent e);

    WebOptions options_;
    std::vector<uint32_t> rgba_;
    std::vector<InputEvent> pending_;
    std::vector<int> keysDown_;  // virtual-key codes
    bool buttonHeld_ = false;     // pressed on the canvas, not yet released
    std::function<bool()> unsaved_;
    std::function<void()> idle_;
};

}  // namespace plat
