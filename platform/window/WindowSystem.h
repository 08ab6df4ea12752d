#pragma once
// The host system the program runs on: windows, the message loop, timers,
// the pointer, keyboard focus, modal loops, waits, message boxes and the file
// chooser, on top of a Backend (SDL2 for people, headless for tests).
//
// One thread runs all of it. The loop retrieves, in the host's order:
// posted messages, then input, then a paint for a window whose update region
// is not empty, then timer ticks that are due (timers last). Paints and ticks
// are synthesised only when nothing else waits, so a burst of input is handled
// before a repaint or a tick.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Geometry.h"
#include "platform/Host.h"
#include "platform/Trace.h"
#include "platform/gdi/Display.h"
#include "platform/window/Cursor.h"
#include "platform/window/InputEvent.h"
#include "platform/window/Window.h"

namespace plat {

class Backend;
class Chrome;
class DesktopConverter;
class Font;
class InputScript;

class WindowSystem final : public Dialogs {
public:
    // The backend and clock must outlive the system. `trace` may be null.
    WindowSystem(Backend& backend, Display& display, Clock& clock, Trace* trace);
    ~WindowSystem();

    Display& GetDisplay() { return display_; }
    Clock& GetClock() { return clock_; }
    Backend& GetBackend() { return backend_; }
    Trace* GetTrace() { return trace_; }
    uint32_t NowMs() const { return clock_.NowMs(); }

    // --- The loop ---
    // Runs until Quit is posted; returns its code. A run that can get no more
    // input (headless without a script, or a script that has ended and whose
    // close did not quit) posts Quit(0) itself when idle rather than hang.
    int Run();
    // Dispatches one ready message (posted, input, paint, due timer), if any.
    bool DispatchOne();
    // Dispatches until nothing is ready at the current time.
    void DispatchAll();
    void PostQuit(int code);
    bool QuitPosted() const { return quit_.has_value(); }
    // A scripted run feeds input and time through this instead of the backend.
    // While a script is set, message boxes and file dialogs take queued
    // answers instead of showing. Not owned; null removes it.
    void SetScript(InputScript* script) {
        script_ = script;
        scriptEnded_ = false;
        lastIdleMs_ = clock_.NowMs();
    }
    bool Scripted() const { return script_ != nullptr; }
    // What a Quit input (the user closed the program's window, or the script
    // ended) does; by default PostQuit(0).
    void SetCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }
    // Input from a backend or a script, queued for the loop (never dispatched here).
    void QueueInput(const InputEvent& e);

    // Blocking wait that polls the clock: the screen keeps showing, sound keeps
    // playing, no message is handled; input arriving meanwhile stays queued
    // and is delivered afterwards in order.
    void BusyWait(uint32_t ms);

    // --- Modality ---
    // Runs a nested loop until EndModal; while it runs, input to any other
    // window is refused, but painting, posted messages and timers go on.
    // The dialog gets the focus, which returns afterwards. Returns EndModal's
    // value, or -1 when Quit was posted or the dialog destroyed meanwhile.
    int RunModal(Window& dialog);
    void EndModal(Window& dialog, int result);
    bool IsModalRunning() const;

    // Message box in the program's own look (Enter, Escape and the arrow keys
    // work). In scripted runs the next queued `answer` is taken, else the
    // default button (OK, or Yes); an answer the box has no button for counts
    // as the default. Every box is traced as "message TEXT".
    MessageBoxAnswer MessageBox(const std::string& text, MessageBoxButtons buttons = MessageBoxButtons::Ok) override;
    // Modal file chooser; nullopt when cancelled. Returns a path of this
    // system. A scripted answer is read as a typed name: relative to the
    // initial directory, with the default extension added when it has none.
    std::optional<std::string> FileDialog(const FileDialogOptions& options) override;
    // Scripted answers, consumed in order by the next boxes and dialogs.
    void QueueMessageBoxAnswer(MessageBoxAnswer a);
    void QueueFileAnswer(std::optional<std::string> pathOrCancel);

