#pragma once
// Reads RIFF WAVE files from bytes. The file's bytes are untrusted: every
// chunk size is checked against the bytes that are there before anything is
// read, and a failure is reported as one of the result codes below, never by
// reading past the end or aborting. Any thread; no shared state.

#include <cstdint>
#include <span>
#include <vector>

namespace audio {

// Result codes of the reader (they are also what a failed load reports).
enum WavResult : int {
    kWavOk = 0,
    kWavNoData = -1,           // the file has no "data" chunk
    kWavOutOfMemory = 0xE000,  // a size no sound can have
    kWavCannotOpen = 0xE100,   // the file could not be read at all
    kWavNotWave = 0xE101,      // not RIFF/WAVE, no usable "fmt " chunk
    kWavCannotRead = 0xE102,   // the format record is cut short
    kWavCorrupt = 0xE103,      // a chunk runs past the end of the file
};

// The file's format block: the 16-byte PCM record plus any extra bytes.
struct WavFormat {
    uint16_t formatTag = 0;        // 1 = PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;       // bytes per frame
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> extra;    // bytes after the record (non-PCM formats)
};

// Walks one file's chunks. `file` must outlive the reader and the spans it
// hands out.
class WavReader {
public:
    explicit WavReader(std::span<const uint8_t> file) : file_(file) {}

    // Checks the RIFF/WAVE header and reads the "fmt " chunk into `format`.
    // Returns kWavOk, kWavNotWave, kWavCannotRead, kWavOutOfMemory or kWavCorrupt.
    int ReadFormat(WavFormat& format);

    // Finds the "data" chunk and points `data` at its bytes. Returns kWavOk,
    // kWavNoData, kWavOutOfMemory (over kMaxDataBytes) or kWavCorrupt. Call
    // after a successful ReadFormat.
    int FindData(std::span<const uint8_t>& data);

    // Sample data larger than this is refused (about 50 minutes of CD audio).
    static constexpr uint32_t kMaxDataBytes = 512u << 20;

private:
    struct Chunk {
        uint32_t offset = 0;  // of the chunk's first data byte
        uint32_t size = 0;
    };
    // Searches the RIFF chunk's sub-chunks for `id`. kWavOk with `out` set,
    // kWavNoData when absent, kWavCorrupt when a chunk runs past the RIFF end.
    int FindChunk(const char (&id)[5], Chunk& out) const;

    std::span<const uint8_t> file_;
    uint32_t riffEnd_ = 0;  // one past the last byte of the RIFF chunk
};

// Whether the mixer can play `format`: PCM, 1 or 2 channels, 8 or 16 bits,
// a block alignment that matches, a sample rate in 1..kMaxSampleRate and a
// non-zero byte rate (sound lengths are divided by it).
bool IsPlayablePcm(const WavFormat& format);
inline constexpr uint32_t kMaxSampleRate = 384000;

// Play length in milliseconds as the host's media length query reports it:
// data bytes * 1000 / bytes per second (0 for a zero byte rate), capped at INT32_MAX.
int WavLengthMs(const WavFormat& format, uint64_t dataBytes);

}  // namespace audio
