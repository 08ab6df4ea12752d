#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <cstring>

#include "platform/Backend.h"
#include "platform/text/Font.h"
#include "platform/window/Chrome.h"
#include "platform/window/DesktopConverter.h"
#include "platform/window/FileChooser.h"
#include "platform/window/InputScript.h"
#include "platform/window/MessageBoxWindow.h"
#include "platform/window/Painter.h"

namespace plat {

namespace {
constexpr uint32_t kMinTimerPeriodMs = 10;  // the host's shortest timer period
constexpr uint32_t kFrameIntervalMs = 8;    // at most one presented frame per interval while input streams in
constexpr uint32_t kBusyStepMs = 10;        // how often a busy wait shows a frame and looks at input
constexpr uint32_t kIdleWaitMs = 1000;      // longest sleep with no timer (real backends wake on input anyway)

int32_t Until(uint32_t due, uint32_t now) { return static_cast<int32_t>(due - now); }

bool Contains(const std::vector<Window*>& list, const Window* w) {
    return std::find(list.begin(), list.end(), w) != list.end();
}
}  // namespace

WindowSystem::WindowSystem(Backend& backend, Display& display, Clock& clock, Trace* trace)
    : backend_(backend),
      display_(display),
      clock_(clock),
      trace_(trace),
      cursorPos_{display.Width() / 2, display.Height() / 2},
      paletteSeen_(display.PaletteGeneration()),
      converter_(std::make_unique<DesktopConverter>()),
      composed_(std::make_unique<Bitmap>(display.Width(), display.Height(), 8)) {
    chrome_ = std::make_unique<Chrome>(display_, UiFont(10, true));  // the palette's title fits its caption
    lastPresentMs_ = clock_.NowMs() - kFrameIntervalMs;
    lastIdleMs_ = clock_.NowMs();
}

WindowSystem::~WindowSystem() {
    // Windows belong to program code and should be gone by now; any left are
    // cut loose so that their destructors do not reach a dead system.
    std::vector<Window*> stack(zorder_.begin(), zorder_.end());
    while (!stack.empty()) {
        Window* w = stack.back();
        stack.pop_back();
        stack.insert(stack.end(), w->children_.begin(), w->children_.end());
        w->children_.clear();
        w->created_ = false;
    }
}

Font& WindowSystem::UiFont(int pixelSize, bool bold) {
    std::unique_ptr<Font>& f = fonts_[pixelSize * 2 + (bold ? 1 : 0)];
    if (!f) f = std::make_unique<Font>(bold ? Font::Face::SansBold : Font::Face::Sans, pixelSize);
    return *f;
}

// --- Windows ---

void WindowSystem::Register(Window& w) {
    if (w.parent_ != nullptr) {
        w.parent_->children_.push_back(&w);
        return;
    }
    zorder_.push_back(&w);
    RaiseInBand(w);
}

void WindowSystem::Unregister(Window& w) {
    if (w.parent_ != nullptr) {
        auto& siblings = w.parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), &w), siblings.end());
    } else {
        zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), &w), zorder_.end());
    }
    for (auto it = timers_.begin(); it != timers_.end();) it = it->first.window == &w ? timers_.erase(it) : std::next(it);
    posted_.erase(std::remove_if(posted_.begin(), posted_.end(), [&](const Posted& p) { return p.window == &w; }),
                  posted_.end());
    if (capture_ == &w) capture_ = nullptr;
    if (drag_ && drag_->window == &w) drag_.reset();
    activated_.erase(std::remove(activated_.begin(), activated_.end(), &w), activated_.end());
    if (auto it = modalResult_.find(&w); it != modalResult_.end() && !it->second) it->second = -1;
    FocusLeaving(w);
    framePending_ = true;
}

void WindowSystem::RaiseInBand(Window& w) {
    if (w.parent_ != nullptr) return;
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), &w), zorder_.end());
    auto pos = w.topmost_ ? zorder_.end()
                          : std::find_if(zorder_.begin(), zorder_.end(), [](const Window* o) { return o->topmost_; });
    zorder_.insert(pos, &w);
    framePending_ = true;
}

