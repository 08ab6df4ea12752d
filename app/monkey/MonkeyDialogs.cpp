#include "app/monkey/MonkeyDialogs.h"

#include <fstream>

#include "app/monkey/Sight.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"

namespace monkey {

namespace {
constexpr int kMaxDialogsPerAction = 4;  // then Cancel, so a refusing dialog cannot loop for ever

const char* AnswerName(plat::MessageBoxAnswer a) {
    switch (a) {
        case plat::MessageBoxAnswer::Ok: return "ok";
        case plat::MessageBoxAnswer::Yes: return "yes";
        case plat::MessageBoxAnswer::No: return "no";
        case plat::MessageBoxAnswer::Cancel: return "cancel";
    }
    return "ok";
}
}  // namespace

MonkeyDialogs::MonkeyDialogs(plat::WindowSystem& windows, Sight& sight, Rng& rng, std::filesystem::path scratch)
    : windows_(windows), sight_(sight), rng_(rng), scratch_(std::move(scratch)) {
    // Things to open that are not sessions, and a folder in the way of a save.
    std::ofstream(scratch_ / "junk.sts") << "not a session\n";
    std::ofstream(scratch_ / "notes.txt") << "not a session either\n";
    std::filesystem::create_directory(scratch_ / "folder.sts");
}

void MonkeyDialogs::BeginAction(const Action& action) {
    session_ = action.session;
    saveForQuestion_ = false;
    dialogsThisAction_ = 0;
    log_ = DialogLog{};
}

void MonkeyDialogs::AddSavedFile(const std::string& path) {
    for (const std::string& p : saved_)
        if (p == path) return;
    saved_.push_back(path);
}

std::string MonkeyDialogs::Scratch(const std::string& name) const { return (scratch_ / name).string(); }

plat::MessageBoxAnswer MonkeyDialogs::MessageBox(const std::string& text, plat::MessageBoxButtons buttons) {
    log_.messages.push_back(text);
    plat::MessageBoxAnswer a = buttons == plat::MessageBoxButtons::Ok ? plat::MessageBoxAnswer::Ok : plat::MessageBoxAnswer::Yes;
    if (text == kSaveNowQuestion) {
        log_.askedSaveNow = true;
        // Asked before a new session or opening one, as the monkey meant;
        // the same question before quitting is refused.
        a = plat::MessageBoxAnswer::Cancel;
        if (session_ == Action::Session::New || session_ == Action::Session::Open) {
            const int roll = rng_.Below(100);
            a = roll < 35 ? plat::MessageBoxAnswer::Yes : roll < 80 ? plat::MessageBoxAnswer::No : plat::MessageBoxAnswer::Cancel;
        }
        saveForQuestion_ = a == plat::MessageBoxAnswer::Yes;
    }
    log_.scriptLines.push_back(std::string("answer ") + AnswerName(a));
    windows_.QueueMessageBoxAnswer(a);
    return windows_.MessageBox(text, buttons);
}

std::optional<std::string> MonkeyDialogs::FileDialog(const plat::FileDialogOptions& options) {
    std::optional<std::string> answer;
    const bool meant = options.save ? (session_ == Action::Session::Save || saveForQuestion_)
                                    : session_ == Action::Session::Open;
    if (meant && ++dialogsThisAction_ <= kMaxDialogsPerAction) answer = options.save ? SaveAnswer() : OpenAnswer();
    if (options.save && answer && saveForQuestion_) {
        // The question offered to save everything: a recording still going
        // on would be left out of the file and lost with the session.
        if (CSession* s = sight_.Session(); s != nullptr && s->IsRecording())
            log_.faults.push_back("the save offered before the session is replaced leaves out the recording still going on");
    }
    log_.scriptLines.push_back("file " + answer.value_or("cancel"));
    windows_.QueueFileAnswer(answer);
    return windows_.FileDialog(options);
}

std::optional<std::string> MonkeyDialogs::SaveAnswer() {
    CSession* session = sight_.Session();
    FileAnswer f{{}, FileAnswer::Expect::Saved, session != nullptr ? session->Encode() : std::vector<uint8_t>{}};
    const int roll = rng_.Below(100);
    if (roll < 10) {
        log_.save.reset();
        return std::nullopt;  // Cancel
    }
    if (roll < 30 && !saved_.empty()) {
        f.path = saved_[static_cast<size_t>(rng_.Below(static_cast<int>(saved_.size())))];  // over an earlier save
    } else if (roll < 38) {
        f.path = Scratch("s" + std::to_string(nextName_++));  // the dialog adds ".sts"
        f.path += ".sts";
        log_.save = f;
        return f.path.substr(0, f.path.size() - 4);
    } else if (roll < 45) {
        log_.save.reset();
        return Scratch("s" + std::to_string(nextName_++) + ".txt");  // refused: the dialog comes again
    } else if (roll < 50) {
        f.path = Scratch("S" + std::to_string(nextName_++) + ".STS");
    } else if (roll < 53) {
        f.path = Scratch("no-such-folder/s.sts");
        f.expect = FileAnswer::Expect::SaveRefused;
    } else if (roll < 56) {
        f.path = Scratch("folder.sts");
        f.expect = FileAnswer::Expect::SaveRefused;
    } else {
        f.path = Scratch("s" + std::to_string(nextName_++) + ".sts");
    }
    log_.save = f;
    return f.path;
}

std::optional<std::string> MonkeyDialogs::OpenAnswer() {
    FileAnswer f{{}, FileAnswer::Expect::LoadRefused, {}};
    const int roll = rng_.Below(100);
    if (roll < 15) {
        log_.open.reset();
        return std::nullopt;  // Cancel
    }
    if (roll < 65 && !saved_.empty()) {
        f.path = saved_[static_cast<size_t>(rng_.Below(static_cast<int>(saved_.size())))];
        f.expect = FileAnswer::Expect::Loaded;
    } else if (roll < 75) {
        f.path = Scratch("junk.sts");
    } else if (roll < 85) {
        f.path = Scratch("missing.sts");
    } else {
        log_.open.reset();
        return Scratch("notes.txt");  // refused: the dialog comes again
    }
    log_.open = f;
    return f.path;
}

}  // namespace monkey
