#pragma once
// Writes 16-bit stereo PCM to a WAV file as it comes; the sizes in the header
// are filled in when the writer is closed or destroyed. Window thread.

#include <cstdint>
#include <cstdio>
#include <string>

namespace plat {

class WavWriter {
public:
    WavWriter(const std::string& path, int sampleRate);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    void Write(const int16_t* interleaved, int frames);
    // Completes the header and closes the file.
    void Close();

private:
    std::FILE* file_ = nullptr;
    int sampleRate_;
    uint64_t dataBytes_ = 0;
};

}  // namespace plat
