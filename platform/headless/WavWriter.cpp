#include "platform/headless/WavWriter.h"

#include <algorithm>
#include <array>
#include <bit>

namespace plat {

namespace {
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

std::array<uint8_t, 44> Header(int sampleRate, uint32_t dataBytes) {
    std::array<uint8_t, 44> h{};
    std::copy_n("RIFF", 4, h.begin());
    Put32(&h[4], 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, h.begin() + 8);
    Put32(&h[16], 16);
    Put16(&h[20], 1);  // PCM
    Put16(&h[22], 2);  // stereo
    Put32(&h[24], static_cast<uint32_t>(sampleRate));
    Put32(&h[28], static_cast<uint32_t>(sampleRate) * 4);
    Put16(&h[32], 4);
    Put16(&h[34], 16);
    std::copy_n("data", 4, h.begin() + 36);
    Put32(&h[40], dataBytes);
    return h;
}
}  // namespace

WavWriter::WavWriter(const std::string& path, int sampleRate) : sampleRate_(sampleRate) {
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) return;
    const auto h = Header(sampleRate_, 0);
    std::fwrite(h.data(), 1, h.size(), file_);
}

WavWriter::~WavWriter() { Close(); }

void WavWriter::Write(const int16_t* interleaved, int frames) {
    if (file_ == nullptr || frames <= 0) return;
    // WAV data is little-endian; so is every machine this builds for, but say so.
    static_assert(std::endian::native == std::endian::little);
    std::fwrite(interleaved, sizeof(int16_t) * 2, static_cast<size_t>(frames), file_);
    dataBytes_ += static_cast<uint64_t>(frames) * 4;
}

void WavWriter::Close() {
    if (file_ == nullptr) return;
    // A RIFF size cannot pass 4 GiB; a longer run keeps the largest sizes.
    const auto h = Header(sampleRate_, static_cast<uint32_t>(std::min<uint64_t>(dataBytes_, 0xFFFFFFFFu - 36)));
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(h.data(), 1, h.size(), file_);
    std::fclose(file_);
    file_ = nullptr;
}

}  // namespace plat
