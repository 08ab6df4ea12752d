#pragma once
// The message box window: the text and its buttons, white on black in the
// program's own look. Enter or Space takes the focused button (at first the
// default, OK or Yes), Escape takes Cancel (No in a Yes/No box, OK in an OK
// box), the arrow keys and Tab move the focus, Y, N and C answer directly,
// and a click on a button answers. The answer ends the modal loop as
// EndModal(int(MessageBoxAnswer)). Window thread only.

#include <string>
#include <vector>

#include "platform/Host.h"
#include "platform/window/Window.h"

namespace plat {

class MessageBoxWindow final : public Window {
public:
    MessageBoxWindow(WindowSystem& system, std::string text, MessageBoxButtons buttons);
    ~MessageBoxWindow() override;

    // Creates the box centred on the desktop, above every other window.
    bool Open();

    void OnPaint(DeviceContext& dc) override;
    void OnKeyDown(int key, uint32_t flags) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnPaletteChanged() override { Invalidate(); }

private:
    struct Button {
        MessageBoxAnswer answer;
        const char* label;
        Rect rect;
    };
    void Answer(MessageBoxAnswer a);
    int ButtonAt(int x, int y) const;

    std::string text_;
    std::vector<std::string> lines_;
    std::vector<Button> buttons_;
    int focused_ = 0;
    int pressed_ = -1;
};

}  // namespace plat
