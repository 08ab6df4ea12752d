#pragma once
// Writes PCM WAV files (16-bit, little-endian, canonical 44-byte header).

#include <string>

#include "tools/soundgen/synth/Buffer.h"

namespace synth {

// Writes `s` at kSampleRate as 1 channel (the left one) or 2 channels.
// Samples are rounded and clamped to 16 bits. Returns false on an I/O error.
bool WriteWav(const std::string& path, const Stereo& s, int channels);

}  // namespace synth