void WindowSystem::FocusLeaving(Window& w) {
    bool inside = false;
    for (Window* f = focus_; f != nullptr; f = f->parent_)
        if (f == &w) inside = true;
    if (!inside) return;
    Window* next = nullptr;
    if (w.parent_ != nullptr && w.parent_->created_) {
        next = w.parent_;
    } else if (TopModal() != nullptr && TopModal() != &w) {
        next = TopModal();
    } else {
        // The host gives the activation back to the window that had it before.
        for (auto it = activated_.rbegin(); it != activated_.rend(); ++it)
            if (*it != &w && (*it)->visible_) {
                next = *it;
                break;
            }
    }
    SetFocus(next);
}

void WindowSystem::SetFocus(Window* w) {
    if (w == focus_) return;
    if (w != nullptr && !w->created_) return;
    Window* old = focus_;
    focus_ = w;
    if (w != nullptr) {
        Window* top = w->TopLevel();
        activated_.erase(std::remove(activated_.begin(), activated_.end(), top), activated_.end());
        activated_.push_back(top);
    }
    if (old != nullptr && old->created_) old->OnFocus(false);
    if (w != nullptr && focus_ == w) w->OnFocus(true);
}

void WindowSystem::SetTimerFor(Window& w, int id, uint32_t periodMs) {
    periodMs = std::max(periodMs, kMinTimerPeriodMs);
    timers_[TimerKey{&w, id}] = Timer{periodMs, clock_.NowMs() + periodMs, timerOrder_++};
}

void WindowSystem::KillTimerFor(Window& w, int id) { timers_.erase(TimerKey{&w, id}); }

void WindowSystem::PostTo(Window& w, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    posted_.push_back(Posted{&w, msg, wParam, lParam});
}

void WindowSystem::PaintWindow(Window& w) {
    std::vector<Rect> region = std::move(w.update_);
    w.update_.clear();
    framePending_ = true;
    DeviceContext dc(display_, w.surface_.get(), Point{}, std::move(region));
    w.OnPaint(dc);
}

// --- The loop ---

void WindowSystem::QueueInput(const InputEvent& e) { input_.push_back(e); }

void WindowSystem::PostQuit(int code) {
    if (!quit_) quit_ = code;
}

int WindowSystem::Run() {
    Loop([] { return false; });
    return quit_.value_or(0);
}

void WindowSystem::Loop(const std::function<bool()>& done) {
    while (!quit_ && !done()) {
        PollBackend();
        if (DispatchOne()) continue;
        Idle();
    }
}

void WindowSystem::DispatchAll() {
    while (DispatchOne()) {
    }
}

bool WindowSystem::DispatchOne() {
    if (DispatchPaletteChange()) return true;
    if (!posted_.empty()) {
        const Posted p = posted_.front();
        posted_.pop_front();
        framePending_ = true;
        p.window->OnMessage(p.msg, p.wParam, p.lParam);
        return true;
    }
    if (!input_.empty()) {
        const InputEvent e = std::move(input_.front());
        input_.pop_front();
        DispatchInput(e);
        return true;
    }
    if (Window* w = FindPaintable()) {
        PaintWindow(*w);
        return true;
    }
    // The most overdue timer first; among equals, the one set first.
    const uint32_t now = clock_.NowMs();
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const int32_t until = Until(it->second.dueMs, now);
        if (until > 0) continue;
        if (best == timers_.end() || until < Until(best->second.dueMs, now) ||
            (until == Until(best->second.dueMs, now) && it->second.order < best->second.order))
            best = it;
    }
    if (best == timers_.end()) return false;
    // A script's next input goes ahead of a tick that fell due while the
    // program was blocked, as a person's input given meanwhile would.
    if (script_ != nullptr && !scriptEnded_ && Until(best->second.dueMs, lastIdleMs_) > 0 && script_->Ready()) return false;
    // One pending tick however late the loop is: the next one is a whole
    // period after this delivery.
    best->second.dueMs = now + best->second.periodMs;
    Window* w = best->first.window;
    const int id = best->first.id;
    framePending_ = true;
    w->OnTimer(id);
    return true;
}

