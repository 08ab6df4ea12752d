#pragma once
// Plays a `--script` file into the window system: input events, program
// time, answers for message boxes and file dialogs, screenshots. The whole
// file is read and checked first; a bad line is reported with its number and
// nothing runs (the program then exits with kBadScriptExit). End of file
// acts as `quit`. The commands are documented in docs/scripting.md.
// Window thread only.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/script/ScriptCommand.h"
#include "platform/window/InputScript.h"

namespace plat {

class WindowSystem;

class ScriptRunner final : public InputScript {
public:
    static constexpr int kBadScriptExit = 2;

    // `clock` is the one the window system reads (a ManualClock in headless
    // runs, so waits cost nothing). Both must outlive the runner.
    ScriptRunner(WindowSystem& windows, Clock& clock);

    // Reads and checks a script; every bad line is reported on `err` as
    // "NAME:LINE: what is wrong". False if the file cannot be read or any
    // line is bad.
    bool LoadFile(const std::string& path, std::ostream& err);
    bool LoadText(std::string_view text, const std::string& name, std::ostream& err);

    bool Step(std::optional<uint32_t> nextTimerDue) override;
    bool Ready() const override;

    // A screenshot or windowshot could not be written (reported on stderr).
    bool Failed() const { return failed_; }
    const std::vector<ScriptCommand>& Commands() const { return commands_; }

private:
    void Shot(const ScriptCommand& c, int line);

    WindowSystem& windows_;
    Clock& clock_;
    std::string name_;
    std::vector<ScriptCommand> commands_;
    std::vector<int> lines_;
    size_t next_ = 0;
    std::optional<uint32_t> waitUntil_;
    bool failed_ = false;
};

}  // namespace plat
