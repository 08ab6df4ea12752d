#pragma once
// A window of the virtual desktop. Program classes derive from it and
// override the handlers they need; the window system calls them on the
// window thread in the host's retrieval order (see WindowSystem.h).
//
// Every top-level and child window owns an 8-bit surface of its client size.
// Drawing on the window (GetDC) writes that surface; the desktop shown to the
// user is composed from the surfaces in z-order, so what was drawn stays until
// it is drawn over, exactly as on the host's screen.
//
// Ownership: window objects belong to program code. Destroy() (or the
// destructor) removes the window, its children, its timers and its posted
// messages. A class that needs its OnDestroy called must call Destroy() in its
// own destructor (the base destructor can only reach the base handler).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"

namespace plat {

class Window;
class WindowSystem;

enum class WindowStyle {
    Popup,        // no frame at all (the full-screen view, modal pictures)
    ToolCaption,  // caption with the title, thin border, no buttons (the palette)
    Dialog,       // framed modal dialog of the program's own look (message boxes, file chooser)
    Child,        // child control inside a parent's client area
};

// The frame around a window's client area, in pixels, for each style.
struct FrameInsets {
    int left = 0, top = 0, right = 0, bottom = 0;
};
FrameInsets InsetsFor(WindowStyle style);

struct WindowParams {
    WindowStyle style = WindowStyle::Popup;
    Rect rect{};               // outer rectangle: desktop coordinates, or parent client coordinates for Child
    Window* parent = nullptr;  // Child only
    std::string title;
    bool visible = true;
    bool topmost = false;
};

class Window {
public:
    explicit Window(WindowSystem& system);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the window: calls OnCreate, and returns false (nothing created)
    // when OnCreate returns false.
    bool Create(const WindowParams& params);
    void Destroy();
    bool IsCreated() const { return created_; }

    // --- Handlers (window thread). Coordinates are client coordinates. ---
    virtual bool OnCreate() { return true; }
    virtual void OnDestroy() {}
    // `dc` draws on the surface, clipped to the update region (already validated).
    virtual void OnPaint(DeviceContext& dc) { (void)dc; }
    virtual void OnMouseMove(int x, int y) { (void)x; (void)y; }
    virtual void OnLButtonDown(int x, int y) { (void)x; (void)y; }
    virtual void OnLButtonUp(int x, int y) { (void)x; (void)y; }
    virtual void OnKeyDown(int key, uint32_t flags) { (void)key; (void)flags; }
    virtual void OnKeyUp(int key, uint32_t flags) { (void)key; (void)flags; }
    virtual void OnText(const std::string& utf8) { (void)utf8; }
    virtual void OnTimer(int id) { (void)id; }
    virtual void OnShowWindow(bool shown) { (void)shown; }
    // Posted or sent program messages (WM_USER + n); the result is returned to a sender.
    virtual intptr_t OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
        (void)msg; (void)wParam; (void)lParam;
        return 0;
    }
    // The hardware palette changed (host: WM_PALETTECHANGED). Sent to every
    // top-level window before the next message once a realisation changed it.
    virtual void OnPaletteChanged() {}
    // Keyboard focus arrived (true) or left (false).
    virtual void OnFocus(bool gained) { (void)gained; }

    // --- Services ---
    WindowSystem& System() const { return system_; }
    // Adds to the update region (whole client when null).
    void Invalidate(const Rect* r = nullptr);
    // Paints at once, inside this call, if the update region is not empty.
    void UpdateNow();
    // A context drawing straight on the window's client area (no clip).
    DeviceContext GetDC();
    // Per-window timers: one pending tick at most; setting an id again restarts
    // it. Periods below 10 ms are raised to 10 ms, as on the host.
    void SetTimer(int id, uint32_t periodMs);
    void KillTimer(int id);
    void Post(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    intptr_t Send(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0) { return OnMessage(msg, wParam, lParam); }

    void Show(bool shown);
    bool IsVisible() const { return visible_; }
    // Moves and resizes; the outer rectangle, in desktop (or parent client) coordinates.
    void SetRect(const Rect& outer);
    void SetTopmost(bool topmost);
    void BringToTop();
    void SetFocus();
    bool HasFocus() const;
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    Rect OuterRect() const { return rect_; }
    // Client area in client coordinates: (0, 0, w, h).
    Rect ClientRect() const;
    // Client area's top-left corner in desktop coordinates.
    Point ClientOrigin() const;
    Point ClientToDesktop(Point p) const;
    Point DesktopToClient(Point p) const;

    WindowStyle Style() const { return style_; }
    Window* Parent() const { return parent_; }
    // The top-level window this one belongs to (itself when top-level).
    Window* TopLevel();
    // Child windows, bottom first.
    const std::vector<Window*>& Children() const { return children_; }
    bool IsTopmost() const { return topmost_; }
    const Bitmap& Surface() const { return *surface_; }
    // The surface itself, for widgets that draw text and frames straight on it.
    Bitmap& Surface() { return *surface_; }
    const std::vector<Rect>& UpdateRegion() const { return update_; }

private:
    friend class WindowSystem;
    WindowSystem& system_;
    bool created_ = false;
    WindowStyle style_ = WindowStyle::Popup;
    Rect rect_{};
    Window* parent_ = nullptr;
    std::string title_;
    bool visible_ = false;
    bool topmost_ = false;
    std::unique_ptr<Bitmap> surface_;
    std::vector<Rect> update_;
    std::vector<Window*> children_;
};

}  // namespace plat