bool WindowSystem::DispatchPaletteChange() {
    if (display_.PaletteGeneration() == paletteSeen_) return false;
    paletteSeen_ = display_.PaletteGeneration();
    framePending_ = true;
    const std::vector<Window*> windows = zorder_;
    for (Window* w : windows)
        if (Contains(zorder_, w)) w->OnPaletteChanged();
    return true;
}

std::optional<uint32_t> WindowSystem::NextTimerDue() const {
    const uint32_t now = clock_.NowMs();
    std::optional<uint32_t> best;
    for (const auto& [key, t] : timers_)
        if (!best || Until(t.dueMs, now) < Until(*best, now)) best = t.dueMs;
    return best;
}

void WindowSystem::PollBackend() {
    std::vector<InputEvent> events;
    backend_.PollInput(events);
    for (InputEvent& e : events) input_.push_back(std::move(e));
}

void WindowSystem::Idle() {
    const uint32_t now = clock_.NowMs();
    const uint32_t sincePresent = now - lastPresentMs_;
    if (framePending_ && sincePresent >= kFrameIntervalMs && backend_.ShowsFrames()) Present();
    if (script_ != nullptr && !scriptEnded_) {
        if (!script_->Step(NextTimerDue())) {
            scriptEnded_ = true;
            QueueInput(InputEvent{InputEvent::Type::Quit, {}, 0, {}});
        }
        lastIdleMs_ = clock_.NowMs();
        return;
    }
    if (scriptEnded_ || !backend_.Interactive()) {
        // No input can come any more and nobody moves the clock on: end the
        // loop rather than wait for ever.
        PostQuit(0);
        return;
    }
    uint32_t timeout = kIdleWaitMs;
    if (const auto due = NextTimerDue()) timeout = static_cast<uint32_t>(std::clamp<int32_t>(Until(*due, now), 0, int32_t(kIdleWaitMs)));
    if (framePending_) timeout = std::min(timeout, kFrameIntervalMs - std::min(sincePresent, kFrameIntervalMs));
    backend_.WaitInput(timeout);
}

void WindowSystem::BusyWait(uint32_t ms) {
    const uint32_t start = clock_.NowMs();
    const bool show = backend_.Interactive();
    if (show) Present();
    for (uint32_t elapsed = 0; elapsed < ms; elapsed = clock_.NowMs() - start) {
        PollBackend();  // kept for afterwards, in order
        clock_.Sleep(std::min(ms - elapsed, kBusyStepMs));
        if (show) Present();
    }
    framePending_ = true;
}

// --- Input ---

bool WindowSystem::DispatchInput(const InputEvent& e) {
    switch (e.type) {
        case InputEvent::Type::Quit:
            if (closeHandler_) {
                closeHandler_();
            } else {
                PostQuit(0);
            }
            return true;
        case InputEvent::Type::MouseMove:
        case InputEvent::Type::LButtonDown:
        case InputEvent::Type::LButtonUp:
            DispatchMouse(e);
            return true;
        case InputEvent::Type::KeyDown:
        case InputEvent::Type::KeyUp:
        case InputEvent::Type::Text:
            DispatchKey(e);
            return true;
    }
    return false;
}

Point WindowSystem::ClampPointer(Point p) const {
    p.x = std::clamp(p.x, 0, std::max(0, display_.Width() - 1));
    p.y = std::clamp(p.y, 0, std::max(0, display_.Height() - 1));
    if (clip_) {
        p.x = std::clamp(p.x, clip_->left, std::max(clip_->left, clip_->right - 1));
        p.y = std::clamp(p.y, clip_->top, std::max(clip_->top, clip_->bottom - 1));
    }
    return p;
}

