#pragma once
// base64url without padding (RFC 4648 section 5): the alphabet A-Z a-z 0-9
// '-' '_', which web addresses carry without escaping. Any thread; no shared
// state.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The text for `bytes`: 4 characters for every 3 bytes, the last group cut
// to 2 or 3 characters, no '='.
std::string EncodeBase64Url(std::span<const uint8_t> bytes);

// The bytes of untrusted `text`. False, with a one-line `error` naming the
// place, for a character outside the alphabet ('=' included), a length no
// such text has (a single character in the last group), or a last character
// whose unused low bits are not zero; `bytes` is then empty.
bool DecodeBase64Url(std::string_view text, std::vector<uint8_t>& bytes, std::string& error);
