#include "tests/sounds/WavData.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace soundtest {

namespace {

uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

}  // namespace

std::optional<WavData> ReadWav(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::nullopt;
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavData w;
    bool haveFormat = false;
    for (size_t pos = 12; pos + 8 <= b.size();) {
        const uint32_t size = Le32(&b[pos + 4]);
        const size_t body = pos + 8;
        if (size > b.size() - body) return std::nullopt;
        if (std::memcmp(&b[pos], "fmt ", 4) == 0 && size >= 16) {
            if (Le16(&b[body]) != 1) return std::nullopt;  // PCM only
            w.channels = Le16(&b[body + 2]);
            w.sampleRate = int(Le32(&b[body + 4]));
            w.bitsPerSample = Le16(&b[body + 14]);
            haveFormat = w.channels > 0 && w.bitsPerSample == 16;
        } else if (std::memcmp(&b[pos], "data", 4) == 0 && haveFormat) {
            const size_t frames = size / (2u * size_t(w.channels));
            w.samples.assign(size_t(w.channels), std::vector<float>(frames));
            for (size_t i = 0; i < frames; ++i)
                for (int c = 0; c < w.channels; ++c)
                    w.samples[size_t(c)][i] = float(int16_t(Le16(&b[body + (i * size_t(w.channels) + size_t(c)) * 2]))) / 32768.0f;
            return w;
        }
        pos = body + size + (size & 1);
    }
    return std::nullopt;
}

}  // namespace soundtest
