#pragma once
// Checks between the monkey's actions that nothing the user recorded is
// lost: a cut changes only when the user records into its track, clears it
// (Clear Cut, or all of them with Ctrl), renames it or replaces the session
// (New, Open); every saved file holds what the session held when its name
// was given; every reopened file brings back the cuts it was saved with; a
// session that counts as saved holds what was saved. Window thread only.

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/monkey/Action.h"
#include "app/monkey/MonkeyDialogs.h"

class CSession;

namespace monkey {

class Sight;

struct SessionCounts {
    int cutsRecorded = 0;
    int cutsCleared = 0;
    int cutsRenamed = 0;
    int playbacks = 0;   // times a playback started
    int saved = 0;       // files saved and found whole
    int reopened = 0;    // saved files opened again, cuts as saved
    int refused = 0;     // bad names and files refused as they should be
    int newSessions = 0;
};

class SessionWatch {
public:
    explicit SessionWatch(Sight& sight);

    // Called whenever the program waits for input: counts playbacks.
    void Observe();
    // Before `action` runs: what it may change.
    void BeforeAction(const Action& action);
    // After it ran, with what the dialogs saw. Returns what went wrong, if
    // anything; `savedFile` is set to a file now known to be saved whole.
    std::string AfterAction(const DialogLog& dialogs, std::string& savedFile);
    const SessionCounts& Counts() const { return counts_; }

private:
    using Tracks = std::array<std::string, 6>;  // each cut as comparable text, "" when empty
    Tracks Read(const CSession& s) const;
    std::string CheckFile(const FileAnswer& f, const DialogLog& dialogs, std::string& savedFile);
    std::string CheckReplaced(const DialogLog& dialogs, const Tracks& now);
    std::string CheckTracks(const Tracks& now);

    Sight& sight_;
    const CSession* session_ = nullptr;  // compared only, never used: it may be gone
    Tracks before_{};
    std::vector<uint8_t> savedBytes_;  // what the current session held when last saved, opened or made
    bool wasModified_ = false;
    bool wasRecording_ = false;
    bool sawPlaying_ = false;
    int recordingTrack_ = -1;
    std::set<int> mayClear_;
    std::set<int> mayRename_;
    std::string kind_;
    std::map<std::string, std::vector<uint8_t>> files_;  // path -> what was saved there
    SessionCounts counts_;
};

}  // namespace monkey
