#pragma once
// Reading settings files with the host's private-profile rules: sections and
// keys match without regard to case, a missing file, section or key gives the
// default, surrounding blanks of the value are dropped and the value is cut to
// `bufferSize - 1` characters. Never fails: odd input is read as far as it makes sense.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace plat {

std::string GetPrivateProfileString(std::span<const uint8_t> fileBytes, std::string_view section,
                                    std::string_view key, std::string_view defaultValue, size_t bufferSize);

}  // namespace plat
