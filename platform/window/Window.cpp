#include "platform/window/Window.h"

#include <algorithm>
#include <cstring>

#include "platform/window/WindowSystem.h"

namespace plat {

FrameInsets InsetsFor(WindowStyle style) {
    switch (style) {
        case WindowStyle::ToolCaption: return {5, 30, 5, 0};
        case WindowStyle::Dialog: return {3, 3, 3, 3};
        case WindowStyle::Popup:
        case WindowStyle::Child: break;
    }
    return {};
}

namespace {
// The client size that an outer rectangle leaves for a style (never negative).
int ClientWidth(WindowStyle s, const Rect& outer) {
    const FrameInsets in = InsetsFor(s);
    return std::max(0, outer.Width() - in.left - in.right);
}
int ClientHeight(WindowStyle s, const Rect& outer) {
    const FrameInsets in = InsetsFor(s);
    return std::max(0, outer.Height() - in.top - in.bottom);
}
}  // namespace

Window::Window(WindowSystem& system) : system_(system), surface_(std::make_unique<Bitmap>(0, 0, 8)) {}

Window::~Window() { Destroy(); }

bool Window::Create(const WindowParams& params) {
    if (created_) return false;
    if ((params.style == WindowStyle::Child) != (params.parent != nullptr)) return false;
    if (params.parent != nullptr && !params.parent->created_) return false;
    style_ = params.style;
    rect_ = params.rect;
    parent_ = params.parent;
    title_ = params.title;
    topmost_ = parent_ == nullptr && params.topmost;
    visible_ = false;
    update_.clear();
    surface_ = std::make_unique<Bitmap>(ClientWidth(style_, rect_), ClientHeight(style_, rect_), 8);
    created_ = true;
    system_.Register(*this);
    if (!OnCreate()) {
        system_.Unregister(*this);
        created_ = false;
        return false;
    }
    if (params.visible && created_) {
        Show(true);
        // A new visible top-level window is activated, as on the host.
        if (parent_ == nullptr && created_) system_.SetFocus(this);
    }
    return created_;
}

void Window::Destroy() {
    if (!created_) return;
    OnDestroy();
    while (!children_.empty()) {
        Window* child = children_.back();
        child->Destroy();
        if (!children_.empty() && children_.back() == child) children_.pop_back();  // defensive: never loop
    }
    system_.Unregister(*this);
    created_ = false;
    visible_ = false;
    update_.clear();
}

void Window::Invalidate(const Rect* r) {
    if (!created_) return;
    const Rect client = ClientRect();
    const Rect add = r != nullptr ? r->Intersect(client) : client;
    if (add.IsEmpty()) return;
    for (const Rect& u : update_)
        if (u.Intersect(add) == add) return;  // already covered
    update_.push_back(add);
    // A long list costs more to clip against than it saves: collapse it.
    if (update_.size() > 32) {
        Rect all{};
        for (const Rect& u : update_) all = all.Union(u);
        update_.assign(1, all);
    }
}

void Window::UpdateNow() {
    if (!created_ || update_.empty()) return;
    for (const Window* w = this; w != nullptr; w = w->parent_)
        if (!w->visible_) return;
    system_.PaintWindow(*this);
}

DeviceContext Window::GetDC() {
    system_.framePending_ = true;
    return DeviceContext(system_.GetDisplay(), surface_.get(), Point{}, {});
}

void Window::SetTimer(int id, uint32_t periodMs) {
    if (created_) system_.SetTimerFor(*this, id, periodMs);
}

void Window::KillTimer(int id) { system_.KillTimerFor(*this, id); }

void Window::Post(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (created_) system_.PostTo(*this, msg, wParam, lParam);
}

void Window::Show(bool shown) {
    if (!created_ || visible_ == shown) return;
    visible_ = shown;
    system_.framePending_ = true;
    if (shown) {
        Invalidate();
    } else {
        system_.FocusLeaving(*this);
        if (system_.capture_ == this) system_.capture_ = nullptr;
    }
    OnShowWindow(shown);
}

void Window::SetRect(const Rect& outer) {
    if (!created_) return;
    const int w = ClientWidth(style_, outer), h = ClientHeight(style_, outer);
    rect_ = outer;
    system_.framePending_ = true;
    if (w == surface_->Width() && h == surface_->Height()) return;
    // A new size keeps what overlaps and repaints the whole client, as the
    // host does for windows that redraw on resizing.
    auto resized = std::make_unique<Bitmap>(w, h, 8);
    const int cw = std::min(w, surface_->Width()), ch = std::min(h, surface_->Height());
    for (int y = 0; y < ch; ++y) std::memcpy(resized->Row(y), surface_->Row(y), static_cast<size_t>(cw));
    surface_ = std::move(resized);
    update_.clear();
    Invalidate();
}

void Window::SetTopmost(bool topmost) {
    if (!created_ || parent_ != nullptr) return;
    topmost_ = topmost;
    system_.RaiseInBand(*this);
}

void Window::BringToTop() {
    if (created_) system_.RaiseInBand(*this);
}

void Window::SetFocus() {
    if (created_) system_.SetFocus(this);
}

bool Window::HasFocus() const { return created_ && system_.Focus() == this; }

Window* Window::TopLevel() {
    Window* w = this;
    while (w->parent_ != nullptr) w = w->parent_;
    return w;
}

Rect Window::ClientRect() const { return {0, 0, ClientWidth(style_, rect_), ClientHeight(style_, rect_)}; }

Point Window::ClientOrigin() const {
    if (parent_ != nullptr) {
        const Point p = parent_->ClientOrigin();
        return {p.x + rect_.left, p.y + rect_.top};
    }
    const FrameInsets in = InsetsFor(style_);
    return {rect_.left + in.left, rect_.top + in.top};
}

Point Window::ClientToDesktop(Point p) const {
    const Point o = ClientOrigin();
    return {p.x + o.x, p.y + o.y};
}

Point Window::DesktopToClient(Point p) const {
    const Point o = ClientOrigin();
    return {p.x - o.x, p.y - o.y};
}

}  // namespace plat
