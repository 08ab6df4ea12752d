#pragma once
// The trace of a scripted run: one line per observable action, each starting
// with the program time in milliseconds ("1234 play 10 cea1.wav"). The line
// formats are documented in docs/scripting.md and must stay stable.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace plat {

class Trace {
public:
    // Writes to `path` (truncated) when given; keeps the lines in memory for
    // tests unless `keepLines` is false (long runs, whose lines would pile
    // up). Window thread only.
    Trace(const Clock& clock, const std::string& path = {}, bool keepLines = true);
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    // Appends "<NowMs> <text>".
    void Log(std::string_view text);
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    const Clock& clock_;
    std::FILE* file_ = nullptr;
    bool keepLines_;
    std::vector<std::string> lines_;
};

}  // namespace plat