Window* WindowSystem::WindowAt(Point desktop) const {
    for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it) {
        Window* w = *it;
        if (!w->visible_ || !w->rect_.Contains(desktop)) continue;
        // The deepest visible child under the point.
        for (bool descended = true; descended;) {
            descended = false;
            const Point c = w->DesktopToClient(desktop);
            for (auto ch = w->children_.rbegin(); ch != w->children_.rend(); ++ch)
                if ((*ch)->visible_ && (*ch)->rect_.Contains(c) && w->ClientRect().Contains(c)) {
                    w = *ch;
                    descended = true;
                    break;
                }
        }
        return w;
    }
    return nullptr;
}

bool WindowSystem::AcceptsInput(const Window* w) const {
    const Window* modal = TopModal();
    if (modal == nullptr) return true;
    while (w->parent_ != nullptr) w = w->parent_;
    return w == modal;
}

void WindowSystem::DispatchMouse(const InputEvent& e) {
    const Point p = ClampPointer(e.pos);
    if (!(p == e.pos)) backend_.WarpPointer(p);
    cursorPos_ = p;
    framePending_ = true;

    if (drag_) {
        Window& w = *drag_->window;
        const Rect r = w.rect_;
        const int x = std::clamp(p.x - drag_->grab.x, 20 - r.Width(), display_.Width() - 20);
        const int y = std::clamp(p.y - drag_->grab.y, 0, std::max(0, display_.Height() - 20));
        if (e.type != InputEvent::Type::LButtonDown) w.SetRect(Rect::FromSize(x, y, r.Width(), r.Height()));
        if (e.type == InputEvent::Type::LButtonUp) drag_.reset();
        return;
    }

    Window* target = capture_ != nullptr ? capture_ : WindowAt(p);
    if (target == nullptr || !AcceptsInput(target)) return;
    const Point c = target->DesktopToClient(p);
    if (capture_ == nullptr && !target->ClientRect().Contains(c)) {
        // On the frame: a press on a caption starts moving the window.
        const FrameInsets in = InsetsFor(target->style_);
        if (e.type == InputEvent::Type::LButtonDown && target->style_ == WindowStyle::ToolCaption &&
            p.y < target->rect_.top + in.top) {
            RaiseInBand(*target);
            if (focus_ == nullptr || focus_->TopLevel() != target) SetFocus(target);
            drag_ = Drag{target, {p.x - target->rect_.left, p.y - target->rect_.top}};
        }
        return;
    }
    switch (e.type) {
        case InputEvent::Type::MouseMove:
            target->OnMouseMove(c.x, c.y);
            break;
        case InputEvent::Type::LButtonDown: {
            // A press activates the window it lands in.
            Window* top = target->TopLevel();
            RaiseInBand(*top);
            if (focus_ == nullptr || focus_->TopLevel() != top) SetFocus(top);
            target->OnLButtonDown(c.x, c.y);
            break;
        }
        case InputEvent::Type::LButtonUp:
            target->OnLButtonUp(c.x, c.y);
            break;
        default:
            break;
    }
}

bool WindowSystem::IsKeyDown(int key) const {
    return std::find(keysDown_.begin(), keysDown_.end(), key) != keysDown_.end();
}

void WindowSystem::DispatchKey(const InputEvent& e) {
    Window* target = focus_;
    if (TopModal() != nullptr && (target == nullptr || !AcceptsInput(target))) target = TopModal();
    uint32_t flags = 1;  // repeat count
    if (e.type == InputEvent::Type::KeyDown) {
        const bool wasDown = std::find(keysDown_.begin(), keysDown_.end(), e.key) != keysDown_.end();
        if (wasDown) flags |= 1u << 30;  // auto-repeat: the key was already down
        else keysDown_.push_back(e.key);
    } else if (e.type == InputEvent::Type::KeyUp) {
        keysDown_.erase(std::remove(keysDown_.begin(), keysDown_.end(), e.key), keysDown_.end());
        flags |= (1u << 30) | (1u << 31);
    }
    if (target == nullptr) return;
    switch (e.type) {
        case InputEvent::Type::KeyDown: target->OnKeyDown(e.key, flags); break;
        case InputEvent::Type::KeyUp: target->OnKeyUp(e.key, flags); break;
        case InputEvent::Type::Text: target->OnText(e.text); break;
        default: break;
    }
}

