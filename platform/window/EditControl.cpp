#include "platform/window/EditControl.h"

#include "platform/text/Font.h"
#include "platform/window/Keys.h"
#include "platform/window/Painter.h"
#include "platform/window/WindowSystem.h"

namespace plat {

namespace {
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t CountCodePoints(const std::string& s) {
    size_t n = 0;
    for (char c : s)
        if (!IsContinuation(c)) ++n;
    return n;
}

// The first `n` code points of `s`.
std::string FirstCodePoints(const std::string& s, size_t n) {
    size_t i = 0;
    for (; i < s.size(); ++i)
        if (!IsContinuation(s[i]) && n-- == 0) break;
    return s.substr(0, i);
}

// Typed text without control characters (they are keys, not text).
std::string Printable(const std::string& s) {
    std::string out;
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    return out;
}

int FontSizeFor(int height) { return std::clamp(height - 7, 8, 14); }
}  // namespace

EditControl::EditControl(WindowSystem& system, const EditStyle& style) : Window(system), style_(style) {}

EditControl::~EditControl() { Destroy(); }

bool EditControl::CreateChild(Window& parent, const Rect& rect, bool visible) {
    WindowParams p;
    p.style = WindowStyle::Child;
    p.parent = &parent;
    p.rect = rect;
    p.visible = visible;
    return Create(p);
}

void EditControl::SetText(const std::string& utf8, bool replaceOnType) {
    text_ = Printable(utf8);
    if (style_.maxLength != 0) text_ = FirstCodePoints(text_, style_.maxLength);
    caret_ = text_.size();
    replaceOnType_ = replaceOnType;
    Invalidate();
}

void EditControl::SetStyle(const EditStyle& style) {
    style_ = style;
    SetText(text_);
}

void EditControl::Changed() {
    replaceOnType_ = false;
    Invalidate();
}

void EditControl::OnText(const std::string& utf8) {
    std::string typed = Printable(utf8);
    if (typed.empty()) return;
    if (replaceOnType_) {
        text_.clear();
        caret_ = 0;
    }
    if (style_.maxLength != 0) {
        const size_t have = CountCodePoints(text_);
        typed = have >= style_.maxLength ? std::string() : FirstCodePoints(typed, style_.maxLength - have);
    }
    text_.insert(caret_, typed);
    caret_ += typed.size();
    Changed();
}

bool EditControl::PassesOn(int key) {
    return key == vk::kReturn || key == vk::kEscape || key == vk::kTab || key == vk::kUp || key == vk::kDown ||
           key == vk::kHelp;
}

void EditControl::OnKeyDown(int key, uint32_t flags) {
    if (PassesOn(key)) {
        if (Parent() != nullptr) Parent()->OnKeyDown(key, flags);
        return;
    }
    switch (key) {
        case vk::kBack:
        case vk::kDelete:
            if (replaceOnType_) {
                text_.clear();
                caret_ = 0;
            } else if (key == vk::kBack && caret_ > 0) {
                size_t start = caret_ - 1;
                while (start > 0 && IsContinuation(text_[start])) --start;
                text_.erase(start, caret_ - start);
                caret_ = start;
            } else if (key == vk::kDelete && caret_ < text_.size()) {
                size_t end = caret_ + 1;
                while (end < text_.size() && IsContinuation(text_[end])) ++end;
                text_.erase(caret_, end - caret_);
            }
            Changed();
            break;
        case vk::kLeft:
            while (caret_ > 0 && IsContinuation(text_[--caret_])) {
            }
            Changed();
            break;
        case vk::kRight:
            if (caret_ < text_.size())
                while (++caret_ < text_.size() && IsContinuation(text_[caret_])) {
                }
            Changed();
            break;
        default:
            break;
    }
}

void EditControl::OnKeyUp(int key, uint32_t flags) {
    if (PassesOn(key) && Parent() != nullptr) Parent()->OnKeyUp(key, flags);
}

void EditControl::OnLButtonDown(int, int) {
    SetFocus();
    caret_ = text_.size();
    Invalidate();
}

void EditControl::OnFocus(bool) { Invalidate(); }

void EditControl::OnPaint(DeviceContext&) {
    // The box is small; it always redraws whole.
    Bitmap& s = Surface();
    const UiColours c = UiColours::Nearest(System().GetDisplay());
    const uint8_t fg = style_.whiteOnBlack ? c.white : c.black;
    const uint8_t bg = style_.whiteOnBlack ? c.black : c.white;
    const Rect all = ClientRect();
    Painter p(s, all);
    p.Fill(all, bg);
    if (style_.border) p.Frame(all, fg);
    const int inset = style_.border ? 3 : 2;
    const Rect inner{all.left + inset, all.top + 1, all.right - inset, all.bottom - 1};
    Font& font = System().UiFont(FontSizeFor(all.Height()));
    const int textW = font.MeasureWidth(text_);
    int x = style_.centred ? inner.left + (inner.Width() - textW) / 2 : inner.left;
    // Keep the caret in view when the text is wider than the box.
    const int caretX = font.MeasureWidth(std::string_view(text_).substr(0, caret_));
    if (x + caretX >= inner.right) x = inner.right - 1 - caretX;
    const int top = all.top + (all.Height() - font.LineHeight()) / 2;
    Painter(s, inner).Text(font, x, top, text_, fg);
    if (HasFocus()) p.Fill({x + caretX, top, x + caretX + 1, top + font.LineHeight()}, fg);
}

}  // namespace plat
