#include "platform/script/ScriptRunner.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/Backend.h"
#include "platform/headless/PngWriter.h"
#include "platform/window/WindowSystem.h"

namespace plat {

ScriptRunner::ScriptRunner(WindowSystem& windows, Clock& clock) : windows_(windows), clock_(clock) {}

bool ScriptRunner::LoadFile(const std::string& path, std::ostream& err) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << path << ": cannot read the script\n";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return LoadText(text.str(), path, err);
}

bool ScriptRunner::LoadText(std::string_view text, const std::string& name, std::ostream& err) {
    name_ = name;
    commands_.clear();
    lines_.clear();
    next_ = 0;
    waitUntil_.reset();
    bool ok = true;
    int number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++number;
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.find('\0') != std::string_view::npos) {
            err << name << ":" << number << ": the line holds a NUL byte\n";
            ok = false;
            continue;
        }
        ScriptLine parsed = ParseScriptLine(line);
        if (!parsed.error.empty()) {
            err << name << ":" << number << ": " << parsed.error << "\n";
            ok = false;
        } else if (parsed.command) {
            commands_.push_back(std::move(*parsed.command));
            lines_.push_back(number);
        }
    }
    return ok;
}

bool ScriptRunner::Step(std::optional<uint32_t> nextTimerDue) {
    if (waitUntil_) {
        const uint32_t now = clock_.NowMs();
        const int32_t left = static_cast<int32_t>(*waitUntil_ - now);
        if (left > 0) {
            uint32_t step = static_cast<uint32_t>(left);
            if (nextTimerDue) {
                const int32_t toTimer = static_cast<int32_t>(*nextTimerDue - now);
                if (toTimer <= 0) return true;  // the loop delivers that tick first
                step = std::min(step, static_cast<uint32_t>(toTimer));
            }
            clock_.Sleep(step);
            return true;
        }
        waitUntil_.reset();
    }
    if (next_ >= commands_.size()) return false;
    const ScriptCommand& c = commands_[next_];
    const int line = lines_[next_];
    ++next_;
    auto input = [&](InputEvent::Type type) {
        InputEvent e;
        e.type = type;
        e.pos = c.pos;
        e.key = c.key;
        e.text = c.text;
        windows_.QueueInput(e);
    };
    using K = ScriptCommand::Kind;
    switch (c.kind) {
        case K::Move: input(InputEvent::Type::MouseMove); break;
        case K::Down: input(InputEvent::Type::LButtonDown); break;
        case K::Up: input(InputEvent::Type::LButtonUp); break;
        case K::Click:
            input(InputEvent::Type::MouseMove);
            input(InputEvent::Type::LButtonDown);
            input(InputEvent::Type::LButtonUp);
            break;
        case K::Key:
            input(InputEvent::Type::KeyDown);
            input(InputEvent::Type::KeyUp);
            break;
        case K::KeyDown: input(InputEvent::Type::KeyDown); break;
        case K::KeyUp: input(InputEvent::Type::KeyUp); break;
        case K::Type: input(InputEvent::Type::Text); break;
        case K::Wait: waitUntil_ = clock_.NowMs() + c.ms; break;
        case K::Answer: windows_.QueueMessageBoxAnswer(c.answer); break;
        case K::File: windows_.QueueFileAnswer(c.path); break;
        case K::Screenshot:
        case K::Windowshot: Shot(c, line); break;
        case K::Quit: next_ = commands_.size(); return false;
    }
    return true;
}

bool ScriptRunner::Ready() const {
    return !waitUntil_ || static_cast<int32_t>(*waitUntil_ - clock_.NowMs()) <= 0;
}

void ScriptRunner::Shot(const ScriptCommand& c, int line) {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    if (c.kind == ScriptCommand::Kind::Screenshot) {
        windows_.RenderFrame(pixels);
        w = windows_.GetDisplay().Width();
        h = windows_.GetDisplay().Height();
    } else {
        windows_.Present();  // the window shows the latest picture first
        if (!windows_.GetBackend().ReadScreen(pixels, w, h)) {
            std::cerr << name_ << ":" << line << ": windowshot: the window cannot be read\n";
            failed_ = true;
            return;
        }
    }
    if (!WritePng(*c.path, pixels.data(), w, h)) {
        std::cerr << name_ << ":" << line << ": cannot write " << *c.path << "\n";
        failed_ = true;
    }
}

}  // namespace plat
