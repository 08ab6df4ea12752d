#include "app/monkey/Action.h"

#include <algorithm>

#include "platform/window/Keys.h"

namespace monkey {

namespace {
// The script's name of a key.
std::string KeyName(int key) {
    if ((key >= plat::vk::kA && key < plat::vk::kA + 26) || (key >= plat::vk::k0 && key < plat::vk::k0 + 10))
        return std::string(1, static_cast<char>(key >= plat::vk::kA ? key - plat::vk::kA + 'a' : key));
    switch (key) {
        case plat::vk::kShift: return "shift";
        case plat::vk::kControl: return "ctrl";
        case plat::vk::kTab: return "tab";
        case plat::vk::kHelp: return "help";
        case plat::vk::kDelete: return "delete";
        case plat::vk::kBack: return "backspace";
        default: return (key < 10 ? "0" : "") + std::to_string(key);
    }
}
}  // namespace

void ActionWriter::Line(const std::string& verb, plat::Point p) {
    action_.script += verb + " " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
}

void ActionWriter::KeyLine(const std::string& verb, int key) { action_.script += verb + " " + KeyName(key) + "\n"; }

void ActionWriter::Move(plat::Point p) { Line("move", p); }
void ActionWriter::Down(plat::Point p) { Line("down", p); }

void ActionWriter::Up(plat::Point p) {
    Line("up", p);
    action_.releases.push_back({p, Holds(plat::vk::kControl)});
}

void ActionWriter::Click(plat::Point p) {
    Move(p);
    Down(p);
    Up(p);
}

void ActionWriter::Key(int key) {
    KeyDown(key);
    KeyUp(key);
}

void ActionWriter::KeyDown(int key) {
    KeyLine("keydown", key);
    if (!Holds(key)) held_.push_back(key);
}

void ActionWriter::KeyUp(int key) {
    KeyLine("keyup", key);
    held_.erase(std::remove(held_.begin(), held_.end(), key), held_.end());
}

void ActionWriter::Type(const std::string& text) { action_.script += "type " + text + "\n"; }

void ActionWriter::Wait(uint32_t ms) { action_.script += "wait " + std::to_string(ms) + "\n"; }

bool ActionWriter::Holds(int key) const { return std::find(held_.begin(), held_.end(), key) != held_.end(); }

}  // namespace monkey
