#pragma once
// The desktop's icons in the hub's look, on a transparent ground: the
// program's, the round dais seen from above with the five world portals
// around the green go button; and its session files', a folded sheet with
// six tracks of cuts over a small dais. Any thread.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ag {

// The sizes the desktop gets, in pixels (square).
inline constexpr int kIconSizes[] = {48, 128, 256};

// Writes "<n>x<n>/apps/plinkpad.png" and
// "<n>x<n>/mimetypes/application-x-plinkpad-session.png" below `dir` (an icon
// theme's folder) for every size; returns the files written. Throws
// std::runtime_error when a file cannot be written.
std::vector<std::filesystem::path> WriteIcons(const std::filesystem::path& dir);

// The sizes a web app's manifest names (square pixels).
inline constexpr int kPageIconSizes[] = {192, 512};

// Writes the program's icon as "icon-<n>.png" into `dir` for every size of
// kPageIconSizes; returns the files written. Throws std::runtime_error when
// a file cannot be written.
std::vector<std::filesystem::path> WritePageIcons(const std::filesystem::path& dir);

}  // namespace ag
