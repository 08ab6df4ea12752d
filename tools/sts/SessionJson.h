#pragma once
// Sessions as JSON text, the shape documented in docs/session-format.md:
// {"tracks": [T0, ..., T5]}, an empty track null, a cut
// {"world": W, "name": "...", "events": [[time, kind, a, b], ...],
//  "arrangement": null | {"set": S, "pieces": [[x, y, id], ...]}}.

#include <string>

#include "recording/codec/SessionData.h"

// The JSON text of `tracks`, one event or piece a line. Names that are not
// valid UTF-8 show U+FFFD for the bad bytes (names read from a file always
// are valid).
std::string SessionToJson(const SessionTracks& tracks);

// Reads JSON text into tracks. Refuses, with a reason naming the place, what
// the file format cannot hold: more than six tracks, a name over 31
// characters or with a NUL, numbers that are not integers or do not fit their 32-bit field,
// unknown or missing keys. Fewer than six tracks leave the rest empty.
bool SessionFromJson(const std::string& text, SessionTracks& tracks, std::string& error);
