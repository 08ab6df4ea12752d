#include "audio/file/OggSerial.h"

#include <array>
#include <cstring>
#include <utility>

namespace audio {

namespace {

constexpr size_t kHeaderSize = 27;  // up to the segment table
constexpr size_t kSerialAt = 14;
constexpr size_t kChecksumAt = 22;
constexpr size_t kSegmentsAt = 26;

// CRC-32 of the Ogg framing: polynomial 0x04C11DB7, not reflected, starting at 0.
uint32_t PageChecksum(const uint8_t* page, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k) r = (r & 0x80000000u) != 0 ? (r << 1) ^ 0x04C11DB7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    uint32_t crc = 0;
    for (size_t i = 0; i < size; ++i) crc = (crc << 8) ^ table[((crc >> 24) ^ page[i]) & 0xFF];
    return crc;
}

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

bool SetOggSerial(std::vector<uint8_t>& bytes, uint32_t serial) {
    // Check the whole chain of pages before changing any.
    std::vector<std::pair<size_t, size_t>> pages;  // offset, size
    for (size_t at = 0; at < bytes.size();) {
        if (bytes.size() - at < kHeaderSize || std::memcmp(&bytes[at], "OggS", 4) != 0) return false;
        const size_t segments = bytes[at + kSegmentsAt];
        if (bytes.size() - at < kHeaderSize + segments) return false;
        size_t size = kHeaderSize + segments;
        for (size_t s = 0; s < segments; ++s) size += bytes[at + kHeaderSize + s];
        if (bytes.size() - at < size) return false;
        pages.emplace_back(at, size);
        at += size;
    }
    if (pages.empty()) return false;
    for (const auto& [at, size] : pages) {
        uint8_t* page = &bytes[at];
        Put32(page + kSerialAt, serial);
        Put32(page + kChecksumAt, 0);
        Put32(page + kChecksumAt, PageChecksum(page, size));
    }
    return true;
}

}  // namespace audio
