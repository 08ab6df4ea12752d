#pragma once
// Fakes of what the recorder talks to: a scene that logs the inputs it gets,
// a palette window whose timers run in the headless window system, a view
// that logs world switches, and message boxes that log their text.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Host.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"
#include "recording/RecorderHooks.h"
#include "recording/Session.h"
#include "recording/codec/SessionData.h"
#include "tests/support/HostFakes.h"

class FakeScene : public RecorderScene {
public:
    explicit FakeScene(int number) : number_(number) {}
    int SceneNumber() const override { return number_; }
    void OnMouseMove(int x, int y) override { Log("move", x, y); }
    void OnLButtonDown(int x, int y) override { Log("down", x, y); }
    void OnLButtonUp(int x, int y) override {
        Log("up", x, y);
        if (onButtonUp) onButtonUp();
    }
    void OnKeyDown(int key, uint32_t flags) override { Log("keydown", key, int(flags)); }
    void OnKeyUp(int key, uint32_t flags) override { Log("keyup", key, int(flags)); }
    DayArrangement* CaptureArrangement() override {
        auto* a = new DayArrangement;
        a->set = nextSet;
        return a;
    }
    void ClearArrangement() override { log.push_back("clear board"); }
    void RestoreArrangement(const DayArrangement& a) override { log.push_back("restore set " + std::to_string(a.set)); }

    std::vector<std::string> log;
    int nextSet = 1;
    std::function<void()> onButtonUp;  // a replayed click with side effects

private:
    void Log(const char* what, int a, int b) { log.push_back(std::string(what) + " " + std::to_string(a) + "," + std::to_string(b)); }
    int number_;
};

// A real palette window whose timers run in the window system: timer 666
// is handled the palette's way (kill it, then PlayEvent on the session).
class FakePalette : public plat::Window, public RecorderPalette {
public:
    FakePalette(plat::WindowSystem& system, int world, std::string cutName = "")
        : Window(system), world_(world), cutName_(std::move(cutName)) {
        plat::WindowParams params;
        params.rect = plat::Rect::FromSize(0, 0, 130, 178);
        Create(params);
    }
    ~FakePalette() override { Destroy(); }

    plat::Window& TimerWindow() override {
        Use();
        return *this;
    }
    int World() const override { return world_; }
    std::string CutNameText() const override { return cutName_; }
    void LightTrack(int track) override {
        Use();
        lights.push_back(track);
    }
    void ShowStop() override {
        Use();
        ++stopShown;
    }
    void SetCompact(bool on) override {
        Use();
        compactCalls.push_back(on);
    }
    void OnTimer(int id) override {
        if (id != 666) {
            ++otherTicks;
            return;
        }
        KillTimer(666);
        ticks.push_back(System().NowMs());
        if (session) session()->PlayEvent();
    }
    // The window goes; any later call from the recorder is a use of it.
    void Close() {
        Destroy();
        closed = true;
    }

    std::function<CSession*()> session;  // as the palette reaches it: through the view
    std::vector<uint32_t> ticks;         // clock values of the timer 666 ticks
    int otherTicks = 0;
    std::vector<int> lights;
    std::vector<bool> compactCalls;
    int stopShown = 0;
    bool closed = false;

private:
    void Use() const {
        if (closed) ADD_FAILURE() << "recorder used a closed palette";
    }
    int world_;
    std::string cutName_;
};

using FakeDialogs = testsupport::RecordingDialogs;

class FakeView : public RecorderView {
public:
    void ResumeInWorld(int world, int resumeCut) override { switches.push_back({world, resumeCut}); }
    std::vector<std::pair<int, int>> switches;
};

// Random numbers the test decides, in order; 0 when it runs out.
class ScriptedRandom {
public:
    std::function<int()> Source() {
        return [this] {
            if (values.empty()) return 0;
            const int v = values.front();
            values.pop_front();
            return v;
        };
    }
    std::deque<int> values;
};
