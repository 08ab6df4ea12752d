#pragma once
// Encodes 16-bit PCM sound as an Ogg Vorbis file at its own rate, through
// FFmpeg's libraries (libvorbis, variable bit rate at a quality). Any thread.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pagefiles {

struct PcmSound {
    std::span<const int16_t> samples;  // interleaved frames
    int channels = 1;                  // 1 or 2
    int rate = 22050;                  // frames per second
};

// The Ogg Vorbis file of `sound` at libvorbis's `quality` (-1 to 10; 4 is
// its own default). Returns false with `error` set when the libraries refuse.
bool EncodeOggVorbis(const PcmSound& sound, double quality, std::vector<uint8_t>& out, std::string& error);

}  // namespace pagefiles
