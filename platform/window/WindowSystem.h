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
    // Runs until Quit is posted; returns its code.
    int Run();
    // Dispatches one ready message (posted, input, paint, due timer), if any.
    bool DispatchOne();
    // Dispatches until nothing is ready at the current time.
    void DispatchAll();
    void PostQuit(int code);
    bool QuitPosted() const { return quit_.has_value(); }
    // A scripted run feeds input and time through this instead of the backend.
    void SetScript(InputScript* script) { script_ = script; }
    // Input from a backend or a script, queued for the loop (never dispatched here).
    void QueueInput(const InputEvent& e);

    // Blocking wait that polls the clock: the screen keeps showing, sound keeps
    // playing, no message is handled; input arriving meanwhile stays queued.
    void BusyWait(uint32_t ms);

    // --- Modality ---
    // Runs a nested loop until EndModal; while it runs, input to any other
    // window is refused, but painting and timers go on. Returns EndModal's value.
    int RunModal(Window& dialog);
    void EndModal(Window& dialog, int result);
    bool IsModalRunning() const;

    // Message box in the program's own look (Enter, Escape and the arrow keys
    // work). In scripted runs the next queued `answer` is taken, else the
    // default button (OK, or Yes). Every box is traced as "message TEXT".
    MessageBoxAnswer MessageBox(const std::string& text, MessageBoxButtons buttons = MessageBoxButtons::Ok) override;
    // Modal file chooser; nullopt when cancelled. Returns a host path.
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

    // --- Desktop ---
    // Composes every visible window, in z-order, into an 8-bit picture of the
    // desktop (what the screen shows, without the pointer).
    void Compose(Bitmap& out) const;
    // Composes and hands the frame (with the pointer) to the backend.
    void Present();
    // Top-level windows, bottom first.
    const std::vector<Window*>& ZOrder() const { return zorder_; }

private:
    friend class Window;
    // (implementation state: queues, timers, z-order; see WindowSystem.cpp)
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

    Backend& backend_;
    Display& display_;
    Clock& clock_;
    Trace* trace_;
    InputScript* script_ = nullptr;
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
    std::deque<MessageBoxAnswer> boxAnswers_;
    std::deque<std::optional<std::string>> fileAnswers_;
};

}  // namespace plat
