#pragma once
// A new file beside the one it will replace, so that the old file (or no
// file) stays until the new one is whole and renamed over it. Any thread.

#include <filesystem>

namespace plat {

// Creates a new, empty file in the folder of `target`, named after it and
// hidden (".NAME.NUMBER.tmp"), exclusively (it is nobody else's), and sets
// `temp` to its path. Returns its descriptor (open for writing), or -1 with
// errno set when the folder cannot take a new file.
int CreateTempBeside(const std::filesystem::path& target, std::filesystem::path& temp);

}  // namespace plat
