#pragma once
// Encodes 16-bit PCM sound as an Ogg Opus file, through FFmpeg's libraries
// (libopus). The sound is resampled to Opus's 48000 Hz on the way; a player
// decodes it back at any rate. Any thread.

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

// The Ogg Opus file of `sound` at `bitRate` bits per second (all channels
// together). Returns false with `error` set when the libraries refuse.
bool EncodeOggOpus(const PcmSound& sound, int bitRate, std::vector<uint8_t>& out, std::string& error);

}  // namespace pagefiles
