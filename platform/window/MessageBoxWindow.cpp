#include "platform/window/MessageBoxWindow.h"

#include <algorithm>

#include "platform/text/Font.h"
#include "platform/window/Keys.h"
#include "platform/window/Painter.h"
#include "platform/window/WindowSystem.h"

namespace plat {

namespace {
constexpr int kFontSize = 13;
constexpr int kMaxTextWidth = 380;
constexpr int kMargin = 18;
constexpr int kButtonW = 76, kButtonH = 24, kButtonGap = 10;

// Breaks the text into lines at its own line breaks and between words so
// that no line is wider than `maxWidth` (a single longer word stays whole).
std::vector<std::string> Wrap(const Font& font, const std::string& text, int maxWidth) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line;
        size_t i = start;
        while (i < end) {
            size_t sp = text.find(' ', i);
            if (sp == std::string::npos || sp > end) sp = end;
            const std::string word = text.substr(i, sp - i);
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && font.MeasureWidth(candidate) > maxWidth) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            i = sp + 1;
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}
}  // namespace

MessageBoxWindow::MessageBoxWindow(WindowSystem& system, std::string text, MessageBoxButtons buttons)
    : Window(system), text_(std::move(text)) {
    switch (buttons) {
        case MessageBoxButtons::Ok: buttons_ = {{MessageBoxAnswer::Ok, "OK", {}}}; break;
        case MessageBoxButtons::YesNo:
            buttons_ = {{MessageBoxAnswer::Yes, "Yes", {}}, {MessageBoxAnswer::No, "No", {}}};
            break;
        case MessageBoxButtons::YesNoCancel:
            buttons_ = {{MessageBoxAnswer::Yes, "Yes", {}},
                        {MessageBoxAnswer::No, "No", {}},
                        {MessageBoxAnswer::Cancel, "Cancel", {}}};
            break;
    }
}

MessageBoxWindow::~MessageBoxWindow() { Destroy(); }

bool MessageBoxWindow::Open() {
    const Font& font = System().UiFont(kFontSize);
    lines_ = Wrap(font, text_, kMaxTextWidth);
    int textW = 0;
    for (const std::string& l : lines_) textW = std::max(textW, font.MeasureWidth(l));
    const int n = static_cast<int>(buttons_.size());
    const int buttonsW = n * kButtonW + (n - 1) * kButtonGap;
    const int lineH = std::max(1, font.LineHeight());
    const int clientW = std::max({textW, buttonsW, 200}) + 2 * kMargin;
    const int clientH = kMargin + static_cast<int>(lines_.size()) * lineH + kMargin + kButtonH + kMargin;
    int bx = (clientW - buttonsW) / 2;
    const int by = clientH - kMargin - kButtonH;
    for (Button& b : buttons_) {
        b.rect = Rect::FromSize(bx, by, kButtonW, kButtonH);
        bx += kButtonW + kButtonGap;
    }
    const FrameInsets in = InsetsFor(WindowStyle::Dialog);
    const int outerW = clientW + in.left + in.right, outerH = clientH + in.top + in.bottom;
    const Display& d = System().GetDisplay();
    WindowParams p;
    p.style = WindowStyle::Dialog;
    p.rect = Rect::FromSize((d.Width() - outerW) / 2, (d.Height() - outerH) / 2, outerW, outerH);
    p.title = "Plinkpad";
    p.topmost = true;
    return Create(p);
}

void MessageBoxWindow::OnPaint(DeviceContext&) {
    Bitmap& s = Surface();
    const UiColours c = UiColours::Nearest(System().GetDisplay());
    const Rect all = ClientRect();
    Painter p(s, all);
    p.Fill(all, c.black);
    const Font& font = System().UiFont(kFontSize);
    int y = kMargin;
    for (const std::string& l : lines_) {
        p.Text(font, kMargin, y, l, c.white);
        y += font.LineHeight();
    }
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
        const Button& b = buttons_[static_cast<size_t>(i)];
        const bool focused = i == focused_;
        const bool down = i == pressed_;
        p.Fill(b.rect, focused || down ? c.white : c.black);
        p.Frame(b.rect, c.white);
        if (focused) p.Frame({b.rect.left + 2, b.rect.top + 2, b.rect.right - 2, b.rect.bottom - 2}, c.black);
        p.TextCentred(font, down ? b.rect.Offset(1, 1) : b.rect, b.label, focused || down ? c.black : c.white);
    }
}

void MessageBoxWindow::Answer(MessageBoxAnswer a) { System().EndModal(*this, static_cast<int>(a)); }

void MessageBoxWindow::OnKeyDown(int key, uint32_t) {
    const int n = static_cast<int>(buttons_.size());
    auto has = [&](MessageBoxAnswer a) {
        return std::any_of(buttons_.begin(), buttons_.end(), [a](const Button& b) { return b.answer == a; });
    };
    switch (key) {
        case vk::kReturn:
        case vk::kSpace: Answer(buttons_[static_cast<size_t>(focused_)].answer); return;
        case vk::kEscape:
            Answer(has(MessageBoxAnswer::Cancel) ? MessageBoxAnswer::Cancel
                   : has(MessageBoxAnswer::No)   ? MessageBoxAnswer::No
                                                 : MessageBoxAnswer::Ok);
            return;
        case vk::kLeft:
        case vk::kUp: focused_ = (focused_ + n - 1) % n; break;
        case vk::kRight:
        case vk::kDown:
        case vk::kTab: focused_ = (focused_ + 1) % n; break;
        case vk::kA + ('Y' - 'A'):
            if (has(MessageBoxAnswer::Yes)) Answer(MessageBoxAnswer::Yes);
            return;
        case vk::kA + ('N' - 'A'):
            if (has(MessageBoxAnswer::No)) Answer(MessageBoxAnswer::No);
            return;
        case vk::kA + ('C' - 'A'):
            if (has(MessageBoxAnswer::Cancel)) Answer(MessageBoxAnswer::Cancel);
            return;
        default: return;
    }
    Invalidate();
}

int MessageBoxWindow::ButtonAt(int x, int y) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].rect.Contains({x, y})) return static_cast<int>(i);
    return -1;
}

void MessageBoxWindow::OnLButtonDown(int x, int y) {
    pressed_ = ButtonAt(x, y);
    if (pressed_ >= 0) {
        focused_ = pressed_;
        System().SetCapture(this);
    }
    Invalidate();
}

void MessageBoxWindow::OnLButtonUp(int x, int y) {
    const int was = pressed_;
    pressed_ = -1;
    System().ReleaseCapture();
    Invalidate();
    if (was >= 0 && ButtonAt(x, y) == was) Answer(buttons_[static_cast<size_t>(was)].answer);
}

}  // namespace plat
