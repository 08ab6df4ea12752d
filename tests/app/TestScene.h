#pragma once
// Small stand-ins for the shell's tests: a scene that logs what the view asks
// of it, hot-spots with rectangular hit areas, and a Record/Play palette that
// keeps the events it is given.

#include <memory>
#include <string>
#include <vector>

#include "app/PlinkpadView.h"
#include "graphics/DIBButton.h"
#include "graphics/StageOrigin.h"
#include "recording/ScenePalette.h"
#include "recording/Session.h"
#include "scenes/Scene.h"

namespace shelltest {

using Log = std::vector<std::string>;

// A hot-spot whose hit area is its rectangle at (x, y) + stage origin.
class TestButton final : public CDIBButton {
public:
    TestButton(int x, int y, int w, int h, int id) : CDIBButton(nullptr, id), m_w(w), m_h(h) {
        m_x = x;
        m_y = y;
    }
    int HitTest(int x, int y) override {
        const StageOrigin& o = TheStageOrigin();
        return plat::Rect::FromSize(m_x + o.x, m_y + o.y, m_w, m_h).Contains({x, y});
    }
    void Press(plat::Window&) override {
        ++presses;
        m_bLit = 1;
    }
    void Release(plat::Window&) override {
        ++releases;
        m_bLit = 0;
    }
    int presses = 0;
    int releases = 0;

private:
    int m_w, m_h;
};

// A scene that logs the view's calls, on the hub's stage (610 x 465) as
// number 0 and on a world's (608 x 456) otherwise. Hot-spots:
// id 100 at stage (10, 10) 20 x 20, id 200 at (100, 100) 50 x 50.
class TestScene final : public CScene {
public:
    TestScene(CPlinkpadView& view, int number, Log& log) : CScene(&view), m_log(log) {
        m_nScene = number;
        const int w = number == 0 ? 610 : 608, h = number == 0 ? 465 : 456;
        TheStageOrigin() = StageOrigin{(view.ClientRect().Width() - w) / 2, (view.ClientRect().Height() - h) / 2};
        m_log.push_back("construct " + std::to_string(number));
    }
    ~TestScene() override { m_log.push_back("destroy " + std::to_string(m_nScene)); }

    void AddHotspots() {
        if (!m_hotspots.empty()) return;
        m_hotspots.push_back(std::make_unique<TestButton>(10, 10, 20, 20, 100));
        m_hotspots.push_back(std::make_unique<TestButton>(100, 100, 50, 50, 200));
    }
    TestButton& Button(int index) { return static_cast<TestButton&>(*m_hotspots.at(static_cast<size_t>(index))); }
    // Makes the pointer "enter" a hot-spot as a world's mouse handler would.
    void PointAt(int index) { m_pLastHotspot = m_pHoverHotspot = m_hotspots.at(static_cast<size_t>(index)).get(); }

    void Enter(plat::DeviceContext&) override { m_log.push_back("enter"); }
    void Paint(plat::DeviceContext&) override { m_log.push_back("paint"); }
    void DrawCover(plat::DeviceContext&) override { m_log.push_back("cover"); }
    void ShowHelp() override { m_log.push_back("help"); }
    int LoadHotspots() override {
        AddHotspots();
        m_bNotReady = 0;
        m_log.push_back("load");
        return 1;
    }
    void OnMouseMove(int x, int y) override { m_log.push_back("move " + std::to_string(x) + " " + std::to_string(y)); }
    void OnLButtonDown(int x, int y) override { m_log.push_back("down " + std::to_string(x) + " " + std::to_string(y)); }
    void OnLButtonUp(int x, int y) override { m_log.push_back("up " + std::to_string(x) + " " + std::to_string(y)); }
    void OnTimer(int id) override { m_log.push_back("timer " + std::to_string(id)); }

private:
    Log& m_log;
};

// Every scene number 0..5 makes a TestScene; others none.
inline CPlinkpadView::SceneFactory TestScenes(Log& log) {
    return [&log](CPlinkpadView& view, int number) -> std::unique_ptr<CScene> {
        if (number < 0 || number > 5) return nullptr;
        return std::make_unique<TestScene>(view, number, log);
    };
}

class FakePalette final : public ScenePalette {
public:
    FakePalette(CPlinkpadView& view, int world, Log& log, bool opens)
        : m_view(view), m_window(view.System()), m_world(world), m_log(log), m_opens(opens) {}
    ~FakePalette() override { m_log.push_back("palette deleted"); }
    bool Open() override {
        m_log.push_back("palette open");
        plat::WindowParams params;
        params.rect = plat::Rect::FromSize(0, 0, 130, 178);
        params.visible = false;
        return m_opens && m_window.Create(params);
    }
    void RecordEvent(int kind, int a, int b) override {
        m_log.push_back("record " + std::to_string(kind) + " " + std::to_string(a) + " " + std::to_string(b));
    }
    void Close() override {
        m_log.push_back("palette closed");
        m_view.Session()->OnPaletteClosing();
        m_window.Destroy();
    }
    void ReselectCut() override { m_log.push_back("reselect"); }
    plat::Window& TimerWindow() override { return m_window; }
    int World() const override { return m_world; }
    std::string CutNameText() const override { return "cut"; }
    void LightTrack(int) override {}
    void ShowStop() override {}
    void SetCompact(bool compact) override { m_log.push_back(compact ? "compact 1" : "compact 0"); }

private:
    CPlinkpadView& m_view;
    plat::Window m_window;  // carries the recorder's timers
    int m_world;
    Log& m_log;
    bool m_opens;
};

inline CPlinkpadView::PaletteFactory FakePalettes(Log& log, bool opens = true) {
    return [&log, opens](CPlinkpadView& view, CScene& scene) -> std::unique_ptr<ScenePalette> {
        return std::make_unique<FakePalette>(view, scene.m_nScene, log, opens);
    };
}

}  // namespace shelltest
