#pragma once
// `plinkpad --headless --monkey SECONDS --seed N`: random but plausible use
// of every scene for SECONDS of program time, the way a person would use
// them, with the program's own input queue, dialogs and clock. The same seed
// gives the same run. Between actions it checks that the program answers
// (every step returns and the clock moves: see Watchdog for a step that never
// returns) and that nothing recorded is lost (SessionWatch). The first fault
// ends the run with a message and a non-zero status; a passed run prints
// what it did. `--monkey-script FILE` keeps the input as a script that
// `--script FILE --seed N` plays again, for cutting a failing run down.
// The caller seeds the program's random generator with the same seed.
// Window thread only.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/monkey/Action.h"
#include "app/monkey/MemoryUse.h"
#include "app/monkey/MonkeyDialogs.h"
#include "app/monkey/Planner.h"
#include "app/monkey/Rng.h"
#include "app/monkey/SessionWatch.h"
#include "app/monkey/Sight.h"
#include "app/monkey/Watchdog.h"
#include "platform/script/ScriptRunner.h"
#include "platform/window/InputScript.h"

namespace plat {
struct Host;
class WindowSystem;
}  // namespace plat

namespace monkey {

struct MonkeyOptions {
    uint32_t seconds = 60;   // program time to run
    uint32_t seed = 1;
    std::string scriptPath;  // where to keep the input as a script; empty: nowhere
};

class Monkey final : public plat::InputScript {
public:
    static constexpr int kFailedExit = 1;
    // The longest the program may keep the monkey waiting (program time,
    // its blocking waits) before it counts as not answering.
    static constexpr uint32_t kMaxBusyMs = 15000;

    // Takes over `host.dialogs` until destroyed. Saves sessions into a new
    // scratch folder: SCRIPT.files beside the script when one is kept, else
    // a temporary one, removed after a passed run.
    Monkey(plat::WindowSystem& windows, plat::Host& host, const MonkeyOptions& options);
    ~Monkey() override;

    bool Step(std::optional<uint32_t> nextTimerDue) override;

    // After the loop has ended with `loopStatus`: the verdict and the summary
    // on `out`; the exit status (0 when the run passed).
    int Finish(int loopStatus, std::ostream& out);

private:
    void StartAction();
    void EndAction();
    void Fail(const std::string& what);
    std::string Doing() const;

    plat::WindowSystem& windows_;
    plat::Host& host_;
    plat::Dialogs* hostDialogs_;
    MonkeyOptions options_;
    std::filesystem::path scratch_;
    Rng rng_;
    Sight sight_;
    Planner planner_;
    MonkeyDialogs dialogs_;
    SessionWatch watch_;
    plat::ScriptRunner runner_;
    Watchdog watchdog_;
    std::ofstream script_;

    bool inAction_ = false;
    bool completed_ = false;
    std::optional<std::string> failure_;
    Action action_;
    long actionNumber_ = 0;
    uint32_t actionStartMs_ = 0;
    uint32_t handedBackMs_ = 0;  // the clock when the program last got control back
    uint32_t longestBusyMs_ = 0;  // the longest the program kept the monkey waiting
    std::map<std::string, int> kinds_;
    std::map<int, int> sceneVisits_;
    int lastScene_ = -1;
    std::map<std::string, int> messages_;
    std::vector<MemoryUse> memory_;  // after the first minute, then every tenth minute
    std::optional<MemoryUse> memoryAtEnd_;
};

}  // namespace monkey
