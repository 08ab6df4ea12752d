#pragma once
// The ".sts" session file: the archive's class header for "CSession", then six
// track records, all integers little-endian without padding. The byte layout
// is documented in docs/session-format.md. Any thread; no shared state.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "recording/codec/SessionData.h"

// Size of the class header (tag, schema, name length, "CSession").
inline constexpr size_t kSessionHeaderSize = 14;

// The whole file for `tracks`. Presence words are written as 1; names are
// written in code page 1252 (CodePage1252.h), cut to kMaxCutNameLength
// characters.
std::vector<uint8_t> WriteSessionFile(const SessionTracks& tracks);

// Reads a whole file from untrusted bytes. On success fills `tracks` (all six
// replaced, names converted from code page 1252 to UTF-8) and returns true. On failure returns false, leaves `tracks` empty
// and sets `error` to a one-line reason naming the byte offset. Never aborts:
// every count is checked against the bytes left before anything is allocated.
// Bytes after the sixth track record are ignored.
bool ReadSessionFile(std::span<const uint8_t> bytes, SessionTracks& tracks, std::string& error);

// Reads and decodes the session file at `path` (a path of the machine the
// program runs on). On failure `reason` says why, the way `sts show` reports
// it: "cannot read the file" or "not a session file: " and the decoder's reason.
bool LoadSessionFile(const std::string& path, SessionTracks& tracks, std::string& reason);