// --- Modality ---

int WindowSystem::RunModal(Window& dialog) {
    if (!dialog.created_) return -1;
    Window* previousFocus = focus_;
    modal_.push_back(&dialog);
    modalResult_[&dialog] = std::nullopt;
    capture_ = nullptr;
    drag_.reset();
    RaiseInBand(*dialog.TopLevel());
    if (!dialog.visible_) dialog.Show(true);
    if (focus_ == nullptr || focus_->TopLevel() != &dialog) SetFocus(&dialog);
    Loop([&] { return modalResult_[&dialog].has_value(); });
    const int result = modalResult_[&dialog].value_or(-1);
    modalResult_.erase(&dialog);
    modal_.erase(std::remove(modal_.begin(), modal_.end(), &dialog), modal_.end());
    // Focus goes back where it was, if that window still exists.
    std::vector<Window*> stack(zorder_.begin(), zorder_.end());
    while (!stack.empty()) {
        Window* w = stack.back();
        stack.pop_back();
        if (w == previousFocus) {
            SetFocus(w);
            break;
        }
        stack.insert(stack.end(), w->children_.begin(), w->children_.end());
    }
    return result;
}

void WindowSystem::EndModal(Window& dialog, int result) {
    auto it = modalResult_.find(&dialog);
    if (it != modalResult_.end()) it->second = result;
}

bool WindowSystem::IsModalRunning() const { return !modal_.empty(); }

// --- Dialogs ---

namespace {
MessageBoxAnswer DefaultAnswer(MessageBoxButtons b) {
    return b == MessageBoxButtons::Ok ? MessageBoxAnswer::Ok : MessageBoxAnswer::Yes;
}

bool HasButton(MessageBoxButtons b, MessageBoxAnswer a) {
    switch (b) {
        case MessageBoxButtons::Ok: return a == MessageBoxAnswer::Ok;
        case MessageBoxButtons::YesNo: return a == MessageBoxAnswer::Yes || a == MessageBoxAnswer::No;
        case MessageBoxButtons::YesNoCancel: return a != MessageBoxAnswer::Ok;
    }
    return false;
}
}  // namespace

MessageBoxAnswer WindowSystem::MessageBox(const std::string& text, MessageBoxButtons buttons) {
    if (trace_ != nullptr) {
        std::string line = "message " + text;
        std::replace(line.begin(), line.end(), '\n', ' ');  // one trace line per box
        std::replace(line.begin(), line.end(), '\r', ' ');
        trace_->Log(line);
    }
    if (script_ != nullptr) {
        MessageBoxAnswer a = DefaultAnswer(buttons);
        if (!boxAnswers_.empty()) {
            if (HasButton(buttons, boxAnswers_.front())) a = boxAnswers_.front();
            boxAnswers_.pop_front();
        }
        return a;
    }
    MessageBoxWindow box(*this, text, buttons);
    if (!box.Open()) return DefaultAnswer(buttons);
    const int result = RunModal(box);
    box.Destroy();
    if (result >= 0) return static_cast<MessageBoxAnswer>(result);
    // Ended without an answer (the program is closing): the safest one.
    if (HasButton(buttons, MessageBoxAnswer::Cancel)) return MessageBoxAnswer::Cancel;
    if (HasButton(buttons, MessageBoxAnswer::No)) return MessageBoxAnswer::No;
    return MessageBoxAnswer::Ok;
}

