#pragma once
// Ogg page headers carry the serial number of their logical stream, which an
// encoder picks at random, and a checksum of the page. Any thread.

#include <cstdint>
#include <vector>

namespace audio {

// Gives every page of the Ogg file `bytes` the serial number `serial` and
// its checksum again. False (bytes unchanged) when `bytes` is not a whole
// sequence of Ogg pages.
bool SetOggSerial(std::vector<uint8_t>& bytes, uint32_t serial);

}  // namespace audio
