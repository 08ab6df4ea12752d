#include "tests/sounds/WavData.h"

#include <cstdint>
#include <fstream>
#include <iterator>

#include "audio/WavReader.h"

namespace soundtest {

std::optional<WavData> ReadWav(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::nullopt;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    // The program's own reader: a file it refuses would be silent in play.
    audio::WavReader reader(bytes);
    audio::WavFormat format;
    std::span<const uint8_t> data;
    if (reader.ReadFormat(format) != audio::kWavOk || !audio::IsPlayablePcm(format) || format.bitsPerSample != 16 ||
        reader.FindData(data) != audio::kWavOk)
        return std::nullopt;
    WavData w;
    w.channels = format.channels;
    w.sampleRate = int(format.samplesPerSec);
    w.bitsPerSample = format.bitsPerSample;
    const size_t frames = data.size() / format.blockAlign;
    w.samples.assign(format.channels, std::vector<float>(frames));
    for (size_t i = 0; i < frames; ++i)
        for (size_t c = 0; c < format.channels; ++c) {
            const size_t at = (i * format.channels + c) * 2;
            w.samples[c][i] = float(int16_t(uint16_t(data[at] | data[at + 1] << 8))) / 32768.0f;
        }
    return w;
}

}  // namespace soundtest
