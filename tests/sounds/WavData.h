#pragma once
// The generated 16-bit PCM files as float samples, read through the
// program's own WAV reader (so a file it would refuse fails here too).

#include <optional>
#include <string>
#include <vector>

namespace soundtest {

struct WavData {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::vector<float>> samples;  // per channel, scaled to [-1, 1)
};

std::optional<WavData> ReadWav(const std::string& path);

}  // namespace soundtest
