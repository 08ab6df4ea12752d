#include "audio/WavReader.h"

#include <cstring>
#include <limits>
#include <new>

namespace audio {

namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
bool IsTag(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

constexpr uint32_t kPcmRecordBytes = 16;
constexpr uint16_t kFormatPcm = 1;

}  // namespace

int WavReader::FindChunk(const char (&id)[5], Chunk& out) const {
    uint64_t pos = 12;  // after "RIFF", its size and the form type
    while (pos + 8 <= riffEnd_) {
        const uint8_t* header = file_.data() + pos;
        const uint32_t size = Le32(header + 4);
        if (size > riffEnd_ - (pos + 8)) return kWavCorrupt;
        if (IsTag(header, id)) {
            out.offset = static_cast<uint32_t>(pos + 8);
            out.size = size;
            return kWavOk;
        }
        pos += 8 + static_cast<uint64_t>(size) + (size & 1u);  // chunks are padded to even sizes
    }
    return kWavNoData;
}

int WavReader::ReadFormat(WavFormat& format) {
    if (file_.size() < 12 || !IsTag(file_.data(), "RIFF") || !IsTag(file_.data() + 8, "WAVE")) return kWavNotWave;
    const uint64_t riffEnd = 8 + static_cast<uint64_t>(Le32(file_.data() + 4));
    if (riffEnd > file_.size() || riffEnd < 12) return kWavCorrupt;
    riffEnd_ = static_cast<uint32_t>(riffEnd);

    Chunk fmt;
    const int found = FindChunk("fmt ", fmt);
    if (found == kWavNoData) return kWavNotWave;
    if (found != kWavOk) return found;
    if (fmt.size < kPcmRecordBytes) return kWavNotWave;

    const uint8_t* p = file_.data() + fmt.offset;
    WavFormat f;
    f.formatTag = Le16(p);
    f.channels = Le16(p + 2);
    f.samplesPerSec = Le32(p + 4);
    f.avgBytesPerSec = Le32(p + 8);
    f.blockAlign = Le16(p + 12);
    f.bitsPerSample = Le16(p + 14);
    if (f.formatTag != kFormatPcm) {
        // Other formats carry a count of extra bytes after the record.
        if (fmt.size < kPcmRecordBytes + 2) return kWavCannotRead;
        const uint16_t extraCount = Le16(p + 16);
        if (extraCount > fmt.size - (kPcmRecordBytes + 2)) return kWavNotWave;
        try {
            f.extra.assign(p + 18, p + 18 + extraCount);
        } catch (const std::bad_alloc&) {
            return kWavOutOfMemory;
        }
    }
    format = std::move(f);
    return kWavOk;
}

int WavReader::FindData(std::span<const uint8_t>& data) {
    if (riffEnd_ == 0) return kWavNotWave;  // ReadFormat has not succeeded
    Chunk chunk;
    const int found = FindChunk("data", chunk);
    if (found != kWavOk) return found;
    if (chunk.size > kMaxDataBytes) return kWavOutOfMemory;
    data = file_.subspan(chunk.offset, chunk.size);
    return kWavOk;
}

bool IsPlayablePcm(const WavFormat& f) {
    if (f.formatTag != kFormatPcm) return false;
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.blockAlign != f.channels * f.bitsPerSample / 8) return false;
    if (f.samplesPerSec == 0 || f.samplesPerSec > kMaxSampleRate) return false;
    return f.avgBytesPerSec != 0;
}

int WavLengthMs(const WavFormat& format, uint64_t dataBytes) {
    if (format.avgBytesPerSec == 0) return 0;
    const uint64_t ms = dataBytes * 1000u / format.avgBytesPerSec;
    return ms > static_cast<uint64_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                        : static_cast<int>(ms);
}

}  // namespace audio
