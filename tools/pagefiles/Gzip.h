#pragma once
// gzip (RFC 1952) through zlib, at its best compression; the page unpacks
// it with the browser's DecompressionStream. Any thread.

#include <cstdint>
#include <span>
#include <vector>

namespace pagefiles {

std::vector<uint8_t> Gzip(std::span<const uint8_t> bytes);

}  // namespace pagefiles
