#pragma once
// A minimal reader for the generated PCM files (16-bit, any channel count):
// enough for analysing the disc's sounds in tests.

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
