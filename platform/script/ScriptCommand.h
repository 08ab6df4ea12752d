#pragma once
// One line of a `--script` file, parsed. The commands and their syntax are
// documented in docs/scripting.md. Parsing never throws; a bad line gives an
// error text. Any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"
#include "platform/Host.h"

namespace plat {

struct ScriptCommand {
    enum class Kind {
        Move,        // pos
        Down,        // pos
        Up,          // pos
        Click,       // pos: move, down, up
        Key,         // key: down and up
        KeyDown,     // key
        KeyUp,       // key
        Type,        // text
        Wait,        // ms
        Answer,      // answer
        File,        // path, or cancel when empty
        Screenshot,  // path
        Windowshot,  // path
        Quit,
    };
    Kind kind = Kind::Quit;
    Point pos{};
    int key = 0;
    uint32_t ms = 0;
    MessageBoxAnswer answer = MessageBoxAnswer::Ok;
    std::optional<std::string> path;  // File: nullopt = cancel
    std::string text;                 // Type
};

// The virtual-key code a script names: a letter or digit, a key name
// (shift, ctrl, tab, help, delete, backspace, enter, escape, space, left,
// right, up, down) or a decimal code 1..255 of two or more digits.
std::optional<int> ParseScriptKey(std::string_view name);

struct ScriptLine {
    std::optional<ScriptCommand> command;  // none for blank and comment lines
    std::string error;                     // non-empty for a bad line
};
ScriptLine ParseScriptLine(std::string_view line);

}  // namespace plat
