// libFuzzer target: the ".sts" session file reader on arbitrary bytes. A file
// that loads must store back to bytes that load to the same tracks.

#include <cstdlib>

#include "recording/codec/SessionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SessionTracks tracks;
    std::string error;
    if (!ReadSessionFile(std::span<const uint8_t>(data, size), tracks, error)) {
        if (error.empty()) std::abort();  // a failure always says why
        return 0;
    }
    const std::vector<uint8_t> stored = WriteSessionFile(tracks);
    SessionTracks again;
    if (!ReadSessionFile(stored, again, error)) std::abort();
    if (WriteSessionFile(again) != stored) std::abort();
    return 0;
}
