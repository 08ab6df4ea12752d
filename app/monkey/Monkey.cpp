#include "app/monkey/Monkey.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "app/PlinkpadView.h"
#include "app/monkey/MemoryUse.h"
#include "platform/Host.h"
#include "platform/window/WindowSystem.h"
#include "scenes/Scene.h"

namespace monkey {

namespace {

constexpr std::chrono::seconds kHangLimit{300};  // real time; generous for sanitizer builds on a busy machine
constexpr uint32_t kMinuteMs = 60000;
constexpr uint32_t kResidentEveryMs = 10 * kMinuteMs;

// The folder for the sessions the monkey saves: beside the script when the
// input is kept (a replay of the script finds its files there), else a new
// temporary one.
std::filesystem::path MakeScratch(const MonkeyOptions& o) {
    namespace fs = std::filesystem;
    const fs::path dir = !o.scriptPath.empty() ? fs::absolute(o.scriptPath + ".files")
                                               : fs::temp_directory_path() / ("plinkpad-monkey-" + std::to_string(o.seed) + "-" +
                                                                              std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

const char* SceneName(int scene) {
    static constexpr const char* kNames[] = {"Center", "Star", "Day", "kBot", "Troid", "Gama"};
    return scene >= 0 && scene < 6 ? kNames[scene] : "?";
}

}  // namespace

Monkey::Monkey(plat::WindowSystem& windows, plat::Host& host, const MonkeyOptions& options)
    : windows_(windows),
      host_(host),
      hostDialogs_(host.dialogs),
      options_(options),
      scratch_(MakeScratch(options)),
      rng_(options.seed),
      sight_(windows, rng_),
      planner_(sight_, rng_),
      dialogs_(windows, sight_, rng_, scratch_),
      watch_(sight_),
      runner_(windows, windows.GetClock()),
      watchdog_(kHangLimit) {
    host_.dialogs = &dialogs_;
    if (!options_.scriptPath.empty()) {
        script_.open(options_.scriptPath, std::ios::trunc);
        script_ << "# plinkpad --headless --monkey " << options_.seconds << " --seed " << options_.seed
                << "; play again with --script FILE --seed " << options_.seed << "\n";
    }
    handedBackMs_ = windows_.NowMs();
}

Monkey::~Monkey() { host_.dialogs = hostDialogs_; }

std::string Monkey::Doing() const {
    return "action " + std::to_string(actionNumber_) + " (" + action_.kind + ", begun at " + std::to_string(actionStartMs_) +
           " ms of program time):\n" + action_.script;
}

bool Monkey::Step(std::optional<uint32_t> nextTimerDue) {
    const uint32_t now = windows_.NowMs();
    watchdog_.Beat();
    const uint32_t busy = now - handedBackMs_;
    longestBusyMs_ = std::max(longestBusyMs_, busy);
    if (busy > kMaxBusyMs && !failure_)
        Fail("the program did not answer for " + std::to_string(busy) + " ms of program time");
    if (failure_) return false;
    // Resident memory after the first minute, then every tenth minute.
    const uint32_t nextSampleMs = memory_.empty() ? kMinuteMs : kResidentEveryMs * static_cast<uint32_t>(memory_.size());
    if (now >= nextSampleMs) memory_.push_back(MeasureMemory());
    watch_.Observe();

    if (inAction_ && runner_.Step(nextTimerDue)) {
        handedBackMs_ = windows_.NowMs();
        return true;
    }
    // The action is over and the program has nothing left to do.
    if (inAction_) EndAction();
    if (failure_) return false;
    if (now >= options_.seconds * 1000u) {
        completed_ = true;
        memoryAtEnd_ = MeasureMemory();  // while the program still holds everything
        return false;
    }
    StartAction();
    runner_.Step(nextTimerDue);
    handedBackMs_ = windows_.NowMs();
    return true;
}

void Monkey::StartAction() {
    action_ = planner_.Next();
    ++actionNumber_;
    ++kinds_[action_.kind];
    actionStartMs_ = windows_.NowMs();
    watchdog_.Doing(Doing());
    watch_.BeforeAction(action_);
    dialogs_.BeginAction(action_);
    std::ostringstream errors;
    if (!runner_.LoadText(action_.script, "monkey action", errors)) {
        Fail("the monkey wrote a bad script line: " + errors.str());
        return;
    }
    inAction_ = true;
}

void Monkey::EndAction() {
    inAction_ = false;
    const DialogLog& log = dialogs_.Log();
    if (script_.is_open()) {
        script_ << "# " << actionNumber_ << " " << action_.kind << " (" << actionStartMs_ << " ms)\n";
        for (const std::string& line : log.scriptLines) script_ << line << "\n";
        script_ << action_.script;
        script_.flush();
    }
    for (const std::string& m : log.messages) ++messages_[m];
    if (CPlinkpadView* view = sight_.View(); view != nullptr && view->Scene() != nullptr) {
        const int scene = view->Scene()->m_nScene;
        if (scene != lastScene_) ++sceneVisits_[scene];
        lastScene_ = scene;
    }
    std::string savedFile;
    const std::string fault = watch_.AfterAction(log, savedFile);
    if (!savedFile.empty()) dialogs_.AddSavedFile(savedFile);
    if (!fault.empty()) Fail(fault);
}

void Monkey::Fail(const std::string& what) {
    if (failure_) return;
    failure_ = "at " + std::to_string(windows_.NowMs()) + " ms, after action " + std::to_string(actionNumber_) + " (" +
               action_.kind + ", begun at " + std::to_string(actionStartMs_) + " ms): " + what;
}

int Monkey::Finish(int loopStatus, std::ostream& out) {
    if (!failure_ && !completed_)
        failure_ = "the program ended after " + std::to_string(windows_.NowMs()) + " ms, during action " +
                   std::to_string(actionNumber_) + " (" + action_.kind + "), although nobody asked it to quit";
    const SessionCounts& c = watch_.Counts();
    out << "monkey: seed " << options_.seed << ", " << windows_.NowMs() << " ms of program time, " << actionNumber_
        << " actions, the longest busy stretch " << longestBusyMs_ << " ms\n  actions:";
    for (const auto& [kind, n] : kinds_) out << " " << kind << " " << n << ",";
    out << "\n  scenes entered:";
    for (const auto& [scene, n] : sceneVisits_) out << " " << SceneName(scene) << " " << n << ",";
    out << "\n  cuts: " << c.cutsRecorded << " recorded, " << c.playbacks << " playbacks, " << c.cutsCleared << " cleared, "
        << c.cutsRenamed << " renamed\n  sessions: " << c.newSessions << " new, " << c.saved << " saved, " << c.reopened
        << " reopened, " << c.refused << " bad names or files refused\n  messages:";
    for (const auto& [text, n] : messages_) out << " \"" << text << "\" " << n << ",";
    out << "\n";
    PrintMemory(out, memory_, memoryAtEnd_.value_or(MeasureMemory()));
    if (failure_) {
        out << "monkey: FAILED " << *failure_ << "\n  the sessions it saved are in " << scratch_.string()
            << "\n  repeat with --seed " << options_.seed << " (--monkey-script FILE keeps the input as a script)\n";
        out.flush();
        return kFailedExit;
    }
    if (options_.scriptPath.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(scratch_, ec);
    }
    out << "monkey: passed\n";
    out.flush();
    return loopStatus;
}

}  // namespace monkey
