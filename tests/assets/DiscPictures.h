#pragma once
// Helpers for the picture tests: find a file of the generated disc the way the
// program does (names compared without regard to case) and read it as a DIB.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/DIB.h"

namespace disc {

std::filesystem::path Root();
// The disc file a '/'-separated relative name denotes, if it exists.
std::optional<std::filesystem::path> Find(const std::string& relPath);
// The picture, or null when missing or unreadable.
std::unique_ptr<CDIB> LoadPicture(const std::string& relPath);
// Every .bmp below a disc folder, as disc-relative names, sorted.
std::vector<std::string> PicturesUnder(const std::string& relFolder);

bool IsMaskName(const std::string& relPath);

}  // namespace disc
