#pragma once
// The mix a scripted run writes with --audio-out: read back for level checks.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "audio/WavReader.h"

namespace hubtest {

struct Mix {
    audio::WavFormat format;
    std::vector<int16_t> samples;  // interleaved
    uintmax_t fileBytes = 0;
    size_t Frames() const { return format.channels ? samples.size() / format.channels : 0; }
    // The frame at program time `ms` (the mix starts at time 0).
    size_t FrameAt(uint64_t ms) const { return static_cast<size_t>(ms * format.samplesPerSec / 1000); }
};

// Empty samples when the file is missing or not 16-bit PCM.
Mix ReadMix(const std::filesystem::path& path);

double Dbfs(double level);
// RMS level of frames [from, to) over every channel.
double RmsDbfs(const Mix& mix, size_t from, size_t to);
// The energy (sum of squares) of channel `channel` over frames [from, to).
double Energy(const Mix& mix, size_t channel, size_t from, size_t to);

}  // namespace hubtest
