#pragma once
// Fakes of what the recorder talks to: a scene that logs the inputs it gets,
// a palette that holds its timers for the test to fire, a view that logs
// world switches, and message boxes that log their text.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Host.h"
#include "recording/RecorderHooks.h"
#include "recording/codec/SessionData.h"

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

class FakePalette : public RecorderPalette {
public:
    explicit FakePalette(int world, std::string cutName = "") : world_(world), cutName_(std::move(cutName)) {}
    void SetRecorderTimer(int id, uint32_t periodMs) override {
        Use();
        timers[id] = periodMs;
    }
    void KillRecorderTimer(int id) override {
        Use();
        timers.erase(id);
    }
    void ReleaseCursorClip() override {
        Use();
        ++clipReleases;
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
    // After this, any call from the recorder is a use of a destroyed palette.
    void MarkClosed() { closed = true; }

    std::map<int, uint32_t> timers;
    std::vector<int> lights;
    std::vector<bool> compactCalls;
    int clipReleases = 0;
    int stopShown = 0;
    bool closed = false;

private:
    void Use() {
        if (closed) ADD_FAILURE() << "recorder used a closed palette";
    }
    int world_;
    std::string cutName_;
};

class FakeView : public RecorderView {
public:
    void ResumeInWorld(int world, int resumeCut) override { switches.push_back({world, resumeCut}); }
    std::vector<std::pair<int, int>> switches;
};

class FakeDialogs : public plat::Dialogs {
public:
    plat::MessageBoxAnswer MessageBox(const std::string& text, plat::MessageBoxButtons) override {
        messages.push_back(text);
        return plat::MessageBoxAnswer::Ok;
    }
    std::optional<std::string> FileDialog(const plat::FileDialogOptions&) override { return std::nullopt; }
    std::vector<std::string> messages;
};

// A host with a manual clock and logging dialogs, current while it lives.
class TestHost {
public:
    explicit TestHost(uint32_t startMs) : clock(startMs) {
        host_.dialogs = &dialogs;
        host_.clock = &clock;
        plat::SetHost(&host_);
    }
    ~TestHost() { plat::SetHost(nullptr); }
    plat::ManualClock clock;
    FakeDialogs dialogs;

private:
    plat::Host host_;
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
