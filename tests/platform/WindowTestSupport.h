#pragma once
// Helpers of the window-system tests: a window that logs what it receives,
// and an input script that feeds a fixed list of events.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/InputScript.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace plat::testing {

class LoggingWindow : public Window {
public:
    LoggingWindow(WindowSystem& s, std::vector<std::string>& log, std::string name)
        : Window(s), log_(log), name_(std::move(name)) {}
    ~LoggingWindow() override { Destroy(); }

    bool Open(const Rect& r, WindowStyle style = WindowStyle::Popup, bool topmost = false) {
        WindowParams p;
        p.style = style;
        p.rect = r;
        p.topmost = topmost;
        p.title = name_;
        return Create(p);
    }

    void OnPaint(DeviceContext& dc) override {
        log_.push_back(name_ + " paint");
        dc.FillRect(ClientRect(), paintIndex);
    }
    void OnMouseMove(int x, int y) override { Log("move", x, y); }
    void OnLButtonDown(int x, int y) override { Log("down", x, y); }
    void OnLButtonUp(int x, int y) override { Log("up", x, y); }
    void OnKeyDown(int key, uint32_t) override { Log("keydown", key); }
    void OnKeyUp(int key, uint32_t) override { Log("keyup", key); }
    void OnText(const std::string& t) override { log_.push_back(name_ + " text " + t); }
    void OnTimer(int id) override {
        Log("timer", id);
        if (onTimer) onTimer(id);
    }
    intptr_t OnMessage(uint32_t msg, uintptr_t, intptr_t) override {
        Log("message", static_cast<int>(msg));
        if (onMessage) onMessage(msg);
        return 1;
    }

    uint8_t paintIndex = 7;
    std::function<void(int)> onTimer;
    std::function<void(uint32_t)> onMessage;

private:
    void Log(const char* what, int a, int b) {
        log_.push_back(name_ + " " + what + " " + std::to_string(a) + " " + std::to_string(b));
    }
    void Log(const char* what, int a) { log_.push_back(name_ + " " + what + " " + std::to_string(a)); }
    std::vector<std::string>& log_;
    std::string name_;
};

// Feeds one queued event per step (none left: the script ends).
class FeedScript : public InputScript {
public:
    explicit FeedScript(WindowSystem& s) : system_(s) {}
    void Add(InputEvent::Type type, Point p = {}, int key = 0, std::string text = {}) {
        events_.push_back(InputEvent{type, p, key, std::move(text)});
    }
    bool Step(std::optional<uint32_t>) override {
        if (events_.empty()) return false;
        system_.QueueInput(events_.front());
        events_.pop_front();
        return true;
    }

private:
    WindowSystem& system_;
    std::deque<InputEvent> events_;
};

inline InputEvent Key(InputEvent::Type t, int key) { return InputEvent{t, {}, key, {}}; }
inline InputEvent Mouse(InputEvent::Type t, int x, int y) { return InputEvent{t, {x, y}, 0, {}}; }

}  // namespace plat::testing
