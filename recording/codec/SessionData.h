#pragma once
// What a session holds: six tracks, each empty or holding one cut of recorded
// input events, plus the Day world's board for a cut recorded there. Plain
// data shared by the recorder, the ".sts" file codec and the `sts` tool.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One recorded input.
struct SessionEvent {
    // Milliseconds from the start of the session record that recorded it.
    // Only differences between consecutive events matter on replay.
    uint32_t time = 0;
    // 1 roll-over, 2 left button down, 3 left button up, 4 key down, 5 key up;
    // 0 replays as 1; any other value is skipped on replay.
    int32_t kind = 0;
    int32_t a = 0;  // x in view coordinates (kinds 0..3) or the key code (4, 5)
    int32_t b = 0;  // y in view coordinates (kinds 0..3) or 0 (4, 5)

    bool operator==(const SessionEvent&) const = default;
};

// A piece the Day world had placed: its top-left corner relative to the stage
// origin plus 20 in each axis, and the id of its hot-spot.
struct ArrangementPiece {
    int32_t x = 0;
    int32_t y = 0;
    int32_t id = 0;

    bool operator==(const ArrangementPiece&) const = default;
};

// The Day world's board when a Day cut was stored.
struct DayArrangement {
    int32_t set = 0;                      // the selected set number
    std::vector<ArrangementPiece> pieces;  // in the Day scene's order

    bool operator==(const DayArrangement&) const = default;
};

// The longest cut name, in characters: the file keeps 32 bytes of code page
// 1252, one a character, the last one a NUL.
inline constexpr size_t kMaxCutNameLength = 31;

struct SessionCut {
    // Scene number where it was recorded: 0 Center, 1 Star, 2 Day, 3 kBot,
    // 4 Troid, 5 Gama. Files may hold other values; the recorder refuses to
    // play those.
    int32_t world = 0;
    std::vector<SessionEvent> events;  // in recording order
    std::string name;                  // UTF-8, at most kMaxCutNameLength characters, no NUL
    std::unique_ptr<DayArrangement> arrangement;  // Day cuts only, else null
};

inline constexpr int kTrackCount = 6;
// Track 0..5 (shown to the user as 1..6): a cut or null.
using SessionTracks = std::array<std::unique_ptr<SessionCut>, kTrackCount>;

// The wait before `next` once `previous` was delivered. A time earlier than
// its predecessor's (a hand-edited or damaged file) gives no wait rather than
// an unsigned wrap of about 49 days.
inline uint32_t EventGapMs(const SessionEvent& previous, const SessionEvent& next) {
    return next.time >= previous.time ? next.time - previous.time : 0;
}

// Scene names by number, for people; nullptr outside 0..5.
inline const char* WorldName(int32_t world) {
    static constexpr const char* kNames[] = {"Center", "Star", "Day", "kBot", "Troid", "Gama"};
    return world >= 0 && world < 6 ? kNames[world] : nullptr;
}

// A cut the recorder can play: it has events and a known world.
inline bool IsPlayableCut(const SessionCut& cut) { return !cut.events.empty() && WorldName(cut.world) != nullptr; }