    // --- Pointer and keyboard ---
    void SetCursor(const Cursor* cursor);      // shape at once; not owned
    const Cursor* GetCursor() const { return cursor_; }
    Point CursorPos() const { return cursorPos_; }
    // Moves the pointer (desktop coordinates, kept inside the confinement);
    // produces a mouse move for the window under it.
    void SetCursorPos(Point p);
    // Keeps the pointer inside `r` (right and bottom exclusive); null releases.
    void ClipCursor(const Rect* r);
    std::optional<Rect> CursorClip() const { return clip_; }
    void SetCapture(Window* w);
    void ReleaseCapture();
    Window* Capture() const { return capture_; }
    Window* Focus() const { return focus_; }
    void SetFocus(Window* w);
    // Key `key` (a virtual-key code) is down now, whichever window got it or
    // whether none did: the keyboard's own state, not a window's view of it.
    bool IsKeyDown(int key) const;

    // --- Desktop ---
    // Composes every visible window, in z-order, into an 8-bit picture of the
    // desktop (what the screen shows, without the pointer).
    void Compose(Bitmap& out) const;
    // The composed desktop converted through the hardware palette, with the
    // pointer drawn on top: what Present hands to the backend.
    void RenderFrame(std::vector<uint32_t>& xrgb);
    // Composes and hands the frame (with the pointer) to the backend.
    void Present();
    // Top-level windows, bottom first.
    const std::vector<Window*>& ZOrder() const { return zorder_; }
    // The user-interface face at a pixel size, loaded once (dialogs, edit boxes, captions).
    Font& UiFont(int pixelSize, bool bold = false);

private:
    friend class Window;
    struct TimerKey {
        Window* window;
        int id;
        bool operator<(const TimerKey& o) const { return window != o.window ? window < o.window : id < o.id; }
    };
    struct Timer {
        uint32_t periodMs;
        uint32_t dueMs;
        uint64_t order;
    };
    struct Posted {
        Window* window;
        uint32_t msg;
        uintptr_t wParam;
        intptr_t lParam;
    };
    struct Drag {
        Window* window;
        Point grab;  // pointer position relative to the outer top-left corner
    };

    // Called by Window.
    void Register(Window& w);
    void Unregister(Window& w);
    void SetTimerFor(Window& w, int id, uint32_t periodMs);
    void KillTimerFor(Window& w, int id);
    void PostTo(Window& w, uint32_t msg, uintptr_t wParam, intptr_t lParam);
    void PaintWindow(Window& w);
    void RaiseInBand(Window& w);
    void FocusLeaving(Window& w);

    // The loop shared by Run and RunModal: dispatches, presents, lets the
    // script step or waits for input, until `done` says so or Quit is posted.
    void Loop(const std::function<bool()>& done);
    void Idle();
    void PollBackend();
    void NotePresented();
    std::optional<uint32_t> NextTimerDue() const;
    bool DispatchPaletteChange();
    bool DispatchInput(const InputEvent& e);
    void DispatchMouse(const InputEvent& e);
    void DispatchKey(const InputEvent& e);
    Point ClampPointer(Point p) const;
    Window* WindowAt(Point desktop) const;
    Window* FindPaintable() const;
    bool AcceptsInput(const Window* w) const;
    Window* TopModal() const { return modal_.empty() ? nullptr : modal_.back(); }

    Backend& backend_;
    Display& display_;
    Clock& clock_;
    Trace* trace_;
    InputScript* script_ = nullptr;
    bool scriptEnded_ = false;
    uint32_t lastIdleMs_ = 0;  // the clock when the loop last had nothing to do
    std::function<void()> closeHandler_;
    std::optional<int> quit_;
    std::deque<Posted> posted_;
    std::deque<InputEvent> input_;
    std::map<TimerKey, Timer> timers_;
    uint64_t timerOrder_ = 0;
    std::vector<Window*> zorder_;
    std::vector<Window*> modal_;
    std::map<Window*, std::optional<int>> modalResult_;
    const Cursor* cursor_ = nullptr;
    Point cursorPos_{};
    std::optional<Rect> clip_;
    Window* capture_ = nullptr;
    Window* focus_ = nullptr;
    std::vector<Window*> activated_;  // top-level windows, most recently focused last
    std::optional<Drag> drag_;
    std::vector<int> keysDown_;
    uint64_t paletteSeen_ = 0;
    bool framePending_ = true;
    uint32_t lastPresentMs_ = 0;
    std::deque<MessageBoxAnswer> boxAnswers_;
    std::deque<std::optional<std::string>> fileAnswers_;
    std::map<int, std::unique_ptr<Font>> fonts_;
    std::unique_ptr<Chrome> chrome_;
    std::unique_ptr<DesktopConverter> converter_;
    std::unique_ptr<Bitmap> composed_;
    std::vector<uint32_t> frame_;
};

}  // namespace plat
