#pragma once
// Video files read back through FFmpeg's libraries, decoded as a player
// would, for the video tests.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace videotest {

struct StreamFacts {
    bool present = false;
    std::string codec;  // "h264", "vp9", "aac", "opus"
    int width = 0, height = 0;
    double frameRate = 0;  // the stream's own figure
    int sampleRate = 0, channels = 0;
    int64_t decoded = 0;  // pictures, or sound frames, decoded
    double seconds = 0;   // what was decoded lasts: pictures / frame rate, or frames / rate
    double levelDb = -200;  // sound: the RMS level of everything decoded, in dBFS
};

struct VideoFacts {
    std::string error;      // empty when the file was read whole
    std::string container;  // the demuxer's name
    StreamFacts video, audio;
    // The pictures shown at the times asked for, as 0x00RRGGBB at the video's
    // size (empty for a time past the end).
    std::vector<std::vector<uint32_t>> pictures;
};

// Reads and decodes the whole file; `pictureTimes` (seconds, any order) are
// the moments whose pictures to keep.
VideoFacts ReadVideo(const std::filesystem::path& path, const std::vector<double>& pictureTimes = {});

}  // namespace videotest
