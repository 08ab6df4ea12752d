#include "tests/scenes/MixFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <span>

namespace hubtest {

Mix ReadMix(const std::filesystem::path& path) {
    Mix mix;
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    mix.fileBytes = bytes.size();
    audio::WavReader reader(bytes);
    std::span<const uint8_t> data;
    if (reader.ReadFormat(mix.format) != audio::kWavOk || reader.FindData(data) != audio::kWavOk) return mix;
    if (mix.format.formatTag != 1 || mix.format.bitsPerSample != 16 || mix.format.channels == 0) return mix;
    for (size_t i = 0; i + 1 < data.size(); i += 2)
        mix.samples.push_back(static_cast<int16_t>(data[i] | data[i + 1] << 8));
    return mix;
}

double Dbfs(double level) { return level > 0 ? 20 * std::log10(level / 32768.0) : -200; }

double RmsDbfs(const Mix& mix, size_t from, size_t to) {
    const size_t c = mix.format.channels;
    to = std::min(to, mix.Frames());
    if (from >= to) return -200;
    double sum = 0;
    for (size_t i = from * c; i < to * c; ++i) sum += double(mix.samples[i]) * mix.samples[i];
    return Dbfs(std::sqrt(sum / double((to - from) * c)));
}

double Energy(const Mix& mix, size_t channel, size_t from, size_t to) {
    const size_t c = mix.format.channels;
    to = std::min(to, mix.Frames());
    double sum = 0;
    for (size_t f = from; f < to; ++f) sum += double(mix.samples[f * c + channel]) * mix.samples[f * c + channel];
    return sum;
}

}  // namespace hubtest
