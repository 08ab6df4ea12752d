#include "tools/soundgen/synth/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace synth {

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutTag(std::vector<uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

int16_t ToPcm(float v) { return int16_t(std::clamp(std::lround(double(v) * 32767.0), -32768l, 32767l)); }

}  // namespace

bool WriteWav(const std::string& path, const Stereo& s, int channels) {
    const uint32_t frames = uint32_t(s.Size());
    const uint32_t dataBytes = frames * uint32_t(channels) * 2;
    std::vector<uint8_t> b;
    b.reserve(44 + dataBytes);
    PutTag(b, "RIFF");
    Put32(b, 36 + dataBytes);
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);  // PCM
    Put16(b, uint32_t(channels));
    Put32(b, kSampleRate);
    Put32(b, uint32_t(kSampleRate * channels * 2));
    Put16(b, uint32_t(channels * 2));
    Put16(b, 16);
    PutTag(b, "data");
    Put32(b, dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        Put16(b, uint16_t(ToPcm(s.left[i])));
        if (channels == 2) Put16(b, uint16_t(ToPcm(s.right[i])));
    }
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    return bool(f);
}

}  // namespace synth
