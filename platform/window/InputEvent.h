#pragma once
// Raw input as a backend delivers it, in desktop pixels. The window system
// routes it to windows (capture, modality, focus) and turns it into messages.

#include <cstdint>
#include <string>

#include "platform/Geometry.h"

namespace plat {

struct InputEvent {
    enum class Type {
        MouseMove,
        LButtonDown,
        LButtonUp,
        KeyDown,   // key = virtual-key code
        KeyUp,
        Text,      // text = UTF-8 typed text (edit boxes)
        Quit,      // the user closed the program's window
    };
    Type type = Type::MouseMove;
    Point pos{};      // desktop coordinates (mouse events)
    int key = 0;      // virtual-key code (key events)
    std::string text; // Text events
};

}  // namespace plat
