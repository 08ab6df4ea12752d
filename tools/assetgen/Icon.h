#pragma once
// The program's desktop icon in the hub's look: the round dais seen from
// above, the five world portals on it around the green go button, on a
// transparent ground. Any thread.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ag {

// The sizes the desktop gets, in pixels (square).
inline constexpr int kIconSizes[] = {48, 128, 256};

// The icon drawn at `size` x `size`: 0xAARRGGBB, straight alpha, top row first.
std::vector<uint32_t> DrawIcon(int size);

// Writes "<n>x<n>/apps/plinkpad.png" below `dir` (an icon theme's folder) for
// every size; returns the files written. Throws std::runtime_error when a
// file cannot be written.
std::vector<std::filesystem::path> WriteIcons(const std::filesystem::path& dir);

}  // namespace ag
