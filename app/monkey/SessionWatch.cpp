#include "app/monkey/SessionWatch.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/monkey/Sight.h"
#include "graphics/DIBButton.h"
#include "recording/RecordPalette.h"
#include "recording/Session.h"

namespace monkey {

namespace {

constexpr char kUnableToSave[] = "Unable to save session!";
constexpr char kUnableToLoad[] = "Unable to load session!";

// A cut as text: "<body>\n<name>", the body holding its world, events and
// board, so that a rename changes only what follows the line break.
std::string CutText(const SessionCut* cut) {
    if (cut == nullptr) return {};
    std::string t = "world " + std::to_string(cut->world) + " events " + std::to_string(cut->events.size());
    for (const SessionEvent& e : cut->events)
        t += " " + std::to_string(e.time) + ":" + std::to_string(e.kind) + ":" + std::to_string(e.a) + ":" + std::to_string(e.b);
    if (cut->arrangement) {
        t += " board " + std::to_string(cut->arrangement->set);
        for (const ArrangementPiece& p : cut->arrangement->pieces)
            t += " " + std::to_string(p.id) + "@" + std::to_string(p.x) + "," + std::to_string(p.y);
    }
    return t + "\n" + cut->name;
}

std::string Body(const std::string& text) { return text.substr(0, text.find('\n')); }

int EventCount(const std::string& text) { return std::stoi(text.substr(text.find(" events ") + 8)); }

// "a Troid cut 'Troid.2' of 14 events" or "nothing", for people.
std::string Describe(const std::string& text) {
    if (text.empty()) return "nothing";
    const char* name = WorldName(std::stoi(text.substr(6)));
    return std::string("a ") + (name != nullptr ? name : "strange") + " cut '" + text.substr(text.find('\n') + 1) + "' of " +
           std::to_string(EventCount(text)) + " events";
}

bool Shown(const DialogLog& d, const char* text) {
    return std::find(d.messages.begin(), d.messages.end(), text) != d.messages.end();
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

SessionWatch::SessionWatch(Sight& sight) : sight_(sight) {}

SessionWatch::Tracks SessionWatch::Read(const CSession& s) const {
    Tracks t;
    for (int i = 0; i < kTrackCount; ++i) t[static_cast<size_t>(i)] = CutText(s.GetCut(i));
    return t;
}

void SessionWatch::Observe() {
    const CSession* s = sight_.Session();
    const bool playing = s != nullptr && s->IsPlaying();
    if (playing && !sawPlaying_) ++counts_.playbacks;
    sawPlaying_ = playing;
}

void SessionWatch::BeforeAction(const Action& action) {
    CSession* s = sight_.Session();
    if (s == nullptr) return;
    if (session_ == nullptr) savedBytes_ = s->Encode();  // the first session: new, nothing to save
    session_ = s;
    before_ = Read(*s);
    wasModified_ = s->IsModified();
    wasRecording_ = s->IsRecording();
    kind_ = action.kind;
    mayClear_.clear();
    mayRename_.clear();
    // What the action's releases on the palette may change, as the palette
    // will see them: Clear Cut empties the selected track (every track with
    // Ctrl held), choosing a track renames the one selected before, Record
    // starts on the selected track.
    CRecordPalette* palette = sight_.Palette();
    int selected = palette != nullptr && palette->Selected() != nullptr ? palette->Selected()->m_nId - CRecordPalette::kFirstTrackId : -1;
    for (const Action::Release& r : action.releases) {
        const int id = sight_.PaletteButtonAt(r.at);
        if (id == CRecordPalette::kClearCutId) {
            if (r.ctrl) {
                for (int t = 0; t < kTrackCount; ++t) mayClear_.insert(t);
            } else if (selected >= 0) {
                mayClear_.insert(selected);
            }
        } else if (id >= CRecordPalette::kFirstTrackId && id <= CRecordPalette::kLastTrackId) {
            if (selected >= 0) mayRename_.insert(selected);
            const int track = id - CRecordPalette::kFirstTrackId;
            selected = selected == track ? -1 : track;
        } else if (id == CRecordPalette::kRecordId && selected >= 0 && !wasRecording_) {
            recordingTrack_ = selected;
        }
    }
}

std::string SessionWatch::AfterAction(const DialogLog& dialogs, std::string& savedFile) {
    CSession* s = sight_.Session();
    if (s == nullptr || session_ == nullptr) return {};
    if (!dialogs.faults.empty()) return dialogs.faults.front();
    if (s->IsRecording() && !wasRecording_ && recordingTrack_ < 0) {
        CRecordPalette* palette = sight_.Palette();
        if (palette != nullptr && palette->Selected() != nullptr)
            recordingTrack_ = palette->Selected()->m_nId - CRecordPalette::kFirstTrackId;
    }
    const Tracks now = Read(*s);
    std::string fault;
    if (dialogs.save) fault = CheckFile(*dialogs.save, dialogs, savedFile);
    if (fault.empty() && dialogs.open) fault = CheckFile(*dialogs.open, dialogs, savedFile);
    if (fault.empty()) fault = s != session_ ? CheckReplaced(dialogs, now) : CheckTracks(now);
    if (!s->IsRecording()) recordingTrack_ = -1;
    if (fault.empty() && !s->IsModified() && !s->IsRecording() && s->Encode() != savedBytes_)
        fault = "the session counts as saved but holds cuts that were never saved: a new session or quitting would drop "
                "them without asking";
    return fault;
}

std::string SessionWatch::CheckFile(const FileAnswer& f, const DialogLog& dialogs, std::string& savedFile) {
    switch (f.expect) {
        case FileAnswer::Expect::Saved: {
            if (Shown(dialogs, kUnableToSave)) return "saving to " + f.path + " was refused";
            const std::vector<uint8_t> bytes = ReadBytes(f.path);
            if (bytes != f.sessionBytes)
                return f.path + " does not hold what the session held when it was saved (" + std::to_string(bytes.size()) +
                       " bytes instead of " + std::to_string(f.sessionBytes.size()) + ")";
            files_[f.path] = bytes;
            savedBytes_ = bytes;
            savedFile = f.path;
            ++counts_.saved;
            return {};
        }
        case FileAnswer::Expect::SaveRefused:
            if (!Shown(dialogs, kUnableToSave)) return "saving to " + f.path + " was not refused although it cannot be written";
            ++counts_.refused;
            return {};
        case FileAnswer::Expect::Loaded:
            if (Shown(dialogs, kUnableToLoad)) return f.path + ", saved whole before, could not be opened";
            return {};
        case FileAnswer::Expect::LoadRefused:
            if (!Shown(dialogs, kUnableToLoad)) return "opening " + f.path + " was not refused although it holds no session";
            ++counts_.refused;
            return {};
    }
    return {};
}

std::string SessionWatch::CheckReplaced(const DialogLog& dialogs, const Tracks& now) {
    CSession& s = *sight_.Session();
    recordingTrack_ = -1;
    if (wasModified_ && !dialogs.askedSaveNow) return "the session was replaced with unsaved cuts, without asking to save them";
    if (dialogs.open && dialogs.open->expect == FileAnswer::Expect::Loaded) {
        const std::string& path = dialogs.open->path;
        const std::vector<uint8_t> bytes = s.Encode();
        if (bytes != files_[path]) return "reopening " + path + " gave other cuts than were saved there";
        savedBytes_ = bytes;
        ++counts_.reopened;
        return {};
    }
    for (int t = 0; t < kTrackCount; ++t)
        if (!now[static_cast<size_t>(t)].empty())
            return "the new session already holds " + Describe(now[static_cast<size_t>(t)]) + " in track " + std::to_string(t + 1);
    savedBytes_ = s.Encode();
    ++counts_.newSessions;
    return {};
}

std::string SessionWatch::CheckTracks(const Tracks& now) {
    for (int t = 0; t < kTrackCount; ++t) {
        const std::string& was = before_[static_cast<size_t>(t)];
        const std::string& is = now[static_cast<size_t>(t)];
        if (was == is) continue;
        if (t == recordingTrack_) {
            // Recording replaces the track's cut; stopping stores the new one.
            if (is.empty()) continue;
            if (EventCount(is) > CSession::kMaxEvents)
                return "track " + std::to_string(t + 1) + " was recorded with more than " + std::to_string(CSession::kMaxEvents) +
                       " events: " + Describe(is);
            ++counts_.cutsRecorded;
            continue;
        }
        if (is.empty() && mayClear_.count(t)) {
            ++counts_.cutsCleared;
            continue;
        }
        if (!was.empty() && !is.empty() && Body(was) == Body(is) && mayRename_.count(t)) {
            ++counts_.cutsRenamed;
            continue;
        }
        return "track " + std::to_string(t + 1) + " changed although nothing the user did may change it (" + kind_ +
               "): it held " + Describe(was) + ", now " + Describe(is);
    }
    return {};
}

}  // namespace monkey
