#pragma once
// One thing the monkey does, written as lines of a `--script` file
// (docs/scripting.md): the monkey runs them through a ScriptRunner, one line
// each time the program has finished with the one before, exactly as a
// scripted run would. So the monkey's whole input, saved as a script, plays
// the same run again.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace monkey {

struct Action {
    enum class Session { None, New, Open, Save };

    std::string kind;    // what it is, for the summary ("click hot-spot")
    std::string script;  // its lines
    // Where the left button comes up, and whether the monkey holds Ctrl
    // then: what the session check needs to know of clicks on the palette.
    struct Release {
        plat::Point at;
        bool ctrl;
    };
    std::vector<Release> releases;
    // The session command it means to give; the monkey answers the
    // questions and file dialogs of that command, and refuses the rest.
    Session session = Session::None;
};

// Appends lines to an action, keeping track of the keys it holds down.
class ActionWriter {
public:
    explicit ActionWriter(Action& action) : action_(action) {}

    void Move(plat::Point p);
    void Down(plat::Point p);
    void Up(plat::Point p);
    // Move, down and up at p.
    void Click(plat::Point p);
    // Virtual-key codes (platform/window/Keys.h).
    void Key(int key);
    void KeyDown(int key);
    void KeyUp(int key);
    // Text typed into the edit box that has the focus (no '#' or line break).
    void Type(const std::string& text);
    void Wait(uint32_t ms);
    bool Holds(int key) const;

private:
    void Line(const std::string& verb, plat::Point p);
    void KeyLine(const std::string& verb, int key);

    Action& action_;
    std::vector<int> held_;
};

}  // namespace monkey