std::optional<std::string> WindowSystem::FileDialog(const FileDialogOptions& options) {
    if (script_ != nullptr) {
        if (fileAnswers_.empty()) return std::nullopt;
        std::optional<std::string> a = std::move(fileAnswers_.front());
        fileAnswers_.pop_front();
        if (!a) return std::nullopt;
        return FileChooser::ResolveTypedName(options, FileChooser::StartFolder(options), *a);
    }
    FileChooser chooser(*this, options);
    return chooser.Run();
}

void WindowSystem::QueueMessageBoxAnswer(MessageBoxAnswer a) { boxAnswers_.push_back(a); }

void WindowSystem::QueueFileAnswer(std::optional<std::string> pathOrCancel) {
    fileAnswers_.push_back(std::move(pathOrCancel));
}

// --- Pointer ---

void WindowSystem::SetCursor(const Cursor* cursor) {
    cursor_ = cursor;
    framePending_ = true;
}

void WindowSystem::SetCursorPos(Point p) {
    p = ClampPointer(p);
    cursorPos_ = p;
    framePending_ = true;
    backend_.WarpPointer(p);
    QueueInput(InputEvent{InputEvent::Type::MouseMove, p, 0, {}});
}

void WindowSystem::ClipCursor(const Rect* r) {
    if (r == nullptr) {
        if (clip_ && trace_ != nullptr) trace_->Log("clip off");
        clip_.reset();
        return;
    }
    clip_ = *r;
    if (trace_ != nullptr)
        trace_->Log("clip " + std::to_string(r->left) + " " + std::to_string(r->top) + " " + std::to_string(r->right) +
                    " " + std::to_string(r->bottom));
    const Point p = ClampPointer(cursorPos_);
    if (!(p == cursorPos_)) SetCursorPos(p);
}

void WindowSystem::SetCapture(Window* w) { capture_ = w != nullptr && w->created_ ? w : nullptr; }

void WindowSystem::ReleaseCapture() { capture_ = nullptr; }

// --- Desktop ---

Window* WindowSystem::FindPaintable() const {
    std::vector<Window*> stack(zorder_.begin(), zorder_.end());
    while (!stack.empty()) {
        Window* w = stack.back();
        stack.pop_back();
        if (!w->visible_) continue;
        if (!w->update_.empty()) return w;
        stack.insert(stack.end(), w->children_.begin(), w->children_.end());
    }
    return nullptr;
}

namespace {
void BlitClient(Bitmap& out, const Window& w, const Rect& clip) {
    const Point o = w.ClientOrigin();
    const Bitmap& s = w.Surface();
    const Rect client = Rect::FromSize(o.x, o.y, s.Width(), s.Height());
    const Rect r = client.Intersect(clip);
    if (!r.IsEmpty()) {
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(out.Row(y) + r.left, s.Row(y - o.y) + (r.left - o.x), static_cast<size_t>(r.Width()));
    }
    for (const Window* child : w.Children())
        if (child->IsVisible()) BlitClient(out, *child, client.Intersect(clip));
}
}  // namespace

void WindowSystem::Compose(Bitmap& out) const {
    const Rect all{0, 0, out.Width(), out.Height()};
    Painter(out, all).Fill(all, chrome_->Colours().black);
    for (const Window* w : zorder_) {
        if (!w->visible_) continue;
        chrome_->DrawFrame(out, *w);
        BlitClient(out, *w, all);
    }
}

void WindowSystem::RenderFrame(std::vector<uint32_t>& xrgb) {
    Compose(*composed_);
    converter_->Convert(*composed_, display_.HardwarePalette(), cursor_, cursorPos_, xrgb);
}

void WindowSystem::Present() {
    RenderFrame(frame_);
    backend_.Present(frame_.data(), composed_->Width(), composed_->Height());
    framePending_ = false;
    lastPresentMs_ = clock_.NowMs();
}

}  // namespace plat
