#pragma once
// The monkey's hand on message boxes and file dialogs: it stands in the
// host's place for the program's dialogs, picks an answer the way a person
// would (a name in the scratch folder, a wrong extension, a missing file,
// Cancel...) and hands it to the window system's own box or chooser, which
// take it as a scripted answer. It notes what was shown and answered during
// the current action, for the checks and for the script of the run.
// Window thread only.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/monkey/Action.h"
#include "app/monkey/Rng.h"
#include "platform/Host.h"

namespace plat {
class WindowSystem;
}

namespace monkey {

class Sight;

// A file name the monkey gave a session command, and what it expects of it.
struct FileAnswer {
    enum class Expect { Saved, SaveRefused, Loaded, LoadRefused };
    std::string path;
    Expect expect;
    std::vector<uint8_t> sessionBytes;  // save: what the session held when the name was given
};

// What the dialogs saw during one action.
struct DialogLog {
    std::vector<std::string> messages;     // texts of the message boxes, in order
    std::vector<std::string> scriptLines;  // "answer ..." and "file ..." lines, in order
    std::optional<FileAnswer> save;        // the last name given to a save dialog
    std::optional<FileAnswer> open;        // the last name given to an open dialog
    bool askedSaveNow = false;             // "Save now?" was asked
    std::vector<std::string> faults;       // what the program got wrong while asking
};

class MonkeyDialogs final : public plat::Dialogs {
public:
    static constexpr const char* kSaveNowQuestion = "Unsaved information in session. Save now?";

    // Files go to `scratch` (an existing, empty folder).
    MonkeyDialogs(plat::WindowSystem& windows, Sight& sight, Rng& rng, std::filesystem::path scratch);

    // The action whose boxes and dialogs come next; clears the log.
    void BeginAction(const Action& action);
    const DialogLog& Log() const { return log_; }
    // A file the checks found saved whole: Open may choose it.
    void AddSavedFile(const std::string& path);

    plat::MessageBoxAnswer MessageBox(const std::string& text, plat::MessageBoxButtons buttons) override;
    std::optional<std::string> FileDialog(const plat::FileDialogOptions& options) override;

private:
    std::optional<std::string> SaveAnswer();
    std::optional<std::string> OpenAnswer();
    std::string Scratch(const std::string& name) const;

    plat::WindowSystem& windows_;
    Sight& sight_;
    Rng& rng_;
    std::filesystem::path scratch_;
    Action::Session session_ = Action::Session::None;
    bool saveForQuestion_ = false;  // Yes to "Save now?" in this action: the save dialog that follows is meant
    int dialogsThisAction_ = 0;
    int nextName_ = 1;
    std::vector<std::string> saved_;
    DialogLog log_;
};

}  // namespace monkey
