#pragma once
// A one-line edit box: a child window showing text the user can type into
// when it has the focus (Text input events), with Backspace, Delete, the left
// and right arrows, and a caret. Keys it does not use (Enter, Escape, Tab,
// Up, Down, Help) go on to its parent, as a dialog's controls pass them on.
// Window thread only.

#include <cstddef>
#include <string>

#include "platform/window/Window.h"

namespace plat {

struct EditStyle {
    bool centred = false;       // text centred in the box, else left-aligned
    bool whiteOnBlack = false;  // white text on black, else black on white
    bool border = false;        // one-pixel frame in the text colour
    size_t maxLength = 0;       // most characters (code points) kept; 0 = no limit
};

class EditControl : public Window {
public:
    EditControl(WindowSystem& system, const EditStyle& style = {});
    ~EditControl() override;

    // Creates the box as a child of `parent` at `rect` (parent client coordinates).
    bool CreateChild(Window& parent, const Rect& rect, bool visible = true);

    const std::string& GetText() const { return text_; }
    // Replaces the text (cut to the maximum length) and puts the caret at its
    // end. With `replaceOnType` the next typed text or deletion replaces it
    // all, as when a dialog selects a proposed name.
    void SetText(const std::string& utf8, bool replaceOnType = false);
    void SetStyle(const EditStyle& style);

    void OnPaint(DeviceContext& dc) override;
    void OnText(const std::string& utf8) override;
    void OnKeyDown(int key, uint32_t flags) override;
    void OnKeyUp(int key, uint32_t flags) override;
    void OnLButtonDown(int x, int y) override;
    void OnFocus(bool gained) override;
    void OnPaletteChanged() override { Invalidate(); }

private:
    static bool PassesOn(int key);
    void Changed();

    EditStyle style_;
    std::string text_;
    size_t caret_ = 0;  // byte offset, always on a code point boundary
    bool replaceOnType_ = false;
};

}  // namespace plat
